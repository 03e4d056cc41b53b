#include <gtest/gtest.h>

#include <random>
#include <string>

#include "circuit_fixture.h"
#include "finders.h"
#include "random_circuit.h"
#include "reduction.h"
#include "semantic_determinant.h"

namespace vorlan {
namespace {

using test::Circuit;
using test::Render;

enum class Finder { Shorted, Chained, AcrossPort, Pendant, UnitNode };

bool RunFinder(Finder finder, Circuit& c, Factor& factor) {
    switch (finder) {
    case Finder::Shorted: return FindShortedImpedance(c.two, factor);
    case Finder::Chained: return FindChainedUnitElements(c.four, factor);
    case Finder::AcrossPort: return FindImpedanceAcrossPort(c.two, c.four, factor);
    case Finder::Pendant: return FindPendantAdmittance(c.nS(), c.sNodes(), c.two, c.four, factor);
    case Finder::UnitNode: return FindUnitElementNode(c.nS(), c.sNodes(), c.two, c.four, factor);
    }
    return false;
}

constexpr int kNoMerge = -1;  // the merge node kNoNode

struct FinderCase {
    const char* label;
    Finder finder;
    const char* circuit;
    // Expected when found; a case that finds nothing expects the circuit
    // unchanged.
    bool found;
    const char* name = "";
    int weight = 0;
    int x = kNoMerge;
    int y = kNoMerge;
    int sign = 0;
    const char* after = "";
};

const FinderCase kFinderCases[] = {
    // Shorted impedance: the first impedance whose ends coincide, never an
    // admittance; no merge.
    {"ShortedTakesFirstShortedImpedance", Finder::Shorted, "R1 1 2; g1 3 3; R2+R3 2 2 w2; R4 4 4", true,
     "R2+R3", 2, 2, 2, 0, "R1 1 2; g1 3 3; R4 4 4"},
    {"ShortedIgnoresAdmittanceLoop", Finder::Shorted, "g1 1 1; R1 1 2", false},

    // Chained unit elements.
    {"ChainedUnitOverPairIsItsOwnPartner", Finder::Chained, "1 1 2 1 2", true, "1", -1, 1, 2, 0, ""},
    {"ChainedReversedControlGivesMinus", Finder::Chained, "1 1 2 2 1", true, "1", -1, 1, 2, 1, ""},
    {"ChainedInOrderReversesTakenControl", Finder::Chained, "1 1 2 3 4; 1 5 6 1 2", true, "1", -1, 1, 2, 0,
     "1 5 6 4 3"},
    {"ChainedReversedKeepsTakenControl", Finder::Chained, "1 1 2 3 4; 1 5 6 2 1", true, "1", -1, 1, 2, 0,
     "1 5 6 3 4"},
    {"ChainedPinnedPairsComeFirst", Finder::Chained, "1 1 2 1 2; E1 3 4 5 6 w-999; U1 7 8 3 4 w-999", true, "E1",
     -999, 3, 4, 0, "1 1 2 1 2; U1 7 8 6 5 w-999"},
    {"ChainedNeverMixesWeights", Finder::Chained, "E1 1 2 3 4 w-999; 1 5 6 1 2; G1 7 8 7 8 w-2", false},
    {"ChainedNeedsNegativeWeight", Finder::Chained, "K1 1 2 1 2", false},

    // Impedance across a port; x = y, so nothing is merged.
    {"AcrossForcingOutputEitherOrientation", Finder::AcrossPort, "g1 1 2; R1 2 1; K1 1 2 3 4", true, "R1", 1, 2, 2,
     0, "g1 1 2; K1 1 2 3 4"},
    {"AcrossVoltageControlIsNoFactor", Finder::AcrossPort, "R1 3 4; G1 1 2 3 4", false},
    {"AcrossCurrentSensingControl", Finder::AcrossPort, "R1 4 3; F1 1 2 3 4", true, "R1", 1, 4, 4, 0,
     "F1 1 2 3 4"},
    {"AcrossOutputsBeforeControls", Finder::AcrossPort, "R1 3 4; R2 1 2; F1 5 6 3 4; K1 1 2 7 8", true, "R2", 1, 1,
     1, 0, "R1 3 4; F1 5 6 3 4; K1 1 2 7 8"},
    {"AcrossNegativeElementControl", Finder::AcrossPort, "R1 3 4; G1 1 2 3 4 w-1", true, "R1", 1, 3, 3, 0,
     "G1 1 2 3 4 w-1"},
    {"AcrossIdealElementControl", Finder::AcrossPort, "R1 1 2; J1 1 2 1 2", true, "R1", 1, 1, 1, 0, "J1 1 2 1 2"},
    {"AcrossNeedsFourTerminal", Finder::AcrossPort, "R1 1 2", false},

    // Pendant admittance: the only two-terminal at a non-S node whose
    // four-terminal ends leave the node's voltage or current free.
    {"PendantAloneAtNode", Finder::Pendant, "R1 1 2; g1 2 3", true, "g1", 1, 2, 3, 0, "R1 1 2"},
    {"PendantNeverAtSNode", Finder::Pendant, "R1 1 2; g1 2 3; S 3", false},
    {"PendantResistorIsNoAdmittance", Finder::Pendant, "g1 1 2; g2 2 3; g3 3 1; R1 3 4", false},
    {"PendantWithVoltageControl", Finder::Pendant, "R1 1 2; g1 2 3; K1 1 2 3 1", true, "g1", 1, 2, 3, 0,
     "R1 1 2; K1 1 2 3 1"},
    {"PendantNotWithCurrentSensingControl", Finder::Pendant, "R1 1 2; g1 2 3; F1 1 2 3 1", false},
    {"PendantWithCurrentOutput", Finder::Pendant, "R1 1 2; g1 2 3; G1 3 1 1 2", true, "g1", 1, 2, 3, 0,
     "R1 1 2; G1 3 1 1 2"},
    {"PendantNotWithForcingOutput", Finder::Pendant, "R1 1 2; g1 2 3; K1 3 1 1 2", false},
    {"PendantNotWithOutputAndControl", Finder::Pendant, "R1 1 2; g1 2 3; G1 3 1 3 2", false},
    {"PendantSecondIdealControlIgnored", Finder::Pendant, "R1 1 2; g1 2 3; U1 1 2 3 1; U2 2 1 3 2", true, "g1", 1,
     2, 3, 0, "R1 1 2; U1 1 2 3 1; U2 2 1 3 2"},
    {"PendantTwoControlsOtherwise", Finder::Pendant, "R1 1 2; g1 2 3; U1 1 2 3 1; K1 2 1 3 2", false},

    // Unit-element node: o = the unit element with an output end at the
    // node, c = the one with a control end there.
    {"UnitNodeEliminatedAcrossG", Finder::UnitNode, "g1 1 2; g2 2 4; 1 3 1 5 6; 1 7 8 3 2; G1 3 4 1 2", true, "1",
     -1, kNoMerge, kNoMerge, 0, "g1 1 2; g2 2 4; 1 7 8 6 5; G1 1 4 1 2"},
    {"UnitNodeRefusedByForcingOutput", Finder::UnitNode, "g1 1 2; g2 2 4; 1 3 1 5 6; 1 7 8 3 2; K1 3 4 1 2", false},
    {"UnitNodeNeverAtSNode", Finder::UnitNode, "g1 1 2; g2 2 4; 1 3 1 5 6; 1 7 8 3 2; S 3", false},
    {"UnitNodeNotAtTwoTerminal", Finder::UnitNode, "g1 1 3; 1 3 1 3 2", false},
    {"UnitNodeOneElementEndsDiffer", Finder::UnitNode, "g1 1 2; 1 3 1 2 3", true, "1", -1, kNoMerge, kNoMerge, 1,
     "g1 1 2"},
    {"UnitNodeOneElementEndsAgree", Finder::UnitNode, "g1 1 2; 1 3 1 3 2", true, "1", -1, kNoMerge, kNoMerge, 0,
     "g1 1 2"},
    {"UnitNodeMovesOutputsControlOfTakenElement", Finder::UnitNode, "g1 1 2; g2 5 1; 1 3 1 3 5; 1 7 8 3 2", true,
     "1", -1, kNoMerge, kNoMerge, 0, "g1 1 2; g2 5 1; 1 7 8 5 2"},
    {"UnitNodeTakesPinnedSourceName", Finder::UnitNode, "g1 1 2; G1 3 1 3 2 w-1", true, "G1", -1, kNoMerge,
     kNoMerge, 0, "g1 1 2"},
    {"UnitNodeNeedsNegativeWeight", Finder::UnitNode, "g1 1 2; K1 3 1 3 2", false},
};

class FinderTable : public ::testing::TestWithParam<FinderCase> {};

TEST_P(FinderTable, TakesTheRightElement) {
    const FinderCase& tc = GetParam();
    Circuit c(tc.circuit);
    const std::string before = Render(c);
    Factor factor;
    ASSERT_EQ(RunFinder(tc.finder, c, factor), tc.found);
    if (!tc.found) {
        EXPECT_EQ(Render(c), before);
        return;
    }
    auto label = [](int node) { return node == kNoMerge ? kNoNode : LabelOfNode(node); };
    EXPECT_EQ(factor.name, tc.name);
    EXPECT_EQ(factor.weight, tc.weight);
    EXPECT_EQ(factor.x, label(tc.x));
    EXPECT_EQ(factor.y, label(tc.y));
    EXPECT_EQ(factor.sign, tc.sign);
    EXPECT_EQ(Render(c.two, c.four), tc.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, FinderTable, ::testing::ValuesIn(kFinderCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Every factor taken out keeps the determinant: D = (-1)^sign * factor * D'
// with D' the rest after the merge of x into y. Checked on random circuits
// as the reduction leaves them (the finders run on reduced circuits only).
TEST(FinderOracle, FactorTimesRestIsTheDeterminant) {
    std::mt19937 rng(7);
    int found[5] = {};
    for (int round = 0; round < 12000; ++round) {
        test::RandomCircuit c = test::MakeRandomCircuit(rng, round % 3 == 0);
        NodeLabel noS[1] = {0};
        int result = 0;
        ReduceCircuit(0, noS, c.two, c.four, result);
        if (result == 2 || result == 3) continue;
        const test::ReferenceValue before = test::SemanticDeterminant(c.two, c.four, c.values);
        for (int f = 0; f < 5; ++f) {
            Circuit rest("");
            rest.two = c.two;
            rest.four = c.four;
            Factor factor;
            if (!RunFinder(static_cast<Finder>(f), rest, factor)) continue;
            ++found[f];
            // The merge as a plain renaming: elements it makes void stay,
            // and so do the nodes they hold.
            if (factor.x != kNoNode && factor.x != factor.y) {
                auto rename = [&](NodeLabel& n) {
                    if (n == factor.x) n = factor.y;
                };
                for (TwoTerminal& t : rest.two) rename(t.n1), rename(t.n2);
                for (FourTerminal& q : rest.four) rename(q.n1), rename(q.n2), rename(q.n3), rename(q.n4);
            }
            test::ReferenceValue after = test::SemanticDeterminant(rest.two, rest.four, c.values);
            const long double value = (factor.sign ? -1 : 1) * test::NameValue(factor.name, c.values);
            after.value *= value;
            after.scale *= std::fabs(value);
            EXPECT_TRUE(test::SameValue(before, after))
                << "finder " << f << " on " << Render(c.two, c.four) << " took " << factor.name << " sign "
                << factor.sign << ", left " << Render(rest.two, rest.four) << ": "
                << static_cast<double>(before.value) << " vs " << static_cast<double>(after.value);
        }
    }
    for (int f = 0; f < 5; ++f) EXPECT_GT(found[f], 50) << "finder " << f;
}

}  // namespace
}  // namespace vorlan
