#include <gtest/gtest.h>

#include <string>

#include "circuit_fixture.h"
#include "merges.h"

namespace vorlan {
namespace {

using test::Circuit;
using test::Render;

enum class Merge { ParallelAdmittances, SeriesImpedances, ParallelG, DropAdmittances, ContractPendant };

int RunMerge(Merge merge, Circuit& c) {
    int result = 0;
    switch (merge) {
    case Merge::ParallelAdmittances: MergeParallelAdmittances(c.two); break;
    case Merge::SeriesImpedances: MergeSeriesImpedances(c.nS(), c.sNodes(), c.two, c.four); break;
    case Merge::ParallelG: MergeParallelGElements(c.four); break;
    case Merge::DropAdmittances: DropRedundantAdmittances(c.two, c.four); break;
    case Merge::ContractPendant:
        result = -1;
        ContractPendantImpedance(c.nS(), c.sNodes(), c.two, c.four, result);
        break;
    }
    return result;
}

struct MergeCase {
    const char* label;
    Merge merge;
    const char* circuit;
    const char* after;  // the whole circuit afterwards, S nodes included
    int result = 0;     // ContractPendantImpedance's result word
};

const MergeCase kMergeCases[] = {
    // Parallel admittances: the later survives in its place, named first.
    {"ParallelLaterSurvivesNamedFirst", Merge::ParallelAdmittances, "g1 1 2; R1 2 3; g2 2 1",
     "R1 2 3; g2+g1 2 1 w2"},
    {"ParallelGroupOfThree", Merge::ParallelAdmittances, "g1 1 2; g2 1 2; g3 2 1", "g3+g2+g1 2 1 w3"},
    {"ParallelTwoGroups", Merge::ParallelAdmittances, "g1 1 2; g2 3 4; g3 2 1; g4 4 3",
     "g3+g1 2 1 w2; g4+g2 4 3 w2"},
    {"ParallelMixedLetters", Merge::ParallelAdmittances, "y1 1 2; Y1 2 1", "Y1+y1 2 1 w2"},
    {"ParallelNeverImpedances", Merge::ParallelAdmittances, "R1 1 2; z1 1 2; Z1 2 1", "R1 1 2; z1 1 2; Z1 2 1"},
    {"ParallelEmptyList", Merge::ParallelAdmittances, "", ""},

    // Series impedances at inner nodes that nothing else touches.
    {"SeriesChainOfThree", Merge::SeriesImpedances, "R1 1 2; R2 2 3; R3 3 4", "R1+R2+R3 1 4 w3"},
    {"SeriesStopsAtSNode", Merge::SeriesImpedances, "R1 1 2; R2 2 3; R3 3 4; S 2", "R1 1 2; R2+R3 2 4 w2; S 2"},
    {"SeriesWeightIsSurvivorPlusOne", Merge::SeriesImpedances, "R1 1 2 w3; z1 2 3 w2", "R1+z1 1 3 w4"},
    {"SeriesNotAcrossAdmittance", Merge::SeriesImpedances, "R1 1 2; R2 2 3; g1 2 4", "R1 1 2; R2 2 3; g1 2 4"},
    {"SeriesNotAtFourTerminal", Merge::SeriesImpedances, "R1 1 2; R2 2 3; G1 4 1 2 4",
     "R1 1 2; R2 2 3; G1 4 1 2 4"},
    {"SeriesNotBesideSelfLoop", Merge::SeriesImpedances, "R1 1 2; R2 2 3; R3 2 2", "R1 1 2; R2 2 3; R3 2 2"},
    {"SeriesNotAtThreeImpedances", Merge::SeriesImpedances, "R1 1 2; R2 2 3; R3 2 4", "R1 1 2; R2 2 3; R3 2 4"},
    {"SeriesLoopBecomesSelfLoop", Merge::SeriesImpedances, "R1 1 2; z2 2 1; g1 2 3", "R1+z2 2 2 w2; g1 2 3"},

    // Parallel G elements; the survivor's orientation is the reference.
    {"ParallelGOppositeControl", Merge::ParallelG, "G1 1 2 3 4; G2 1 2 4 3", "G2-G1 1 2 4 3 w2"},
    {"ParallelGOppositeOutput", Merge::ParallelG, "G1 1 2 3 4; G2 2 1 3 4", "G2-G1 2 1 3 4 w2"},
    {"ParallelGBothReversedIsSameSense", Merge::ParallelG, "G1 1 2 3 4; G2 2 1 4 3", "G2+G1 2 1 4 3 w2"},
    {"ParallelGCompoundSubtractedInBrackets", Merge::ParallelG, "G1 1 2 3 4; G2 1 2 3 4; G3 2 1 3 4",
     "G3-(G2+G1) 2 1 3 4 w3"},
    {"ParallelGOnlyPositiveWeights", Merge::ParallelG, "G1 1 2 3 4 w0; G2 1 2 3 4; G3 1 2 3 4 w-1",
     "G1 1 2 3 4 w0; G2 1 2 3 4; G3 1 2 3 4 w-1"},
    {"ParallelGOnlyKindG", Merge::ParallelG, "K1 1 2 3 4; K2 1 2 3 4", "K1 1 2 3 4; K2 1 2 3 4"},
    {"ParallelGDifferentPairs", Merge::ParallelG, "G1 1 2 3 4; G2 1 2 3 5", "G1 1 2 3 4; G2 1 2 3 5"},

    // Admittances across a forcing output or a current-sensing control.
    {"DropAcrossIdealOutput", Merge::DropAdmittances, "g1 2 1; R1 1 2; E1 1 2 1 2", "R1 1 2; E1 1 2 1 2"},
    {"DropKeepsAcrossVoltageControl", Merge::DropAdmittances, "g1 3 4; G1 1 2 3 4", "g1 3 4; G1 1 2 3 4"},
    {"DropKeepsAcrossCurrentOutput", Merge::DropAdmittances, "y1 1 2; G1 1 2 3 4", "y1 1 2; G1 1 2 3 4"},
    {"DropAcrossCurrentSensingControl", Merge::DropAdmittances, "g1 3 4; y1 1 2; F1 1 2 4 3", "y1 1 2; F1 1 2 4 3"},
    {"DropAcrossBothPairsOfUnit", Merge::DropAdmittances, "g1 1 2; g2 4 3; g3 1 3; 1 1 2 3 4",
     "g3 1 3; 1 1 2 3 4"},

    // Pendant impedance contraction; the label of the impedance's n2 survives.
    {"ContractPendantFromN1", Merge::ContractPendant, "R1 1 2; g1 2 3; g2 3 4; g3 4 2", "g1 2 3; g2 3 4; g3 4 2"},
    {"ContractPendantFromN2RenamesSNode", Merge::ContractPendant, "g1 1 2; g2 2 3; g3 3 1; R1 3 4; S 3",
     "g1 1 2; g2 2 4; g3 4 1; S 4"},
    {"ContractNotAtForcingOutput", Merge::ContractPendant, "R1 1 2; g1 2 3; g2 3 2; K1 1 3 2 3",
     "R1 1 2; g1 2 3; g2 3 2; K1 1 3 2 3"},
    {"ContractNotAtCurrentSensingControl", Merge::ContractPendant, "R1 1 2; g1 2 3; g2 3 2; F1 2 3 1 3",
     "R1 1 2; g1 2 3; g2 3 2; F1 2 3 1 3"},
    {"ContractNotAtOutputAndControl", Merge::ContractPendant, "R1 1 2; g1 2 3; g2 3 2; G1 1 3 3 1",
     "R1 1 2; g1 2 3; g2 3 2; G1 1 3 3 1"},
    {"ContractIgnoresSelfLoop", Merge::ContractPendant, "R1 1 2; R2 1 1; g1 2 3; g2 3 2", "R2 2 2; g1 2 3; g2 3 2"},
    {"ContractCollapsedControlMakesUnit", Merge::ContractPendant, "R1 1 2; g1 2 3; K1 3 2 1 2",
     "g1 2 3; 1 3 2 3 2"},
    {"ContractCollapsedOutputIsZero", Merge::ContractPendant, "R1 1 2; g1 2 3; g2 3 4; g3 4 2; 1 1 2 3 4",
     "g1 2 3; g2 3 4; g3 4 2; 1 2 2 3 4", 2},
    {"ContractSplittingCircuitIsZero", Merge::ContractPendant, "R1 1 2; g1 2 3; G1 4 5 1 2", "g1 2 3", 2},
    // Only the subcircuit between two or more S labels holds a node the
    // circuit lets go of.
    {"ContractSplittingIsZeroBesideSNodes", Merge::ContractPendant, "R1 1 2; g1 2 3; G1 4 5 1 2; S 2 3",
     "g1 2 3; S 2 3", 2},
    {"ContractLettingGoOfSNode", Merge::ContractPendant, "R1 1 2; g1 2 3; G1 4 3 1 2; S 3 4", "g1 2 3; S 3 4"},
    {"ContractLettingGoOfSingleSLabelIsZero", Merge::ContractPendant, "R1 1 2; g1 2 3; G1 4 3 1 2; S 4 4",
     "g1 2 3; S 4 4", 2},
    {"ContractLastElementLeavesOneNode", Merge::ContractPendant, "R1 1 2", ""},
    {"ContractLastElementBesideLostNodeIsZero", Merge::ContractPendant, "R1 2 3; G1 2 3 2 1", "", 2},
    {"ContractNothingWithoutImpedance", Merge::ContractPendant, "g1 1 2", "g1 1 2"},
};

class MergeTable : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeTable, RewritesTheLists) {
    const MergeCase& tc = GetParam();
    Circuit c(tc.circuit);
    const int result = RunMerge(tc.merge, c);
    EXPECT_EQ(Render(c), tc.after);
    if (tc.merge == Merge::ContractPendant) {
        EXPECT_EQ(result, tc.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeTable, ::testing::ValuesIn(kMergeCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace vorlan
