// The output drivers: how each expression's lists are wired, and the
// transfer functions they produce checked by numbers against a direct
// solution of the circuit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_lists.h"

namespace vorlan {
namespace {

NodeLabel L(int node) { return LabelOfNode(node); }

std::string Nodes(std::initializer_list<NodeLabel> nodes) {
    std::string s;
    for (NodeLabel n : nodes) s.push_back(static_cast<char>(n));
    return s;
}

// "name[n1n2n3n4]weight" per record, blank-separated: a list at a glance.
std::string Describe(const FourTerminalList& four) {
    std::string s;
    for (const FourTerminal& f : four) {
        if (!s.empty()) s += ' ';
        s += f.name + "[" + Nodes({f.n1, f.n2, f.n3, f.n4}) + "]" + std::to_string(f.weight);
    }
    return s;
}

std::string Describe(const TwoTerminalList& two) {
    std::string s;
    for (const TwoTerminal& t : two) {
        if (!s.empty()) s += ' ';
        s += t.name + "[" + Nodes({t.n1, t.n2}) + "]";
    }
    return s;
}

TwoTerminal Two(const char* name, int n1, int n2) { return {L(n1), L(n2), 1, name}; }
FourTerminal Four(const char* name, int n1, int n2, int n3, int n4, int weight = kWeightControlled) {
    return {L(n1), L(n2), L(n3), L(n4), weight, name};
}
FourTerminal Ideal(const char* name, int n1, int n2) { return Four(name, n1, n2, n1, n2, kWeightIdeal); }

// ---- main analysis -------------------------------------------------------

class MainWiring : public ::testing::Test {
protected:
    const TwoTerminalList two_ = {Two("R1", 1, 2), Two("g2", 2, 0)};
    const FourTerminalList four_ = {Ideal("E1", 1, 0), Four("F1", 2, 0, 3, 4), Four("H1", 3, 0, 4, 3),
                                    Ideal("J1", 2, 0), Four("F2", 1, 0, 5, 6), Four("G1", 1, 2, 3, 4)};
    // A voltage probe, a current probe and a second current probe.
    const TwoTerminalList probes_ = {Two("U1", 2, 0), Two("I1", 3, 4), Two("I2", 5, 6)};
};

TEST_F(MainWiring, DeterminantShortsEOpensJAndShortsCurrentProbes) {
    const PreparedLists lists = DeterminantLists(two_, four_, probes_);
    EXPECT_EQ(Describe(lists.two), "R1[12] g2[20]");
    EXPECT_EQ(Describe(lists.four), "1[1010]-1 F1[2034]1 H1[3043]1 F2[1056]1 G1[1234]1 1[3434]-1 1[5656]-1");
    EXPECT_EQ(four_.size(), 6u);  // the caller's tables stay as they are
    EXPECT_EQ(four_[0].name, "E1");
}

TEST_F(MainWiring, VoltageProbeNumeratorTurnsOnlyTheSourceControls) {
    const PreparedLists lists = NumeratorLists(two_, four_, probes_, 0);
    EXPECT_EQ(Describe(lists.two), "R1[12] g2[20]");
    EXPECT_EQ(Describe(lists.four),
              "E1[1002]999 F1[2034]1 H1[3043]1 J1[2002]999 F2[1056]1 G1[1234]1 1[3434]-1 1[5656]-1");
}

TEST_F(MainWiring, CurrentProbeNumeratorDropsFAndShortsHItControls) {
    // I1 over (3, 4) controls F1 (3, 4) and H1 (4, 3); F2 is I2's.
    const PreparedLists lists = NumeratorLists(two_, four_, probes_, 1);
    EXPECT_EQ(Describe(lists.four), "E1[1043]999 1[3030]-1 J1[2043]999 F2[1056]1 G1[1234]1 1[5656]-1");
}

TEST_F(MainWiring, DenominatorShortsACurrentProbeOnlyWhenNoElementUsesItsPair) {
    // I1's pair is F1's control pair: no unit for it.
    EXPECT_EQ(Describe(DenominatorLists(two_, four_, probes_, 1).four),
              "1[1010]-1 F1[2034]1 H1[3043]1 F2[1056]1 G1[1234]1 1[5656]-1");
    // U1 gets none either way.
    EXPECT_EQ(Describe(DenominatorLists(two_, four_, probes_, 0).four),
              "1[1010]-1 F1[2034]1 H1[3043]1 F2[1056]1 G1[1234]1 1[3434]-1 1[5656]-1");
    // A current probe nothing else touches is shorted last.
    const TwoTerminalList probes = {Two("I3", 2, 1)};
    EXPECT_EQ(Describe(DenominatorLists(two_, {Ideal("J1", 2, 0)}, probes, 0).four), "1[2121]-1");
}

// ---- flagged analysis ----------------------------------------------------

TEST(FreshLabels, SkipCircuitNodesSNodesAndReservedBytes) {
    const TwoTerminalList two = {Two("R1", 52, 54)};
    const FourTerminalList four = {Four("G1", 0, 1, 56, 57)};
    const NodeLabel sNodes[] = {0, L(55)};
    FreshLabels fresh(two, four, 1, sNodes, L(52));
    EXPECT_EQ(fresh.next(), L(53));
    EXPECT_EQ(fresh.next(), L(58));
    EXPECT_EQ(fresh.next(), L(59));

    FreshLabels high({}, {}, 0, sNodes, 0xEE);
    EXPECT_EQ(high.next(), 0xEE);
    EXPECT_EQ(high.next(), 0xF0);  // the visited mark is no label
    FreshLabels wrap({}, {}, 0, sNodes, 0xFF);
    EXPECT_EQ(wrap.next(), 0xFF);
    EXPECT_EQ(wrap.next(), 0x01);  // nor is the byte 0
}

class FlaggedWiring : public ::testing::Test {
protected:
    // Marked: R1 (slot 0) read by the voltmeter V1 (slot 3), F1 (slot 2)
    // read by the ammeter A1 (slot 4). Node 53 ("e") is a circuit node.
    const TwoTerminalList two_ = {Two("g2", 1, 0), Two("R3", 2, 53)};
    const FourTerminalList four_ = {Four("R1", 1, 2, 1, 2), Ideal("E1", 1, 0), Four("F1", 2, 0, 5, 6),
                                    Ideal("U1", 2, 0), Ideal("I1", 5, 6), Ideal("J1", 2, 0)};
    const std::vector<int> flagged_ = {0, 2};
    const std::vector<MeterItem> meters_ = {{3, "U1"}, {4, "I1"}};
    const NodeLabel sNodes_[2] = {0, 0};
};

TEST_F(FlaggedWiring, DeterminantSteersEachMarkedElementByItsMeter) {
    const PreparedLists lists = FlaggedDeterminantLists(two_, four_, flagged_, meters_, 0, sNodes_);
    // "d" and "e" are taken by R3's nodes: the voltmeter's fresh node is "f".
    EXPECT_EQ(Describe(lists.two), "g2[10] R3[2e]");
    EXPECT_EQ(Describe(lists.four), "1[122f]-1 1[1010]-1 1[2056]-1 1[f0f0]-1 1[5656]-1");
}

TEST_F(FlaggedWiring, ResponseWiresTheReceiverAndSteersMetersAndSources) {
    // Response of R1 (the voltmeter's element): the receiver pair is (2, d).
    const PreparedLists shared = FlaggedResponseLists(two_, four_, flagged_, meters_, 0, 0, sNodes_);
    EXPECT_EQ(Describe(shared.four),
              "R1[1212]1 E1[102d]999 1[2056]-1 U1[d0d2]999 I1[562d]999 J1[202d]999 1[5656]-1");
    EXPECT_EQ(Describe(FlaggedNumeratorLists(shared, 0).four),
              "1[1212]-1 E1[102d]999 1[2056]-1 U1[d0d2]999 I1[562d]999 J1[202d]999 1[5656]-1");
    EXPECT_EQ(Describe(FlaggedDenominatorLists(shared, 0).four),
              "E1[102d]999 1[2056]-1 U1[d0d2]999 I1[562d]999 J1[202d]999 1[5656]-1");

    // Response of F1, read by the ammeter: R1 now steered by the voltmeter
    // with its fresh node "d"; every meter's control is the pair (5, 6).
    const PreparedLists f1 = FlaggedResponseLists(two_, four_, flagged_, meters_, 1, 0, sNodes_);
    EXPECT_EQ(Describe(f1.four), "1[122d]-1 E1[1056]999 F1[2056]1 U1[d065]999 I1[5656]999 J1[2056]999");
    EXPECT_EQ(Describe(FlaggedNumeratorLists(f1, 2).four),
              "1[122d]-1 E1[1056]999 F1[2056]0 U1[d065]999 I1[5656]999 J1[2056]999");
    EXPECT_EQ(Describe(FlaggedDenominatorLists(f1, 2).four),
              "1[122d]-1 E1[1056]999 1[2056]-1 U1[d065]999 I1[5656]999 J1[2056]999");
}

TEST(FlaggedWiringKinds, AdmittanceAndSourceElements) {
    const FourTerminalList four = {Four("g1", 1, 2, 1, 2), Ideal("E1", 1, 0), Ideal("I1", 1, 2),
                                   Ideal("J1", 2, 0)};
    const NodeLabel sNodes[2] = {0, 0};
    const std::vector<MeterItem> meters = {{2, "I1"}, {2, "I1"}};
    const PreparedLists g1 = FlaggedResponseLists({}, four, {0}, meters, 0, 0, sNodes);
    EXPECT_EQ(Describe(FlaggedNumeratorLists(g1, 0).four), "E1[1012]999 I1[1212]999 J1[2012]999");
    EXPECT_EQ(Describe(FlaggedDenominatorLists(g1, 0).four), "1[1212]-1 E1[1012]999 I1[1212]999 J1[2012]999");

    // A marked E: released in the numerator (another ideal element stays,
    // so it is shorted), and in the denominator a unit element on its four
    // nodes with the other ideal elements made inert.
    const PreparedLists e1 = FlaggedResponseLists({}, four, {1}, meters, 0, 0, sNodes);
    EXPECT_EQ(Describe(FlaggedNumeratorLists(e1, 1).four), "g1[1212]1 1[1010]-1 I1[1212]999 J1[2012]999");
    EXPECT_EQ(Describe(FlaggedDenominatorLists(e1, 1).four), "g1[1212]1 1[1012]-1");
}

}  // namespace
}  // namespace vorlan
