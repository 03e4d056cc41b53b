#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "circuit_fixture.h"
#include "reduction.h"
#include "random_circuit.h"
#include "semantic_determinant.h"

namespace vorlan {
namespace {

using test::Circuit;
using test::Render;

enum class Pass {
    Reduce,
    SingleAttached,
    UnitChains,
    DegeneratePorts,
    DoubleAttached,
    PortPairs,
    NodeAttachments,
    Connected,
};

// Runs one pass on a fresh circuit; the passes that only answer give their
// answer as the result word.
int RunPass(Pass pass, Circuit& c) {
    int result = 0;
    switch (pass) {
    case Pass::Reduce:
        result = -1;
        ReduceCircuit(c.nS(), c.sNodes(), c.two, c.four, result);
        break;
    case Pass::SingleAttached: ResolveSingleAttachedNode(c.nS(), c.sNodes(), c.two, c.four, result); break;
    case Pass::UnitChains: ResolveUnitElementChains(c.two, c.four, result); break;
    case Pass::DegeneratePorts: ResolveDegeneratePorts(c.four, result); break;
    case Pass::DoubleAttached: ResolveDoubleAttachedNode(c.nS(), c.sNodes(), c.two, c.four, result); break;
    case Pass::PortPairs: ResolvePortPairs(c.four, result); break;
    case Pass::NodeAttachments: result = CheckNodeAttachments(c.nS(), c.sNodes(), c.two, c.four); break;
    case Pass::Connected: result = CheckConnected(c.nS(), c.sNodes(), c.two, c.four); break;
    }
    return result;
}

struct PassCase {
    const char* label;
    Pass pass;
    const char* circuit;
    int result;
    const char* after = nullptr;  // nullptr: the circuit is unchanged
};

const PassCase kPassCases[] = {
    // A free node held by one four-terminal end.
    {"SingleCurrentOutputIsZero", Pass::SingleAttached, "g1 1 2; G1 3 1 1 2", 2},
    {"SingleVoltageControlIsZero", Pass::SingleAttached, "g1 1 2; K1 1 2 3 1", 2},
    {"SingleCurrentControlReleasesSource", Pass::SingleAttached, "g1 1 2; F1 1 2 3 1", 3, "g1 1 2; F1 1 2 3 1 w0"},
    {"SingleForcingOutputReleasesSource", Pass::SingleAttached, "g1 1 2; K1 3 1 1 2", 3, "g1 1 2; K1 3 1 1 2 w0"},
    {"SingleNegativeElementSkipped", Pass::SingleAttached, "g1 1 2; 1 3 1 1 2", 0},
    {"SingleOutputAndControlSkipped", Pass::SingleAttached, "g1 1 2; G1 3 1 3 2", 0},
    {"SingleSNodeSkipped", Pass::SingleAttached, "g1 1 2; G1 3 1 1 2; S 3", 0},

    // Unit elements chained on one side.
    {"ChainOutputsReleaseGAcrossFarEnds", Pass::UnitChains, "g1 1 3; g2 1 2; 1 1 2 4 5; 1 2 3 6 7; G1 3 1 4 5", 3,
     "g2 1 2; 1 1 2 4 5; 1 2 3 6 7; G1 3 1 4 5 w0"},
    {"ChainOutputsWithNegativeGIsZero", Pass::UnitChains, "1 1 2 4 5; 1 2 3 6 7; G1 3 1 4 5 w-1", 2},
    {"ChainControlsDropAdmittance", Pass::UnitChains, "g1 1 3; R1 1 3; 1 4 5 1 2; 1 6 7 2 3", 0,
     "R1 1 3; 1 4 5 1 2; 1 6 7 2 3"},
    {"ChainNeedsSharedNode", Pass::UnitChains, "g1 1 3; 1 1 2 4 5; 1 3 4 6 7", 0},

    // Collapsed output or control pairs.
    {"DegenerateControlOfKMakesUnit", Pass::DegeneratePorts, "K1 1 2 3 3", 0, "1 1 2 1 2"},
    {"DegenerateControlOfHIsZero", Pass::DegeneratePorts, "H1 1 2 3 3", 2},
    {"DegenerateControlOfFIsZero", Pass::DegeneratePorts, "F1 1 2 3 3", 2},
    {"DegenerateControlOfIdealIsZero", Pass::DegeneratePorts, "E1 1 2 3 3; J1 4 5 4 5", 2},
    {"DegenerateControlOfNegativeGIsZero", Pass::DegeneratePorts, "G1 1 2 3 3 w-1", 2},
    {"DegenerateOutputOfFMakesUnit", Pass::DegeneratePorts, "F1 1 1 3 4", 0, "1 3 4 3 4"},
    {"DegenerateBothPairsOfFIsZero", Pass::DegeneratePorts, "F1 1 1 3 3", 2},
    {"DegenerateOutputOfForcingIsZero", Pass::DegeneratePorts, "K1 1 1 2 3", 2},
    {"DegenerateOutputOfUnitIsZero", Pass::DegeneratePorts, "1 1 1 2 3", 2},
    {"DegenerateGsRemovedOneAfterAnother", Pass::DegeneratePorts, "G1 1 1 3 4; G2 1 2 3 3; K1 1 2 3 3", 0,
     "1 1 2 1 2"},
    {"DegenerateIdealRemovedWhileAnotherRemains", Pass::DegeneratePorts, "J1 1 1 1 1; J2 2 3 2 3", 0,
     "J2 2 3 2 3 w-999"},
    {"DegenerateLastIdealIsPinnedFirst", Pass::DegeneratePorts, "J1 1 1 1 1", 2, "J1 1 1 1 1 w-999"},
    {"DegenerateIdealRemovedPinsTheOther", Pass::DegeneratePorts, "J1 1 1 2 3; J2 1 1 2 3", 2,
     "J2 1 1 2 3 w-999"},

    // A free node held by two four-terminal ends.
    {"DoubleOutputAndControlPinsOutput", Pass::DoubleAttached, "g1 1 2; G1 3 1 1 2; K1 1 2 3 1", 0,
     "g1 1 2; G1 3 1 1 2 w-1; K1 1 2 3 1"},
    {"DoubleNegativeOutputPinsControl", Pass::DoubleAttached, "g1 1 2; 1 3 1 1 2; G1 1 2 3 1", 0,
     "g1 1 2; 1 3 1 1 2; G1 1 2 3 1 w-1"},
    {"DoubleForcingBesideCurrentReleased", Pass::DoubleAttached, "g1 1 2; K1 3 1 1 2; G1 3 2 1 2", 3,
     "g1 1 2; K1 3 1 1 2 w0; G1 3 2 1 2"},
    {"DoubleCurrentBesideForcingReleased", Pass::DoubleAttached, "g1 1 2; G1 3 2 1 2; K1 3 1 1 2", 3,
     "g1 1 2; G1 3 2 1 2; K1 3 1 1 2 w0"},
    {"DoubleTwoCurrentOutputsIsZero", Pass::DoubleAttached, "g1 1 2; G1 3 1 1 2; F1 3 2 1 2", 2},
    {"DoubleTwoForcingOutputsLeft", Pass::DoubleAttached, "g1 1 2; K1 3 1 1 2; K2 3 2 1 2", 0},
    {"DoubleCurrentControlBesideVoltageReleased", Pass::DoubleAttached, "g1 1 2; F1 1 2 3 1; G1 1 2 3 2", 3,
     "g1 1 2; F1 1 2 3 1 w0; G1 1 2 3 2"},
    {"DoubleTwoVoltageControlsIsZero", Pass::DoubleAttached, "g1 1 2; G1 1 2 3 1; K1 1 2 3 2", 2},
    {"DoubleNegativeAndVoltageControlsIsZero", Pass::DoubleAttached, "g1 1 2; 1 1 2 3 1; G1 2 1 3 2", 2},

    // Pairs of four-terminals on one port.
    {"PortsTwoIdealSourcesOnOneOutputAreZero", Pass::PortPairs, "E1 1 2 1 2; E2 2 1 2 1", 2},
    {"PortsCurrentOutputAcrossForcingReleased", Pass::PortPairs, "K1 1 2 3 4; G1 2 1 3 4", 3,
     "K1 1 2 3 4; G1 2 1 3 4 w0"},
    {"PortsIdealCurrentAcrossForcingNeutralised", Pass::PortPairs, "E1 1 2 1 2; J1 2 1 2 1", 1,
     "E1 1 2 1 2 w-999"},
    {"PortsTwoCurrentControlsAreZero", Pass::PortPairs, "F1 1 2 3 4; H1 5 6 4 3", 2},
    {"PortsVoltageControlAcrossCurrentControlReleased", Pass::PortPairs, "G1 1 2 3 4; F1 5 6 3 4", 3,
     "G1 1 2 3 4 w0; F1 5 6 3 4"},
    {"PortsNegativeOutputOverCurrentControlPins", Pass::PortPairs, "1 1 2 5 6; F1 3 4 1 2", 0,
     "1 1 2 5 6; F1 3 4 1 2 w-1"},
    {"PortsNegativeControlOverForcingOutputPins", Pass::PortPairs, "1 5 6 1 2; K1 1 2 3 4", 0,
     "1 5 6 1 2; K1 1 2 3 4 w-1"},
    {"PortsCrossedPositiveSourcesLeft", Pass::PortPairs, "K1 1 2 3 4; G1 3 4 1 2", 0},

    // Node attachments: 0 when a free node has only current ends or only
    // voltage ends.
    {"AttachmentsOnlyCurrentOutput", Pass::NodeAttachments, "g1 1 2; G1 3 1 1 2", 0},
    {"AttachmentsOnlyVoltageControl", Pass::NodeAttachments, "g1 1 2; G1 1 2 3 1", 0},
    {"AttachmentsOnlyNegativeOutput", Pass::NodeAttachments, "g1 1 2; 1 3 1 1 2", 0},
    {"AttachmentsOnlyIdealControl", Pass::NodeAttachments, "g1 1 2; U1 1 2 3 1", 0},
    {"AttachmentsOutputAndControl", Pass::NodeAttachments, "g1 1 2; G1 3 1 3 2", 1},
    {"AttachmentsForcingOutputPasses", Pass::NodeAttachments, "g1 1 2; G1 3 1 1 2; K1 3 2 1 2", 1},
    {"AttachmentsCurrentControlPasses", Pass::NodeAttachments, "g1 1 2; F1 1 2 3 1", 1},
    {"AttachmentsSNodePasses", Pass::NodeAttachments, "g1 1 2; G1 3 1 1 2; S 3 2", 1},
    {"AttachmentsSingleSLabelIsANode", Pass::NodeAttachments, "g1 1 2; G1 3 1 1 2; S 3 3", 0},

    // Connection through the element pairs and the S-node chain.
    {"ConnectedSeparateParts", Pass::Connected, "g1 1 2; g2 3 4", 0},
    {"ConnectedThroughSNodes", Pass::Connected, "g1 1 2; g2 3 4; S 2 3", 1},
    {"ConnectedBesideASingleSLabel", Pass::Connected, "g1 1 2; S 5 5", 1},
    {"NotConnectedToTwoSLabels", Pass::Connected, "g1 1 2; S 5 6", 0},
    {"ConnectedNotThroughSourceCoupling", Pass::Connected, "g1 1 2; g2 3 4; G1 1 2 3 4", 0},
    {"ConnectedThroughSourcePairs", Pass::Connected, "g1 1 2; G1 2 3 3 1", 1},
    {"ConnectedSelfLoopApart", Pass::Connected, "g1 1 2; R1 3 3", 0},
    {"ConnectedReachingBackwards", Pass::Connected, "g1 2 3; g2 1 2; g3 4 1", 1},
    {"ConnectedEmpty", Pass::Connected, "", 1},

    // The whole reduction.
    {"ReduceEmpty", Pass::Reduce, "", 0},
    {"ReduceFreeNodeAtCurrentOutputIsZero", Pass::Reduce, "g1 1 2; g2 2 3; G1 4 1 1 2", 2, ""},
    {"ReduceFreeNodeAtCurrentControlRestarts", Pass::Reduce, "g1 1 2; g2 2 3; F1 1 2 4 1", 3,
     "g1 1 2; g2 2 3; F1 1 2 4 1 w0"},
    {"ReduceCollapsedControlOfK", Pass::Reduce, "g1 1 2; g2 2 3; g3 3 1; K1 1 2 3 3", 0,
     "g2 2 3; g3 3 1; 1 1 2 1 2"},
    {"ReduceMergesBeforeTesting", Pass::Reduce, "g1 1 2; g2 2 1; R1 2 3; R2 3 1; G1 1 2 1 2; G2 2 1 1 2", 0,
     "g2+g1 2 1 w2; R1+R2 2 1 w2; G2-G1 2 1 1 2 w2"},
    {"ReduceContractionSplitsCircuit", Pass::Reduce, "R1 1 2; g1 2 3; G1 4 5 1 2", 2, ""},
    {"ReduceLostNodeIsZero", Pass::Reduce, "g1 1 2; g2 2 3; J1 5 5 5 5; J2 1 3 1 3", 2, ""},
    {"ReduceLostNodeIsZeroBesideSNodes", Pass::Reduce, "g1 1 2; g2 2 3; J1 5 5 5 5; J2 1 3 1 3; S 1 2", 2, ""},
    {"ReduceLostSNodeIsHeld", Pass::Reduce, "g1 1 2; g2 2 3; J1 5 5 5 5; J2 1 3 1 3; S 1 5", 0,
     "g1 1 2; g2 2 3; J2 1 3 1 3 w-999"},
    {"ReduceDisconnectedIsZero", Pass::Reduce, "g1 1 2; g2 3 4", 2, ""},
    {"ReduceLostNodeBeforeRestartIsZero", Pass::Reduce, "R1 1 3; G1 1 3 1 3 w-1; G2 3 1 3 1; G3 1 2 2 2", 2, ""},
    {"ReduceReleasedIdealGivesOne", Pass::Reduce, "g1 1 3; g2 3 2; E1 1 2 1 2; J1 2 1 2 1", 1,
     "g1 1 3; g2 3 2; E1 1 2 1 2 w-999"},
};

class PassTable : public ::testing::TestWithParam<PassCase> {};

TEST_P(PassTable, DecidesAndRewrites) {
    const PassCase& tc = GetParam();
    Circuit c(tc.circuit);
    const std::string before = Render(c.two, c.four);
    EXPECT_EQ(RunPass(tc.pass, c), tc.result);
    EXPECT_EQ(Render(c.two, c.four), tc.after ? tc.after : before);
}

INSTANTIATE_TEST_SUITE_P(Cases, PassTable, ::testing::ValuesIn(kPassCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(WalkPairs, MarksEveryReachedPairOnce) {
    auto L = LabelOfNode;
    std::vector<NodePair> pairs = {{L(1), L(2)}, {L(3), L(4)}, {L(5), L(2)}, {L(1), L(1)}, {L(4), L(6)}};
    int count = 0;
    WalkPairs(pairs, L(1), L(1), count);
    EXPECT_EQ(count, 3);
    for (int i : {0, 2, 3}) EXPECT_EQ(pairs[i].first, kVisitedMark) << i;
    EXPECT_EQ(pairs[1].first, L(3));
    EXPECT_EQ(pairs[4].first, L(4));
}

// ---- against the nodal reference ------------------------------------------

TEST(ReduceCircuitOracle, KeepsTheDeterminant) {
    std::mt19937 rng(20240611);
    int seen[4] = {};
    for (int round = 0; round < 6000; ++round) {
        test::RandomCircuit c = test::MakeRandomCircuit(rng, round % 3 == 0);
        const std::string text = Render(c.two, c.four);
        const test::ReferenceValue before = test::SemanticDeterminant(c.two, c.four, c.values);
        NodeLabel noS[1] = {0};
        int result = -1;
        ReduceCircuit(0, noS, c.two, c.four, result);
        ASSERT_TRUE(result >= 0 && result <= 3) << text;
        ++seen[result];
        if (result == 2) {
            EXPECT_TRUE(test::IsZeroValue(before)) << text << " is not zero: " << static_cast<double>(before.value);
            continue;
        }
        const test::ReferenceValue after = test::SemanticDeterminant(c.two, c.four, c.values);
        EXPECT_TRUE(test::SameValue(before, after))
            << text << " -> " << Render(c.two, c.four) << ": " << static_cast<double>(before.value) << " vs "
            << static_cast<double>(after.value);
    }
    // The circuits must reach every outcome.
    EXPECT_GT(seen[0], 100);
    EXPECT_GT(seen[1], 10);
    EXPECT_GT(seen[2], 100);
    EXPECT_GT(seen[3], 100);
}

}  // namespace
}  // namespace vorlan
