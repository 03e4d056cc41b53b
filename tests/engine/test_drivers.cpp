// The output drivers: how each expression's lists are wired, and the
// transfer functions they produce checked by numbers against a direct
// solution of the circuit.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "driver_lists.h"
#include "expression_evaluator.h"
#include "nodal_reference.h"
#include "reader.h"
#include "run.h"
#include "script_run.h"

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
    // F1 and H1 sense the current of (3, 4), F2 that of (5, 6); G1's output
    // and K1's control lie over (7, 0) but short nothing.
    const FourTerminalList four_ = {Ideal("E1", 1, 0), Four("F1", 2, 0, 3, 4), Four("H1", 3, 0, 4, 3),
                                    Ideal("J1", 2, 0),  Four("F2", 1, 0, 5, 6), Four("G1", 7, 0, 1, 2),
                                    Four("K1", 1, 2, 0, 7)};
    const TwoTerminalList probes_ = {Two("U1", 2, 0), Two("I1", 3, 4), Two("I2", 5, 6), Two("I3", 7, 0)};
};

TEST_F(MainWiring, DeterminantShortsEOpensJAndShortsCurrentProbes) {
    const PreparedLists lists = DeterminantLists(two_, four_, probes_);
    EXPECT_EQ(Describe(lists.two), "R1[12] g2[20]");
    // I1 and I2 are the shorts of F1, H1 and F2 already.
    EXPECT_EQ(Describe(lists.four), "1[1010]-1 F1[2034]1 H1[3043]1 F2[1056]1 G1[7012]1 K1[1207]1 1[7070]-1");
    EXPECT_EQ(four_.size(), 7u);  // the caller's tables stay as they are
    EXPECT_EQ(four_[0].name, "E1");
}

TEST_F(MainWiring, VoltageProbeNumeratorTurnsOnlyTheSourceControls) {
    const PreparedLists lists = NumeratorLists(two_, four_, probes_, 0);
    EXPECT_EQ(Describe(lists.two), "R1[12] g2[20]");
    EXPECT_EQ(Describe(lists.four),
              "E1[1002]999 F1[2034]1 H1[3043]1 J1[2002]999 F2[1056]1 G1[7012]1 K1[1207]1 1[7070]-1");
}

TEST_F(MainWiring, CurrentProbeNumeratorDropsFAndShortsHItControls) {
    // I1 over (3, 4) controls F1 (3, 4) and H1 (4, 3); F2 is I2's.
    const PreparedLists lists = NumeratorLists(two_, four_, probes_, 1);
    EXPECT_EQ(Describe(lists.four), "E1[1043]999 1[3030]-1 J1[2043]999 F2[1056]1 G1[7012]1 K1[1207]1 1[7070]-1");
}

TEST_F(MainWiring, CurrentProbeNumeratorLeavesAnotherProbeOnItsPairOpenWhereItSteersASource) {
    // I5 sits in I4's branch: its short would short the branch I4 measures.
    const FourTerminalList four = {Ideal("E1", 3, 0), Four("F2", 4, 0, 5, 6)};
    const TwoTerminalList probes = {Two("I4", 2, 1), Two("I5", 1, 2), Two("I6", 7, 0)};
    EXPECT_EQ(Describe(NumeratorLists(two_, four, probes, 0).four), "E1[3012]999 F2[4056]1 1[7070]-1");
    EXPECT_EQ(Describe(NumeratorLists(two_, four, probes, 2).four), "E1[3007]999 F2[4056]1 1[2121]-1");
    // Without a source that the probe steers, the other probe stays a short.
    const FourTerminalList unsteered = {Four("F2", 4, 0, 5, 6)};
    EXPECT_EQ(Describe(NumeratorLists(two_, unsteered, probes, 0).four), "F2[4056]1 1[1212]-1 1[7070]-1");
}

TEST_F(MainWiring, DenominatorShortsEveryCurrentProbeNotShortedAlready) {
    const std::string inert = "1[1010]-1 F1[2034]1 H1[3043]1 F2[1056]1 G1[7012]1 K1[1207]1 1[7070]-1";
    for (std::size_t probe = 0; probe < probes_.size(); ++probe)
        EXPECT_EQ(Describe(DenominatorLists(two_, four_, probes_, probe).four), inert) << probe;
    // Two probes over one pair make one short; the probe's own comes last.
    const TwoTerminalList probes = {Two("I4", 2, 1), Two("I5", 1, 2)};
    EXPECT_EQ(Describe(DenominatorLists(two_, {Ideal("J1", 2, 0)}, probes, 0).four), "1[1212]-1");
    EXPECT_EQ(Describe(DenominatorLists(two_, {Ideal("J1", 2, 0)}, probes, 1).four), "1[2121]-1");
    EXPECT_EQ(Describe(DeterminantLists(two_, {}, probes).four), "1[2121]-1");
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

// ---- transfer functions by numbers -------------------------------------

// A direct solution of a netlist by modified nodal analysis, independent of
// the drivers: every passive an admittance (g, y, Y: its value; R, z, Z: one
// over it), sources and controlled sources in the conventions of the nodal
// reference, a current probe a short whose current is the response. Node 0
// is the reference node.
class DirectSolution {
public:
    DirectSolution(const std::string& netlist, const test::ValueMap& values) {
        std::istringstream in(netlist);
        std::string line;
        std::getline(in, line);  // title
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string name;
            fields >> name;
            if (name.empty() || name[0] == '.') continue;
            Element e;
            e.kind = KindOf(name[0]);
            e.name = std::string(1, e.kind) + name.substr(1);
            for (int& n : e.nodes) fields >> n;
            elements_.push_back(e);
        }
        for (const Element& e : elements_)
            for (int n : e.nodes)
                if (n != 0) index_.emplace(n, static_cast<int>(index_.size()));
        Build(values);
    }

    // The probe's response per unit of the source's value.
    long double Response(const std::string& probe) const {
        for (const Element& e : elements_) {
            if (e.name != probe) continue;
            if (e.kind == 'U') return Voltage(e.nodes[0]) - Voltage(e.nodes[1]);
            return ShortCurrent(e.nodes[0], e.nodes[1]);
        }
        ADD_FAILURE() << "no probe " << probe;
        return 0;
    }

private:
    struct Element {
        char kind = 0;
        std::string name;
        int nodes[4] = {0, 0, 0, 0};
    };

    static char KindOf(char letter) {
        switch (letter) {
        case 'r': return 'g';
        case 'C': return 'z';
        case 'c': return 'y';
        case 'L': return 'Z';
        case 'l': return 'Y';
        default: return letter;
        }
    }

    // Unknowns: node voltages 1.., then branch currents.
    int Node(int n) const { return index_.at(n); }
    long double Voltage(int n) const { return n == 0 ? 0 : x_[Node(n)]; }

    // The current through the short over (a, b), from a to b.
    long double ShortCurrent(int a, int b) const {
        for (const auto& [pair, column] : shorts_) {
            if (pair.first == a && pair.second == b) return x_[column];
            if (pair.first == b && pair.second == a) return -x_[column];
        }
        ADD_FAILURE() << "no short over " << a << " " << b;
        return 0;
    }

    void Build(const test::ValueMap& values) {
        int size = static_cast<int>(index_.size());
        auto value = [&](const std::string& name) {
            const auto it = values.find(name);
            EXPECT_NE(it, values.end()) << name;
            return it == values.end() ? 0.0L : it->second;
        };
        auto sign = [](char kind) {
            const auto& o = test::ExpansionOrientation();
            const auto it = o.find(kind);
            return it == o.end() ? 1 : it->second;
        };
        // A short over (a, b) gets one current column and one row; a probe
        // and a control over the same pair share it.
        auto shortOver = [&](int a, int b) {
            for (const auto& [pair, column] : shorts_)
                if ((pair.first == a && pair.second == b) || (pair.first == b && pair.second == a))
                    return std::pair<int, int>{column, pair.first == a ? 1 : -1};
            shorts_.push_back({{a, b}, size});
            return std::pair<int, int>{size++, 1};
        };
        std::vector<int> branch(elements_.size(), -1);
        for (std::size_t i = 0; i < elements_.size(); ++i) {
            const Element& e = elements_[i];
            if (e.kind == 'F' || e.kind == 'H') shortOver(e.nodes[2], e.nodes[3]);
            if (e.kind == 'I') shortOver(e.nodes[0], e.nodes[1]);
            if (e.kind == 'E' || e.kind == 'K' || e.kind == 'H') branch[i] = size++;
        }
        std::vector<long double> a(static_cast<std::size_t>(size) * size, 0), rhs(size, 0);
        auto at = [&](int row, int column) -> long double& { return a[row * size + column]; };
        // current `c` per unit of column `column` leaves node p and enters q
        auto current = [&](int p, int q, int column, long double c) {
            if (p != 0) at(Node(p), column) += c;
            if (q != 0) at(Node(q), column) -= c;
        };
        auto voltageRow = [&](int row, int p, int q, long double c) {
            if (p != 0) at(row, Node(p)) += c;
            if (q != 0) at(row, Node(q)) -= c;
        };
        for (const auto& [pair, column] : shorts_) {
            current(pair.first, pair.second, column, 1);
            voltageRow(column, pair.first, pair.second, 1);
        }
        for (std::size_t i = 0; i < elements_.size(); ++i) {
            const Element& e = elements_[i];
            const int* n = e.nodes;
            if (IsAdmittanceKind(e.kind) || IsImpedanceKind(e.kind)) {
                const long double y = IsAdmittanceKind(e.kind) ? value(e.name) : 1 / value(e.name);
                for (int p : {n[0], n[1]})
                    if (p != 0) {
                        current(n[0], n[1], Node(p), p == n[0] ? y : -y);
                    }
                continue;
            }
            if (e.kind == 'U' || e.kind == 'I') continue;
            const long double c = e.kind == 'E' || e.kind == 'J' ? 0 : sign(e.kind) * value(e.name);
            switch (e.kind) {
            case 'G':  // c (V3 - V4) from n1 to n2
                if (n[2] != 0) current(n[0], n[1], Node(n[2]), c);
                if (n[3] != 0) current(n[0], n[1], Node(n[3]), -c);
                break;
            case 'K':
                current(n[0], n[1], branch[i], 1);
                voltageRow(branch[i], n[0], n[1], 1);
                voltageRow(branch[i], n[2], n[3], -c);
                break;
            case 'F': {
                const auto [column, orient] = shortOver(n[2], n[3]);
                current(n[0], n[1], column, c * orient);
                break;
            }
            case 'H': {
                const auto [column, orient] = shortOver(n[2], n[3]);
                current(n[0], n[1], branch[i], 1);
                voltageRow(branch[i], n[0], n[1], 1);
                at(branch[i], column) -= c * orient;
                break;
            }
            case 'E':  // unit source
                current(n[0], n[1], branch[i], 1);
                voltageRow(branch[i], n[0], n[1], 1);
                rhs[branch[i]] = 1;
                break;
            case 'J':  // unit current from n1 through the source to n2
                if (n[0] != 0) rhs[Node(n[0])] -= 1;
                if (n[1] != 0) rhs[Node(n[1])] += 1;
                break;
            default:
                break;
            }
        }
        x_ = Solve(std::move(a), std::move(rhs), size);
    }

    static std::vector<long double> Solve(std::vector<long double> a, std::vector<long double> b, int n) {
        for (int k = 0; k < n; ++k) {
            int pivot = k;
            for (int r = k + 1; r < n; ++r)
                if (std::fabs(a[r * n + k]) > std::fabs(a[pivot * n + k])) pivot = r;
            EXPECT_GT(std::fabs(a[pivot * n + k]), 1e-12L) << "singular circuit";
            if (pivot != k) {
                for (int c = 0; c < n; ++c) std::swap(a[k * n + c], a[pivot * n + c]);
                std::swap(b[k], b[pivot]);
            }
            for (int r = k + 1; r < n; ++r) {
                const long double f = a[r * n + k] / a[k * n + k];
                for (int c = k; c < n; ++c) a[r * n + c] -= f * a[k * n + c];
                b[r] -= f * b[k];
            }
        }
        std::vector<long double> x(n);
        for (int k = n - 1; k >= 0; --k) {
            long double sum = b[k];
            for (int c = k + 1; c < n; ++c) sum -= a[k * n + c] * x[c];
            x[k] = sum / a[k * n + k];
        }
        return x;
    }

    std::vector<Element> elements_;
    std::map<int, int> index_;  // node number -> its voltage's column
    std::vector<std::pair<std::pair<int, int>, int>> shorts_;
    std::vector<long double> x_;
};

struct TransferCase {
    const char* name;
    const char* netlist;  // one source (E1 or J1), one probe
    const char* probe;
};

// Netlist letters: R resistance, g and r conductance, C and L impedances, c
// and l admittances; G K F H controlled sources over (n1 n2) steered by (n3 n4).
const TransferCase kTransferCases[] = {
    {"rc ladder, voltage", "t\nE1 1 0 1\nR1 1 2 1\nc2 2 0 1\nL3 2 3 1\ng4 3 0 1\nU1 3 0\n.end\n", "U1"},
    {"rc ladder, current", "t\nE1 1 0 1\nR1 1 2 1\nc2 2 0 1\nL3 2 3 1\nI1 3 4\ng4 4 0 1\n.end\n", "I1"},
    {"ladder from a current source",
     "t\nJ1 0 1 1\ng1 1 0 1\nR2 1 2 1\nl3 2 0 1\nC4 2 3 1\nR5 3 0 1\nU1 3 0\n.end\n", "U1"},
    {"ladder from a current source, current",
     "t\nJ1 0 1 1\ng1 1 0 1\nR2 1 2 1\nl3 2 0 1\nC4 2 3 1\nI1 3 0\n.end\n", "I1"},
    {"bridge, voltage",
     "t\nE1 1 0 1\nR1 1 2 1\nR2 1 3 1\ng3 2 0 1\nR4 3 0 1\nR5 2 3 1\nU1 2 3\n.end\n", "U1"},
    {"bridge, current",
     "t\nE1 1 0 1\nR1 1 2 1\nR2 1 3 1\ng3 2 0 1\nR4 3 0 1\nR5 2 4 1\nI1 4 3\n.end\n", "I1"},
    {"bridge from a current source",
     "t\nJ1 0 1 1\nR1 1 2 1\nR2 1 3 1\ng3 2 0 1\nR4 3 0 1\nR5 2 3 1\nR6 1 0 1\nU1 3 2\n.end\n", "U1"},
    {"transconductance stage",
     "t\nE1 1 0 1\nR1 1 2 1\ng2 2 0 1\nG1 3 0 2 0 1\nR3 3 0 1\nR4 3 2 1\nU1 3 0\n.end\n", "U1"},
    {"voltage amplifier",
     "t\nE1 1 0 1\nR1 1 2 1\nR2 2 0 1\nK1 3 0 2 0 1\nR3 3 4 1\nR4 4 0 1\nR5 4 1 1\nU1 4 0\n.end\n",
     "U1"},
    {"current amplifier",
     "t\nJ1 0 1 1\nR1 1 2 1\nR2 5 0 1\nF1 3 0 2 5 1\nR3 3 0 1\nR6 3 1 1\nU1 3 0\n.end\n", "U1"},
    {"transresistance stage, current",
     "t\nE1 1 0 1\nR1 1 2 1\nR2 5 0 1\nH1 3 0 2 5 1\nR3 3 6 1\nI1 6 0\nR4 3 1 1\n.end\n", "I1"},
    {"F steered by the probed current",
     "t\nE1 1 0 1\nR1 1 2 1\nI1 2 5\nR2 5 0 1\nF1 3 0 2 5 1\nR3 3 0 1\nR4 3 2 1\n.end\n", "I1"},
    {"G driving the probed short",
     "t\nE1 1 0 1\nR1 1 2 1\nG1 3 0 1 0 1\nR2 1 0 1\nR3 2 3 1\nI1 3 0\nR4 3 0 1\n.end\n", "I1"},
    {"K reading over the probed short",
     "t\nE1 1 0 1\nR1 1 2 1\nK1 4 0 2 0 1\nR2 4 2 1\nR3 2 0 1\nI1 2 0\n.end\n", "I1"},
    {"H steered by the probed current",
     "t\nJ1 0 1 1\nR1 1 2 1\nI1 2 5\nR2 5 0 1\nH1 3 0 5 2 1\nR3 3 1 1\nR4 3 0 1\n.end\n", "I1"},
};

test::ValueMap RandomValues(std::mt19937& random) {
    std::uniform_real_distribution<double> magnitude(0.5, 2.5);
    test::ValueMap values;
    for (const char* name : {"R1", "R2", "R3", "R4", "R5", "R6", "g1", "g2", "g3", "g4", "z4", "y2", "Z3", "Y3",
                             "E1", "J1"})
        values[name] = magnitude(random);
    for (const char* name : {"G1", "K1", "F1", "H1"}) values[name] = magnitude(random) * (random() % 2 ? 1 : -1);
    return values;
}

std::string SourceOf(const TransferCase& c) {
    return std::string(c.netlist).find("\nE1") != std::string::npos ? "E1" : "J1";
}

// The sign between the quotient and the direct solution, the same for both
// probe kinds: the solution drives E1 n1 n2 as V(n1) - V(n2) = E1 and J1 n1
// n2 as a current from n1 through the source to n2.
int SignOf(const std::string& source) { return source == "E1" ? -1 : 1; }

// Checks numerator / denominator, which carries the source's value, against
// the direct solution.
void ExpectTransfer(const TransferCase& c, const test::ValueMap& values, long double n, long double d) {
    ASSERT_GT(std::fabs(d), 1e-9L) << c.name;
    const std::string source = SourceOf(c);
    const long double expected = DirectSolution(c.netlist, values).Response(c.probe) * values.at(source);
    ASSERT_GT(std::fabs(expected), 1e-9L) << c.name;
    EXPECT_NEAR(static_cast<double>((n / d) / expected), SignOf(source), 1e-9) << c.name;
}

// The wiring alone, with the nodal reference in place of the expansion.
TEST(TransferWiring, NumeratorOverDenominatorIsTheTransferFunction) {
    std::mt19937 random(7);
    for (const TransferCase& c : kTransferCases) {
        const NetlistTables tables = test::ReadTables(c.netlist);
        ASSERT_EQ(tables.ProbeList.size(), 1u) << c.name;
        for (int draw = 0; draw < 4; ++draw) {
            const test::ValueMap values = RandomValues(random);
            const PreparedLists num = NumeratorLists(tables.MainTwoTerminals, tables.MainFourTerminals,
                                                     tables.ProbeList, 0);
            const PreparedLists den = DenominatorLists(tables.MainTwoTerminals, tables.MainFourTerminals,
                                                       tables.ProbeList, 0);
            ExpectTransfer(c, values, test::NodalDeterminant(num.two, num.four, values).value,
                           test::NodalDeterminant(den.two, den.four, values).value);
        }
    }
}

// The probe's quotient is the circuit's transfer function, and the
// denominator equals the circuit's determinant, for `draws` random draws.
void ExpectQuotientByNumbers(const TransferCase& c, const std::string& numerator, const std::string& denominator,
                             const std::string& determinant, std::mt19937& random, int draws) {
    for (int draw = 0; draw < draws; ++draw) {
        const test::ValueMap values = RandomValues(random);
        const long double d = test::EvaluateExpression(denominator, values).value;
        ExpectTransfer(c, values, test::EvaluateExpression(numerator, values).value, d);
        EXPECT_NEAR(static_cast<double>(test::EvaluateExpression(determinant, values).value / d), 1.0, 1e-12)
            << c.name << " " << c.probe << "\n" << determinant;
    }
}

class TransferFunctions : public test::ScriptRun {};

TEST_F(TransferFunctions, QuotientIsTheCircuitsTransferFunction) {
    std::mt19937 random(20240611);
    for (const TransferCase& c : kTransferCases) {
        const std::string script = Run(c.netlist);
        const auto [numerator, denominator] = test::Quotient(script, c.probe);
        ASSERT_FALSE(numerator.empty()) << c.name << "\n" << script;
        SCOPED_TRACE(numerator + "\n/\n" + denominator);
        EXPECT_NE(numerator.find(SourceOf(c)), std::string::npos) << c.name;
        // With a single probe the circuit's determinant is the denominator.
        ExpectQuotientByNumbers(c, numerator, denominator, test::Determinant(script), random, 4);
    }
}

// Several probes in one netlist: each current probe stays a short in every
// other probe's quotient and in the determinant, so each quotient is the
// transfer function of the circuit with those shorts in place.
TEST_F(TransferFunctions, EveryProbeOfANetlistWithTheOtherCurrentProbesShorted) {
    const TransferCase cases[] = {
        {"bridge with three probes",
         "t\nE1 1 0 1\nR1 1 2 1\nR2 1 3 1\ng3 2 0 1\nR4 3 5 1\nI2 5 0\nR5 2 4 1\nI1 4 3\nU1 2 3\n.end\n", ""},
        {"amplifier with three probes",
         "t\nJ1 0 1 1\ng1 1 0 1\nR1 1 2 1\nG1 3 0 2 0 1\nR3 3 4 1\nI1 4 0\nR4 3 2 1\nU1 3 0\nI2 2 5\n"
         "R2 5 0 1\n.end\n",
         ""},
        {"two current probes in one branch",
         "t\nE1 1 0 1\nR1 1 2 1\nI1 2 3\nI2 3 2\nR2 3 0 1\nR3 2 0 1\nR4 1 3 1\nU1 3 0\n.end\n", ""},
        // A current source alone steered by the probe's pair, which the other
        // probe shares.
        {"two current probes on one pair with a current source",
         "T\nR1 1 0 1\nR2 1 2 1\nJ1 2 0 1\nI1 1 2\nI2 2 1\n.end\n", ""},
    };
    std::mt19937 random(99);
    for (const TransferCase& c : cases) {
        const std::string script = Run(c.netlist);
        const std::string determinant = test::Determinant(script);
        ASSERT_FALSE(determinant.empty()) << script;
        for (const TwoTerminal& each : test::ReadTables(c.netlist).ProbeList) {
            const std::string probe = each.name;
            const auto [numerator, denominator] = test::Quotient(script, probe);
            ASSERT_FALSE(numerator.empty()) << c.name << " " << probe << "\n" << script;
            ExpectQuotientByNumbers(TransferCase{c.name, c.netlist, probe.c_str()}, numerator, denominator, determinant,
                                    random, 3);
        }
    }
}

}  // namespace
}  // namespace vorlan
