// Netlists with an S line: the subcircuit on the S nodes stays unexpanded
// and the expression carries S-terms for it. They are checked by numbers
// against the nodal reference with a network of random admittances put in
// for the subcircuit (test::SNetwork), which values the S-terms as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "determinant_circuit.h"
#include "driver_lists.h"
#include "expansion_harness.h"
#include "reader.h"
#include "s_network.h"
#include "script_run.h"
#include "semantic_determinant.h"

namespace vorlan {
namespace {

using test::DeterminantCircuit;
using test::Evaluation;
using test::SNetwork;
using test::ValueMap;

SNetwork NetworkOf(const NetlistTables& tables) { return SNetwork(tables.SNodeCount, tables.SNodes.data()); }

// ---- the model ------------------------------------------------------------

// The network of an S line: nodes 1, 2, 3 stand for the labels at first
// positions 1, 2, 3, with a = y#S1_2, b = y#S1_3, c = y#S2_3.
struct TermCase {
    const char* term;
    std::vector<int> sLine;
    long double (*value)(long double a, long double b, long double c, long double g);
};

const TermCase kTermCases[] = {
    {"S12", {1, 2}, [](long double a, long double, long double, long double) { return a; }},
    {"S11", {1, 2}, [](long double, long double, long double, long double) { return 1.0L; }},
    {"S1", {4}, [](long double, long double, long double, long double) { return 1.0L; }},
    {"S11", {3, 3}, [](long double, long double, long double, long double) { return 1.0L; }},
    // Spanning trees of the triangle; a join leaves two admittances in parallel.
    {"S123", {1, 2, 3}, [](long double a, long double b, long double c, long double) { return a * b + a * c + b * c; }},
    {"S113", {1, 2, 3}, [](long double, long double b, long double c, long double) { return b + c; }},
    {"S111", {1, 2, 3}, [](long double, long double, long double, long double) { return 1.0L; }},
    // A repeated label is one terminal: "S 1 2 1" is the network of "S 1 2".
    {"S121", {1, 2, 1}, [](long double a, long double, long double, long double) { return a; }},
    // A unit element over one pair both ways is a short.
    {"S12{1[1212]}", {1, 2}, [](long double, long double, long double, long double) { return 1.0L; }},
    {"S123{1[1212]}", {1, 2, 3}, [](long double, long double b, long double c, long double) { return b + c; }},
    // Its current between 1 and 3, the voltage of 2 held to that of 3.
    {"S123{1[1323]}", {1, 2, 3}, [](long double a, long double, long double, long double) { return a; }},
    // An expanded source is its gain times a unit element, a merged name
    // the value of the merge.
    {"S12{G5[1212]}", {1, 2}, [](long double, long double, long double, long double g) { return g; }},
    {"S12{G5+G6[1212]}", {1, 2}, [](long double, long double, long double, long double g) { return g + 0.25L; }},
};

TEST(SNetworkModel, STermsAreTheNetworksDeterminant) {
    for (const TermCase& c : kTermCases) {
        SNodeArray sNodes{};
        for (std::size_t i = 0; i < c.sLine.size(); ++i) sNodes[i + 1] = LabelOfNode(c.sLine[i]);
        const SNetwork network(static_cast<int>(c.sLine.size()), sNodes.data());
        const ValueMap values = {
            {"y#S1_2", 0.75L}, {"y#S1_3", 1.5L}, {"y#S2_3", 1.25L}, {"G5", 1.75L}, {"G6", 0.25L}};
        const long double expected = c.value(0.75L, 1.5L, 1.25L, 1.75L);
        EXPECT_NEAR(static_cast<double>(network.Evaluate(c.term, values).value), static_cast<double>(expected), 1e-12)
            << c.term;
        // As a factor of a term, like an element name.
        EXPECT_NEAR(static_cast<double>(network.Evaluate(std::string("G6*(") + c.term + ")+1", values).value),
                    static_cast<double>(0.25L * expected + 1), 1e-12)
            << c.term;
    }
}

TEST(SNetworkModel, TermsThatDoNotFitTheSLineAreRefused) {
    struct Refused {
        const char* term;
        std::vector<int> sLine;
    };
    const Refused cases[] = {
        {"S1", {1, 2}},           // a digit short
        {"S123", {1, 2}},         // a digit too many
        {"S", {1}},               // none at all
        {"S21", {1, 2}},          // a position before its first
        {"S122", {1, 2, 3}},      // 2 is no first position of the term
        {"S12", {3, 3}},          // one label, two nodes
        {"S12{1[12]}", {1, 2}},   // a four-terminal on nodes that are no S nodes
        {"S12{1[1213]}", {1, 2}}, // a digit of no S node
        {"S11{1[1212]}", {1, 2}}, // 2 was merged into 1
        {"S12{1[1212]", {1, 2}},  // no closing brace
        {"S12{[1212]}", {1, 2}},  // no name
        {"S12x", {1, 2}},
    };
    const ValueMap values = {{"y#S1_2", 1}};
    for (const Refused& c : cases) {
        SNodeArray sNodes{};
        for (std::size_t i = 0; i < c.sLine.size(); ++i) sNodes[i + 1] = LabelOfNode(c.sLine[i]);
        const SNetwork network(static_cast<int>(c.sLine.size()), sNodes.data());
        EXPECT_THROW(network.Evaluate(c.term, values), test::EvaluationError) << c.term;
    }
}

// ---- whole netlists -------------------------------------------------------

struct SLineCase {
    const char* name;
    const char* body;     // element lines and the S line, each with its "\n"
    const char* wrong{};  // an expression the check must refuse, or nullptr
};

const SLineCase kSLineCases[] = {
    {"admittance between the S nodes", "g1 1 2 1\nS 1 2\n", "g1*1*S12+S12"},
    {"impedance between the S nodes", "R1 1 2 1\nS 1 2\n"},
    {"one S node", "g1 1 0 1\nR2 1 2 1\ng3 2 0 1\nS 1\n"},
    {"S node that no element reaches", "g1 1 0 1\nS 1 5\n"},
    {"one label twice", "g1 3 0 1\nR2 3 1 1\ng3 1 0 1\nS 3 3\n", "g1*(g3*(R2*S12)+S11)+g3*S11"},
    {"S line written with x", "g1 1 0 1\nR2 1 2 1\nx 2 0\n"},
    {"voltage source joining the S nodes", "E1 1 2 1\ng1 1 0 1\ng2 2 0 1\nS 1 2\n"},
    {"nullor over the S nodes", "N1 1 2 3 0\ng1 1 0 1\ng2 2 3 1\nS 1 2 3\n"},
    // The opened J leaves node 1 to the subcircuit, which holds it only
    // between two distinct labels.
    {"S node held by a current source", "J1 1 2 1\ng1 2 0 1\nS 1 2\n"},
    {"lone S node held by a current source", "J1 1 2 1\ng1 2 0 1\nS 1\n", "g1*S1"},
    // With rABa51 and r_Qd56 open the rest is a tree hanging from the S
    // nodes: that part is S12 alone, with no Zi*(S12) beside it.
    {"every node connected",
     "Li 18 17 3300\nL55 8 18 1000\nr_Qd56 8 19 2.2e-06\nrABa51 18 4 1000\nRQy27 18 19 10\nS 4 17\n",
     "gABa51*(g_Qd56*((Z55+RQy27)*(Zi*(S12)+S11))+Zi*(S12)+S11)+g_Qd56*((Z55+RQy27)*S12)+Zi*(S12)+S12"},
    // Node 9 is held only by k8's control pair: the determinant is zero.
    {"S node held only by a control pair", "Lbdd80 15 7 22\nxa 9\nk8 12 7 15 9 1000\n", "S1"},
};

void PrintTo(const SLineCase& c, std::ostream* os) { *os << c.name; }

class SLineNetlists : public test::ScriptRun, public ::testing::WithParamInterface<SLineCase> {};

TEST_P(SLineNetlists, DeterminantIsTheCircuits) {
    const SLineCase& c = GetParam();
    const std::string netlist = std::string("t\n") + c.body + ".end\n";
    const std::string detan = test::Determinant(Run(netlist));
    const NetlistTables tables = test::ReadTables(netlist);
    const DeterminantCircuit circuit(tables);
    EXPECT_EQ(NetworkOf(tables).Mismatch(detan, circuit.two, circuit.four), "") << "detan=" << detan;
    if (c.wrong) {
        EXPECT_NE(NetworkOf(tables).Mismatch(c.wrong, circuit.two, circuit.four), "") << c.wrong;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SLineNetlists, ::testing::ValuesIn(kSLineCases),
                         [](const ::testing::TestParamInfo<SLineCase>& info) {
                             return test::CaseName(info.param.name);
                         });

// ---- random netlists ------------------------------------------------------

// Element lines drawn at random, each element named after its place.
class Draw {
public:
    explicit Draw(std::mt19937& random) : random_(random) {}

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    char letter(std::string_view letters) { return letters[pick(0, static_cast<int>(letters.size()) - 1)]; }
    std::mt19937& random() { return random_; }

    // "<letter><index> n1 n2 [n3 n4] 1"; a nullor takes no value.
    std::string element(char letter, std::initializer_list<int> nodes) {
        std::string line = letter + std::to_string(++index_);
        for (const int n : nodes) {
            line += " " + std::to_string(n);
            nodes_.insert(n);
        }
        return line + (letter == 'N' ? "\n" : " 1\n");
    }
    // Any kind over nodes lo..hi.
    std::string any(int lo, int hi) {
        const char k = letter("RrgCcLlGKFHEJNRrgGKFHkfh");
        if (std::string_view("RrgCcLlEJ").find(k) != std::string_view::npos)
            return element(k, {pick(lo, hi), pick(lo, hi)});
        return element(k, {pick(lo, hi), pick(lo, hi), pick(lo, hi), pick(lo, hi)});
    }
    std::string passive(int a, int b) { return element(letter("RrgCcLl"), {a, b}); }
    // Passives chaining the nodes of `nodes` in a random order, so that
    // fewer determinants vanish for a node that nothing holds.
    std::string chain(std::vector<int> nodes) {
        std::shuffle(nodes.begin(), nodes.end(), random_);
        std::string lines;
        for (std::size_t i = 1; i < nodes.size(); ++i) lines += passive(nodes[i - 1], nodes[i]);
        return lines;
    }
    std::string sLine(const std::vector<int>& nodes) {
        std::string line = "S";
        for (const int n : nodes) {
            line += " " + std::to_string(n);
            nodes_.insert(n);
        }
        return line + "\n";
    }
    // A node some line of the netlist named.
    int usedNode() {
        auto it = nodes_.begin();
        std::advance(it, pick(0, static_cast<int>(nodes_.size()) - 1));
        return *it;
    }

private:
    std::mt19937& random_;
    int index_ = 0;
    std::set<int> nodes_;
};

std::vector<int> Nodes(int lo, int hi) {
    std::vector<int> all;
    for (int n = lo; n <= hi; ++n) all.push_back(n);
    return all;
}

// `count` distinct nodes of lo..hi.
std::vector<int> DistinctNodes(Draw& d, int lo, int hi, int count) {
    std::vector<int> all = Nodes(lo, hi);
    std::shuffle(all.begin(), all.end(), d.random());
    all.resize(static_cast<std::size_t>(std::min<int>(count, static_cast<int>(all.size()))));
    return all;
}

// Elements of every kind on two to six nodes, S nodes among them; half the
// time a chain of passives reaches every node.
std::string OverRandomCircuit(Draw& d, int sMin, int sMax) {
    const int nodes = d.pick(2, 6);
    std::string body = d.pick(0, 1) ? d.chain(Nodes(0, nodes - 1)) : "";
    for (int i = d.pick(1, 8); i > 0; --i) body += d.any(0, nodes - 1);
    return body + d.sLine(DistinctNodes(d, 0, nodes - 1, d.pick(sMin, sMax)));
}

std::string OneSNode(Draw& d) { return OverRandomCircuit(d, 1, 1); }
std::string SeveralSNodes(Draw& d) { return OverRandomCircuit(d, 2, 4); }

// Passives between S nodes: each branch of an admittance or an impedance
// merges two of them.
std::string JoinedSNodes(Draw& d) {
    const int s = d.pick(2, 4);
    std::string body;
    for (int i = d.pick(1, 3); i > 0; --i) {
        const std::vector<int> pair = DistinctNodes(d, 1, s, 2);
        body += d.passive(pair[0], pair[1]);
    }
    for (int i = d.pick(0, 4); i > 0; --i) body += d.any(0, s + 1);
    return body + d.sLine(Nodes(1, s));
}

// Controlled sources and nullors with every node an S node: the finders
// cannot take them, and the S-terms list them as unit elements.
std::string SourcesOnSNodes(Draw& d) {
    const int s = d.pick(2, 4);
    auto sNode = [&] { return d.pick(1, s); };
    std::string body;
    for (int i = d.pick(1, 3); i > 0; --i)
        body += d.element(d.letter("GKFHNNkfhE"), {sNode(), sNode(), sNode(), sNode()});
    for (int i = d.pick(0, 3); i > 0; --i) body += d.passive(d.pick(0, s), d.pick(0, s));
    return body + d.sLine(Nodes(1, s));
}

// S nodes 5.. reached from the circuit on nodes 0..3 only by a control
// pair or by a current source.
std::string SNodesHeldBySensing(Draw& d) {
    std::string body = d.chain(Nodes(0, 3));
    for (int i = d.pick(0, 4); i > 0; --i) body += d.any(0, 3);
    const int s = d.pick(1, 3);
    std::vector<int> sNodes;
    for (int k = 0; k < s; ++k) {
        const int n = 5 + k;
        sNodes.push_back(n);
        const int c = d.pick(0, 3);
        const bool first = d.pick(0, 1) == 1;
        const char kind = d.letter("GKFHJJk");
        if (kind == 'J')
            body += first ? d.element('J', {n, c}) : d.element('J', {c, n});
        else
            body += first ? d.element(kind, {d.pick(0, 3), d.pick(0, 3), n, c})
                          : d.element(kind, {d.pick(0, 3), d.pick(0, 3), c, n});
    }
    return body + d.sLine(sNodes);
}

// A part on nodes 7..9 that reaches no S node: apart from the rest, or
// hanging from it at one node.
std::string Islands(Draw& d) {
    const int s = d.pick(1, 3);
    std::string body = d.chain(Nodes(0, s + 1));
    for (int i = d.pick(0, 4); i > 0; --i) body += d.any(0, s + 1);
    const bool hanging = d.pick(0, 2) != 0;
    const int joint = d.pick(0, s + 1);
    auto islandNode = [&] {
        const int n = d.pick(7, 9);
        return hanging && n == 9 ? joint : n;
    };
    body += d.chain({7, 8, hanging ? joint : 9});
    for (int i = d.pick(0, 3); i > 0; --i) {
        const char k = d.letter("RrgCcLlRgGKFHN");
        if (std::string_view("RrgCcLl").find(k) != std::string_view::npos)
            body += d.element(k, {islandNode(), islandNode()});
        else
            body += d.element(k, {islandNode(), islandNode(), islandNode(), islandNode()});
    }
    return body + d.sLine(Nodes(1, s));
}

// An S line that repeats labels, one label only now and then ("S 3 3").
std::string RepeatedLabels(Draw& d) {
    const int nodes = d.pick(2, 5);
    std::string body = d.pick(0, 1) ? d.chain(Nodes(0, nodes - 1)) : "";
    for (int i = d.pick(1, 7); i > 0; --i) body += d.any(0, nodes - 1);
    std::vector<int> labels = DistinctNodes(d, 0, nodes - 1, d.pick(1, 3));
    std::vector<int> sNodes = labels;
    for (int extra = d.pick(1, 2); extra > 0; --extra) sNodes.push_back(labels[d.pick(0, static_cast<int>(labels.size()) - 1)]);
    std::shuffle(sNodes.begin(), sNodes.end(), d.random());
    return body + d.sLine(sNodes);
}

// The expression that the engine expands for prepared lists over the S
// nodes of the tables.
std::string ExpandedText(const NetlistTables& tables, PreparedLists lists, int sourcesFirst) {
    return test::ExpandPreparedToText(std::move(lists), sourcesFirst, tables.SNodeCount, tables.SNodes.data());
}

// The determinant and one probe's numerator of a netlist body, expanded in
// the choice order `sourcesFirst`: what is wrong, or nothing.
std::string CheckBody(Draw& d, const std::string& body, int sourcesFirst) {
    std::string failures;
    auto check = [&](const char* what, const std::string& expression, const NetlistTables& tables,
                     const TwoTerminalList& two, const FourTerminalList& four) {
        const std::string why = NetworkOf(tables).Mismatch(expression, two, four);
        if (!why.empty()) failures += std::string("    ") + what + "= " + expression + "\n      " + why + "\n";
    };
    const NetlistTables tables = test::ReadTables("t\n" + body + ".end\n");
    const DeterminantCircuit circuit(tables);
    check("detan", ExpandedText(tables, DeterminantLists(tables.MainTwoTerminals, tables.MainFourTerminals, {}), sourcesFirst),
          tables, circuit.two, circuit.four);

    // One probe, and now and then an ideal source to steer.
    auto pair = [&] { return " " + std::to_string(d.usedNode()) + " " + std::to_string(d.usedNode()); };
    std::string added = (d.pick(0, 2) == 0 ? "I1" : "U1") + pair() + "\n";
    if (d.pick(0, 3) == 0) added += "E99" + pair() + " 1\n";
    if (d.pick(0, 4) == 0) added += "J99" + pair() + " 1\n";
    const NetlistTables withProbe = test::ReadTables("t\n" + body + added + ".end\n");
    const PreparedLists numerator =
        NumeratorLists(withProbe.MainTwoTerminals, withProbe.MainFourTerminals, withProbe.ProbeList, 0);
    check("numerator", ExpandedText(withProbe, numerator, sourcesFirst), withProbe, numerator.two, numerator.four);
    if (failures.empty()) return failures;
    return "t\n" + body + ".end\n  and for the numerator\n" + added + failures;
}

struct Family {
    const char* name;
    std::string (*body)(Draw&);
    unsigned seed;
    int count;
};

const Family kFamilies[] = {
    {"one S node", OneSNode, 11, 3500},
    {"several S nodes", SeveralSNodes, 12, 3500},
    {"S nodes joined by passives", JoinedSNodes, 13, 2500},
    {"sources on S nodes", SourcesOnSNodes, 14, 2500},
    {"S nodes held by sensing or a current source", SNodesHeldBySensing, 15, 2500},
    {"islands", Islands, 16, 2500},
    {"repeated labels", RepeatedLabels, 17, 2500},
};

void PrintTo(const Family& f, std::ostream* os) { *os << f.name; }

class RandomSLines : public ::testing::TestWithParam<Family> {};

// Every netlist of the family is checked; the count of those that fail and
// the first few of them are reported.
TEST_P(RandomSLines, DeterminantsAndNumeratorsAreTheCircuits) {
    const Family& family = GetParam();
    std::mt19937 random(family.seed);
    int failed = 0;
    std::string shown;
    for (int n = 0; n < family.count; ++n) {
        Draw d(random);
        const std::string body = family.body(d);
        const std::string failures = CheckBody(d, body, n % 2);
        if (failures.empty()) continue;
        if (++failed <= 3) shown += "  SourcesFirst=" + std::to_string(n % 2) + "\n" + failures;
    }
    EXPECT_EQ(failed, 0) << family.name << ": " << failed << " of " << family.count << " netlists fail, as\n" << shown;
}

INSTANTIATE_TEST_SUITE_P(Families, RandomSLines, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& info) { return test::CaseName(info.param.name); });

}  // namespace
}  // namespace vorlan
