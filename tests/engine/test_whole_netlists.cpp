// Whole netlists through the engine: the "detan=" block checked by numbers
// against the nodal reference of the circuit as read, and its text where
// the form of the expression matters to the program that reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "determinant_circuit.h"
#include "driver_lists.h"
#include "expansion_harness.h"
#include "expression_evaluator.h"
#include "nodal_reference.h"
#include "reader.h"
#include "s_network.h"
#include "script_run.h"
#include "semantic_determinant.h"

namespace vorlan {
namespace {

using test::EvaluateExpression;
using test::ValueMap;

using test::DeterminantCircuit;

// `expression` equals the determinant of the lists up to one sign for all
// draws, or vanishes with it.
void ExpectSameDeterminant(const std::string& expression, const TwoTerminalList& two,
                           const FourTerminalList& four, const char* what) {
    EXPECT_EQ(test::SNetwork(0, nullptr).Mismatch(expression, two, four), "") << what << ": " << expression;
}

struct NetlistCase {
    const char* name;
    const char* body;   // element lines, each with its "\n"
    const char* detan;  // the expression as written, or nullptr where only its value matters
};

const NetlistCase kNetlistCases[] = {
    // An admittance on one node carries no current, however it is reached.
    {"admittance on one node in a loop", "R1 1 0 1\nc1 2 2 1\nR2 1 2 1\nR3 2 0 1\n", "R1+R2+R3"},
    {"conductance on the node of a factor", "g1 1 0 1\nr2 1 1 1\n", "g1"},
    {"lone admittance on one node", "c1 0 0 1\n", "1"},
    {"admittance alone holding its node", "R1 1 0 1\nc1 2 2 1\n", "0"},
    {"admittances on one node among sources", "E1 1 0 1\ng1 1 1 1\nR1 1 2 1\nG1 2 0 1 0 1\nc2 2 2 1\nR2 2 0 1\n",
     nullptr},
    // An H whose sensing short loops on one node leaves its current free.
    {"H sensing on one node", "H1 1 0 1 1 1\nr2 0 1 1\n", "0"},
    {"H sensing on one node in a circuit", "R1 1 0 1\nH1 2 0 1 1 1\nR2 2 1 1\n", "0"},
    // Opening the current sources leaves a node with nothing.
    {"node held only by current sources", "J1 2 0 1\ng1 1 0 1\nJ2 1 2 1\nJ3 2 2 1\n", "0"},
    {"current sources beside a held node", "J1 2 0 1\ng1 1 0 1\nJ2 1 2 1\nR2 2 0 1\n", nullptr},
    {"current source alone", "J1 1 0 1\n", "0"},
    {"current source on one node", "J1 1 1 1\n", "S"},
    // Factors that use the circuit up only after a merge leave its S-term.
    {"factors used up after a merge", "c1 0 1 1\nR2 4 5 1\nC3 4 1 1\nL4 2 4 1\n", "y1*S"},
    // Node -16 is labelled with a blank, like any other node.
    {"ring through node -16", "g1 -16 1 1\ng2 1 2 1\ng3 2 -16 1\n", "g1*(g3+g2)+g2*g3"},
    // The last piece of a long expression taken back to the start of a line.
    {"rest taken back to a line start",
     "G1 5 3 1 4 1\nC2xxxxxxx 3 0 1\nF3 3 2 1 3 1\nH4 4 0 5 2 1\nG5 3 5 4 0 1\nF6 0 2 3 4 1\ng7xxx 4 0 1\n"
     "G8 1 2 5 1 1\nl9xxxxx 0 5 1\n",
     nullptr},
};

void PrintTo(const NetlistCase& c, std::ostream* os) { *os << c.name; }

class WholeNetlists : public test::ScriptRun, public ::testing::WithParamInterface<NetlistCase> {};

TEST_P(WholeNetlists, DeterminantIsTheCircuits) {
    const NetlistCase& c = GetParam();
    const std::string netlist = std::string("t\n") + c.body + ".end\n";
    const std::string detan = test::Determinant(Run(netlist));
    if (c.detan) {
        EXPECT_EQ(detan, c.detan);
    }
    const DeterminantCircuit circuit(test::ReadTables(netlist));
    ExpectSameDeterminant(detan, circuit.two, circuit.four, c.name);
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeNetlists, ::testing::ValuesIn(kNetlistCases),
                         [](const ::testing::TestParamInfo<NetlistCase>& info) {
                             return test::CaseName(info.param.name);
                         });

// ---- random netlists ------------------------------------------------------

// A netlist body of one to eleven elements of every kind on two to six
// nodes, self-loops and collapsed pairs included.
std::string RandomNetlistBody(std::mt19937& random) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int nodes = pick(2, 6);
    auto node = [&] { return " " + std::to_string(pick(0, nodes - 1)); };
    static constexpr std::string_view kLetters = "RrgCcLlGKFHEJNRrgGKFH";
    std::string body;
    const int count = pick(1, 11);
    for (int i = 1; i <= count; ++i) {
        const char letter = kLetters[pick(0, static_cast<int>(kLetters.size()) - 1)];
        const bool twoNodes = std::string_view("RrgCcLlEJ").find(letter) != std::string_view::npos;
        body += letter + std::to_string(i) + node() + node() + (twoNodes ? "" : node() + node()) + " 1\n";
    }
    return body;
}

// The expression that the engine expands for prepared lists.
std::string ExpandedText(PreparedLists lists, int sourcesFirst) {
    return test::ExpandPreparedToText(std::move(lists), sourcesFirst);
}

// Netlists drawn at random, each determinant and each probe's numerator
// checked by numbers, with both choice orders.
TEST(RandomNetlists, DeterminantsAndNumeratorsAreTheCircuits) {
    std::mt19937 random(2026);
    for (int n = 0; n < 3000 && !::testing::Test::HasFailure(); ++n) {
        std::string body = RandomNetlistBody(random);
        const std::string netlist = "t\n" + body + ".end\n";
        SCOPED_TRACE(netlist);
        const NetlistTables tables = test::ReadTables(netlist);
        const DeterminantCircuit circuit(tables);
        ExpectSameDeterminant(
            ExpandedText(DeterminantLists(tables.MainTwoTerminals, tables.MainFourTerminals, {}), n % 2),
            circuit.two, circuit.four, "detan");

        // One probe, and now and then an ideal source to steer.
        auto node = [&] { return " " + std::to_string(std::uniform_int_distribution<int>(0, 4)(random)); };
        body += (n % 3 == 0 ? "I1" : "U1") + node() + node() + "\n";
        if (n % 4 == 0) body += "E9" + node() + node() + " 1\n";
        if (n % 5 == 0) body += "J9" + node() + node() + " 1\n";
        const NetlistTables probed = test::ReadTables("t\n" + body);
        const PreparedLists numerator =
            NumeratorLists(probed.MainTwoTerminals, probed.MainFourTerminals, probed.ProbeList, 0);
        ExpectSameDeterminant(ExpandedText(numerator, n % 2), numerator.two, numerator.four, "numerator");
    }
}

class WholeScripts : public test::ScriptRun {};

// A minus S-term right after "(" keeps its plain form; after "+" it needs
// its bracket, or the expansion would read the minus as a taken-back "+".
TEST_F(WholeScripts, MinusSTermsAfterABracket) {
    EXPECT_EQ(test::Determinant(Run("t\ng1 1 0 1\nN2 1 2 2 0 1\nG3 2 0 0 1 1\nS 2\n.end\n")), "g1*(-S1)+G3*S1");
}

// An expression whose last piece was taken back to the start of a written
// line is not empty: no " 0" follows it, and with RequireNonzeroDet set the
// transfer functions still follow.
TEST_F(WholeScripts, ExpressionCutBackToALineStartIsNotEmpty) {
    WriteSettings(0, 1);
    const std::string script = Run(
        "t\nG1 5 3 1 4 1\nC2xxxxxxx 3 0 1\nF3 3 2 1 3 1\nH4 4 0 5 2 1\nG5 3 5 4 0 1\nF6 0 2 3 4 1\n"
        "g7xxx 4 0 1\nG8 1 2 5 1 1\nl9xxxxx 0 5 1\nU1 1 0\n.end\n");
    const std::size_t first = script.find("\ndetan= \n");
    ASSERT_NE(first, std::string::npos);
    const std::size_t end = script.find(';', first);
    EXPECT_NE(script.compare(end - 2, 2, " 0"), 0) << script.substr(first, end - first + 1);
    EXPECT_NE(script.find("\ndetan= \n", end), std::string::npos);
    const auto [numerator, denominator] = test::Quotient(script, "U1");
    EXPECT_FALSE(numerator.empty()) << script;
    EXPECT_EQ(denominator, test::Determinant(script));
}

// Pinning the last ideal element neutralises the others, which may remove
// elements before it: the pass ends there, without reading the list at the
// old place.
TEST_F(WholeScripts, PinningAnIdealElementEndsThePass) {
    const std::string body = "g1 1 0 1\ng2 1 3 1\ng3 3 0 1\nR1 1 2 1\nR2 2 3 1\nU1 3 0\n.end\n";
    for (const std::string sources : {"J1 1 0 1\nG1 1 0 5 0 1\nJ2 5 0 1\n",
                                      "J1 1 0 1\nG1 1 0 5 0 1\nJ2 5 0 1\nG2 2 6 3 6 1\n"}) {
        const std::string netlist = "t\n" + sources + body;
        const std::string script = Run(netlist);
        const auto [numerator, denominator] = test::Quotient(script, "U1");
        ASSERT_FALSE(numerator.empty()) << script;
        const NetlistTables tables = test::ReadTables(netlist);
        const PreparedLists lists = NumeratorLists(tables.MainTwoTerminals, tables.MainFourTerminals,
                                                   tables.ProbeList, 0);
        ExpectSameDeterminant(numerator, lists.two, lists.four, "U1 numerator");
        if (sources.find("G2") != std::string::npos) {
            EXPECT_TRUE(numerator.starts_with("(J2)*G1*G2*(")) << numerator;
        }
    }
}

// A taken-back term can leave its "-", which stands for a "+", at the end of
// a written line with nothing pending behind it: the next term turns it back.
TEST_F(WholeScripts, MinusEndingAWrittenLineIsTurnedBack) {
    const std::string netlist =
        "t\nHbAA87 204 74 155 123 4.7e+06\nE_AQb48 -45 23 68.0\nJ59 204 42 68.0\nH -45 42 42 155 1000\n"
        "H96lam6 5 74 123 23 10.0\ng34 5 155 100.0\nR7 5 -45 3300\nUydx47 204 42\n.end\n";
    const auto [numerator, denominator] = test::Quotient(Run(netlist), "Uydx47");
    EXPECT_NE(numerator.find("+R7*(-(J59)*(-H))+H*(E_AQb48)"), std::string::npos) << numerator;
    const NetlistTables tables = test::ReadTables(netlist);
    const PreparedLists lists = NumeratorLists(tables.MainTwoTerminals, tables.MainFourTerminals,
                                               tables.ProbeList, 0);
    ExpectSameDeterminant(numerator, lists.two, lists.four, "Uydx47 numerator");
}

// The same in a flagged response: a numerator line of RA12_32 ended so.
TEST_F(WholeScripts, MinusEndingAWrittenLineOfAFlaggedResponseIsTurnedBack) {
    const std::string netlist =
        "t\nH12_2_? 204 74 155 123 4.7e+06\nElQb -45 23 68.0\nJ59 204 42 68.0\nHb2_blb01 -45 42 42 155 1000\n"
        "H96lam6 5 74 123 23 10.0\ng34 5 155 100.0\nRA12_32? 5 -45 3300\nVm0 74 155 1\nVm1 74 204 1\n.end\n";
    const auto [numerator, denominator] = test::Quotient(Run(netlist), "RA12_32", "-");
    EXPECT_NE(numerator.find("+H96lam6*(ElQb)+(Um0)*(-Hb2_blb01)"), std::string::npos) << numerator;
    const NetlistTables t = test::ReadTables(netlist);
    const PreparedLists shared = FlaggedResponseLists(t.FlaggedTwoTerminals, t.FlaggedFourTerminals,
                                                      t.FlaggedIndices, t.MeterList, 1, 0, t.SNodes.data());
    const PreparedLists lists = FlaggedNumeratorLists(shared, t.FlaggedIndices[1]);
    ExpectSameDeterminant(numerator, lists.two, lists.four, "RA12_32 numerator");
}

}  // namespace
}  // namespace vorlan
