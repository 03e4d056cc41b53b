#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "choice.h"

namespace vorlan {
namespace {

// Lists written as text: two-terminals "g1 ab" (name, then the two nodes),
// four-terminals "K1 abcd" or "K1 abcd 2" (name, four nodes, weight; the
// weight defaults to 1). Nodes are single letters.
TwoTerminalList Two(std::vector<std::string> items) {
    TwoTerminalList list;
    for (const std::string& item : items) {
        const std::size_t blank = item.find(' ');
        const std::string nodes = item.substr(blank + 1);
        const int weight = nodes.size() > 2 ? std::stoi(nodes.substr(3)) : 1;
        AddTwoTerminal(nodes[0], nodes[1], weight, item.substr(0, blank), list);
    }
    return list;
}

FourTerminalList Four(std::vector<std::string> items) {
    FourTerminalList list;
    for (const std::string& item : items) {
        const std::size_t blank = item.find(' ');
        const std::string nodes = item.substr(blank + 1);
        const int weight = nodes.size() > 4 ? std::stoi(nodes.substr(5)) : 1;
        AddFourTerminal(nodes[0], nodes[1], nodes[2], nodes[3], weight, item.substr(0, blank), list);
    }
    return list;
}

// ---- ChooseFourTerminal -------------------------------------------------

struct FourCase {
    const char* name;
    std::vector<std::string> four;
    int index;  // -1: none qualifies
};

class ChooseFourTerminalTable : public ::testing::TestWithParam<FourCase> {};

TEST_P(ChooseFourTerminalTable, ClassOrderThenListOrder) {
    const FourCase& c = GetParam();
    int index = 7;
    EXPECT_EQ(ChooseFourTerminal(Four(c.four), index), c.index >= 0);
    EXPECT_EQ(index, c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseFourTerminalTable,
    ::testing::Values(
        FourCase{"Empty", {}, -1},
        FourCase{"NoPositiveWeight", {"E1 abcd -999", "1 abab -1", "G1 abab 0", "K1 abac -2"}, -1},
        FourCase{"PinnedIdealSkipped", {"E1 abab -999", "K1 cdef"}, 1},
        FourCase{"SharingIdealFirst", {"E1 abcd 999", "E2 abbe 999"}, 1},
        FourCase{"EachOfTheFourPairings", {"J1 abcd 999", "J2 abae 999"}, 1},
        FourCase{"IdealBeatsSharingF", {"F1 abac", "J1 abcd 999"}, 1},
        FourCase{"FBeatsSharingK", {"K1 abbc", "F1 abcd"}, 1},
        FourCase{"SharingF", {"F1 abcd", "F2 abcb"}, 1},
        FourCase{"KBeatsSharingH", {"H1 abad", "K1 abcd"}, 1},
        FourCase{"HBeatsSharingG", {"G1 abad", "H1 abcd"}, 1},
        FourCase{"SharingG", {"G1 abcd", "G2 abcb", "G3 abca"}, 1},
        FourCase{"MeterLast", {"U1 abab 999", "G1 cdef"}, 1},
        FourCase{"AnyPositiveLast", {"1 abab -1", "I1 abcd 999"}, 1},
        FourCase{"FirstInListOrder", {"K1 abcd 2", "K2 abcd"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- list tests ---------------------------------------------------------

TEST(ListTests, KindsAndWeights) {
    EXPECT_FALSE(HasAdmittance({}));
    EXPECT_FALSE(HasImpedance({}));
    EXPECT_FALSE(HasKindG({}));
    EXPECT_FALSE(HasNegativeWeight({}));

    for (const char* name : {"g1", "y1", "Y1"}) {
        EXPECT_TRUE(HasAdmittance(Two({"R1 ab", std::string(name) + " bc"}))) << name;
        EXPECT_FALSE(HasImpedance(Two({std::string(name) + " bc"}))) << name;
    }
    for (const char* name : {"R1", "z1", "Z1"}) {
        EXPECT_TRUE(HasImpedance(Two({"g1 ab", std::string(name) + " bc"}))) << name;
        EXPECT_FALSE(HasAdmittance(Two({std::string(name) + " bc"}))) << name;
    }
    EXPECT_FALSE(HasAdmittance(Two({"G1 ab", "r1 ab"})));  // case matters

    EXPECT_TRUE(HasKindG(Four({"K1 abcd", "G1 abcd 0"})));
    EXPECT_FALSE(HasKindG(Four({"K1 abcd", "g1 abcd"})));
    EXPECT_TRUE(HasNegativeWeight(Four({"K1 abcd", "1 abab -1"})));
    EXPECT_FALSE(HasNegativeWeight(Four({"K1 abcd", "G1 abcd 0", "E1 abab 999"})));
}

TEST(ListTests, MinOfMaxOf) {
    EXPECT_EQ(MinOf(2, 3), 2);
    EXPECT_EQ(MinOf(3, -2), -2);
    EXPECT_EQ(MaxOf(2, 3), 3);
    EXPECT_EQ(MaxOf(-3, -2), -2);
}

// ---- the two-terminal choosers ------------------------------------------

struct TwoCase {
    const char* name;
    std::vector<std::string> two;
    std::vector<std::string> four;
    int index;
};

class PendantAdmittance : public ::testing::TestWithParam<TwoCase> {};

TEST_P(PendantAdmittance, Chooses) {
    const TwoCase& c = GetParam();
    EXPECT_EQ(ChoosePendantAdmittance(Two(c.two), Four(c.four)), c.index);
}

// Nodes in first-appearance order: a (pendant g1), b, c, d, e (pendant g2).
const std::vector<std::string> kTwoPendants = {"g1 ab", "R1 bc", "y2 bd", "Y3 cd", "g2 ce"};

INSTANTIATE_TEST_SUITE_P(
    Cases, PendantAdmittance,
    ::testing::Values(
        TwoCase{"Empty", {}, {}, -1},
        TwoCase{"PendantResistorSkipped", {"R1 ab", "g1 bc", "g2 bc"}, {}, -1},
        TwoCase{"PendantBehindResistor", {"R1 ab", "g1 bc", "y2 cd"}, {}, 2},
        TwoCase{"EqualBalanceLaterNode", kTwoPendants, {}, 4},
        TwoCase{"LargerBalanceEarlier", kTwoPendants, {"G1 axyz", "G2 ayxz"}, 0},
        TwoCase{"LargerBalanceLater", kTwoPendants, {"G1 axyz", "G2 exyz", "G3 eyxz"}, 4},
        TwoCase{"SmallerBalanceLater", kTwoPendants, {"G1 axyz", "G2 ayxz", "G3 exyz"}, 0},
        // One K output at a and nothing else: chosen although e has balance 2.
        TwoCase{"ForcingOutputAtOnce", kTwoPendants, {"K1 axyz", "G2 exyz", "G3 eyxz"}, 0},
        TwoCase{"CurrentOutputNotAtOnce", kTwoPendants, {"F1 axyz", "G2 exyz", "G3 eyxz"}, 4},
        TwoCase{"CurrentControlAtOnce", kTwoPendants, {"J1 xyaz 999", "G2 exyz", "G3 eyxz"}, 0},
        TwoCase{"VoltageControlNotAtOnce", kTwoPendants, {"G1 xyaz", "G2 exyz", "G3 eyxz"}, 4},
        TwoCase{"OneOutputOneControlAtOnce", kTwoPendants, {"G1 axyz", "G4 xyaz", "G2 exyz", "G3 eyxz"}, 0},
        TwoCase{"SameElementBothPairs", kTwoPendants, {"G1 axay", "G2 exyz", "G3 eyxz"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class AdmittanceChoice : public ::testing::TestWithParam<TwoCase> {};
TEST_P(AdmittanceChoice, Chooses) {
    const TwoCase& c = GetParam();
    EXPECT_EQ(ChooseAdmittance(Two(c.two), Four(c.four)), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdmittanceChoice,
    ::testing::Values(
        // degrees (1, 3) against (2, 2): the smaller minimum wins
        TwoCase{"SmallerMinimum", {"y2 ef", "R3 eg", "R4 fh", "g1 ab", "R1 bc", "R2 bd"}, {}, 3},
        // (2, 3) against (2, 2): equal minimum, the smaller sum wins
        TwoCase{"SmallerSum", {"g1 ab", "R1 ac", "R2 bd", "R3 be", "y2 fh", "R4 fi", "R5 hj"}, {}, 4},
        TwoCase{"LargerWeight", {"g1 ab", "g2 cd 2", "g3 ef 2"}, {}, 1},
        TwoCase{"LargerBalance", {"g1 ab", "g2 cd", "g3 ef"}, {"K1 cxyz", "K2 cyxz"}, 1},
        TwoCase{"BalanceIsOutputsAgainstControls", {"g1 ab", "g2 cd"}, {"K1 axyz", "K2 xyaz", "K3 cxyz"}, 1},
        TwoCase{"TieKeepsEarlier", {"R1 ab", "g1 cd", "g2 ef"}, {}, 1},
        TwoCase{"ImpedancesSkipped", {"R1 ab", "R2 bc", "y1 cd", "R3 de", "R4 df"}, {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

class ImpedanceChoice : public ::testing::TestWithParam<TwoCase> {};
TEST_P(ImpedanceChoice, Chooses) {
    const TwoCase& c = GetParam();
    EXPECT_EQ(ChooseImpedance(Two(c.two), Four(c.four)), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImpedanceChoice,
    ::testing::Values(
        // degrees (2, 2) against (1, 3): the larger maximum wins
        TwoCase{"LargerMaximum", {"z2 ef", "g3 eg", "g4 fh", "R1 ab", "g1 bc", "g2 bd"}, {}, 3},
        // (1, 2) against (2, 2): equal maximum, the larger sum wins
        TwoCase{"EqualMaximumLargerSum", {"R1 ab", "g1 bc", "R2 de", "g2 df", "g3 eg"}, {}, 2},
        TwoCase{"LargerWeight", {"R1 ab", "R2 cd 2", "R3 ef 2"}, {}, 1},
        TwoCase{"LargerBalance", {"R1 ab", "R2 cd", "R3 ef"}, {"G1 xydz", "G2 yxdz"}, 1},
        TwoCase{"TieKeepsEarlier", {"g1 ab", "z1 cd", "Z2 ef"}, {}, 1},
        TwoCase{"AdmittancesSkipped", {"g1 ab", "g2 ac", "g3 ad", "R1 ef"}, {}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorlan
