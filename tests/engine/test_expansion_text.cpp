// The expansion's text where numbers cannot tell: S-terms, the group of a
// lone source, the choice order setting, circuits with nothing to split on,
// and the sign left at the end of the text when the expansion starts.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "expansion.h"
#include "expansion_harness.h"
#include "expression_buffer.h"
#include "memory_sink.h"
#include "state.h"

namespace vorlan::test {
namespace {

struct TextCase {
    const char* name;
    TestCircuit circuit;
    const char* text;
};

FourTerminal Weighted(int n1, int n2, int n3, int n4, int weight, const char* name) {
    return {LabelOfNode(n1), LabelOfNode(n2), LabelOfNode(n3), LabelOfNode(n4), weight, name};
}

TEST(ExpansionText, STermsAndSourceGroups) {
    std::vector<TextCase> cases;
    cases.push_back({"empty circuit", TestCircuit{}, "S"});
    cases.push_back({"empty circuit over S nodes", TestCircuit{}.S({1, 2}), "S12"});
    // Shorting g1 merges S node 2 into 1 in that branch only; the open
    // branch keeps its own copy of the S nodes.
    cases.push_back({"admittance between S nodes", TestCircuit{}.Two(1, 2, "g1").S({1, 2}), "g1*1*S11+S12"});
    cases.push_back({"impedance between S nodes", TestCircuit{}.Two(1, 2, "R1").S({1, 2}), "R1*(S12)+S11"});
    cases.push_back(
        {"merge under a factor", TestCircuit{}.Two(1, 2, "g1").Two(2, 0, "g2").S({1, 2}), "g2*(g1*1*S11+S12)"});
    // Unit elements over S nodes that no finder can take: the S-term lists
    // them with their node positions.
    cases.push_back({"pinned unit elements",
                     TestCircuit{}.Unit(1, 2, 3, 4).Unit(1, 3, 2, 4).S({1, 2, 3, 4}),
                     "S1234{1[1234]1[1324]}"});
    cases.push_back({"a repeated S node writes its first position",
                     TestCircuit{}.Unit(1, 2, 3, 4).S({1, 2, 1, 3, 4}), "S12145{1[1245]}"});
    cases.push_back({"lone K", TestCircuit{}.Four(1, 2, 1, 2, "K1"), "(K1+1)"});
    cases.push_back({"lone F", TestCircuit{}.Four(1, 2, 1, 2, "F1"), "(F1+1)"});
    for (const TextCase& c : cases) EXPECT_EQ(ExpandToText(c.circuit), c.text) << c.name;
}

TEST(ExpansionText, NothingToSplitOnIsZeroAndEndsTheCall) {
    // Four-terminals of negative weight that no finder takes, no
    // two-terminals, no S nodes: nothing is written, for every setting.
    TestCircuit merged;
    merged.four.push_back(Weighted(1, 2, 3, 4, -2, "G1+G2"));
    TestCircuit pair;
    pair.four.push_back(Weighted(1, 2, 1, 2, -2, "G1+G2"));
    pair.four.push_back(Weighted(1, 2, 1, 2, -2, "G3+G4"));
    for (const TestCircuit* c : {&merged, &pair})
        for (int sourcesFirst : {0, 1, 2, -1}) EXPECT_EQ(ExpandToText(*c, sourcesFirst), "") << sourcesFirst;
}

TEST(ExpansionText, AnySourcesFirstOtherThanZeroTakesFourTerminalsFirst) {
    TestCircuit mixed;
    mixed.Two(1, 0, "g1").Four(1, 0, 2, 0, "K1").Two(2, 0, "R2").Two(1, 2, "g3");
    const std::string sourcesFirst = ExpandToText(mixed, 1);
    EXPECT_NE(ExpandToText(mixed, 0), sourcesFirst);
    for (int setting : {2, -1}) EXPECT_EQ(ExpandToText(mixed, setting), sourcesFirst) << setting;
    // Without four-terminals every setting comes back to the two-terminals.
    TestCircuit passive;
    passive.Two(1, 0, "g1").Two(2, 0, "R2").Two(1, 2, "g3").Two(1, 3, "g4").Two(3, 2, "R5").Two(3, 0, "g6");
    for (int setting : {1, 2}) EXPECT_EQ(ExpandToText(passive, setting), ExpandToText(passive, 0)) << setting;
}

// ---- the sign at the start ------------------------------------------------

// A "-" at the end of the text when an expansion starts is what is left of
// a "+" that a negated term took over before that term was taken back: the
// genuine minus of a term goes with the term. It becomes "+" again, also when
// it is the only pending character and what stood before it was written
// out; a "-" just after "(" is kept.
class StartingSign : public ::testing::Test {
protected:
    void SetUp() override {
        attachment_.emplace(Engine().buffer, sink_);
        Engine().buffer.start_expression();
    }
    void TearDown() override { attachment_.reset(); }

    // Expands the lone admittance g7 after what the buffer holds; the whole
    // text written.
    std::string ExpandAdmittance() {
        SNodeArray sNodes{};
        ExpandDeterminant(CircuitLists{0, sNodes.data(), TestCircuit{}.Two(1, 0, "g7").two, {}});
        Engine().buffer.write_rest();
        std::string text;
        for (const std::string& line : sink_.lines()) text += line;
        return text;
    }
    const std::vector<std::string>& Lines() const { return sink_.lines(); }

private:
    MemoryLineSink sink_;
    std::optional<SinkAttachment> attachment_;
};

TEST_F(StartingSign, MinusAfterATermBecomesPlus) {
    AppendExpressionText("g9-");
    EXPECT_EQ(ExpandAdmittance(), "g9+g7");
}

TEST_F(StartingSign, MinusAfterABracketStays) {
    AppendExpressionText("g9*(-");
    EXPECT_EQ(ExpandAdmittance(), "g9*(-g7");
}

TEST_F(StartingSign, LoneMinusWhosePlusWasWrittenOutBecomesPlus) {
    // Five factors of eleven characters, then a "+" at position 59: the next
    // term pushes the text past 70 characters and the line is cut before
    // that "+", which begins the pending text.
    std::string head;
    for (int i = 0; i < 5; ++i) head += std::string(i ? "*" : "") + "Rfactor000" + std::to_string(i);
    ASSERT_EQ(head.size(), 59u);
    AppendExpressionText(head + "+");
    const long afterPlus = WrittenLength();
    std::string term = "Rthe0term01";
    AppendTerm(term, 1, 0);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], head);
    EXPECT_EQ(Engine().buffer.text(), "+Rthe0term01");

    // A negated term takes the "+" over and is taken back: "-" alone is left.
    UndoExpression(afterPlus);
    std::string negated = "Rnegated001";
    AppendTerm(negated, 1, 1);
    UndoExpression(afterPlus);
    ASSERT_EQ(Engine().buffer.text(), "-");

    const std::string text = ExpandAdmittance();
    EXPECT_EQ(text, head + "+g7");
    ValueMap values{{"g7", 1.75L}};
    long double product = 1;
    for (int i = 0; i < 5; ++i) {
        values["Rfactor000" + std::to_string(i)] = 0.5L + i;
        product *= 0.5L + i;
    }
    EXPECT_NEAR(static_cast<double>(EvaluateExpression(text, values).value), static_cast<double>(product + 1.75L),
                1e-12);
}

// A negated compound term after "+" takes the "+" over as "-(" and the line
// is cut before its "(": the written line ends in that "-". With the term
// taken back nothing is pending, and the "-" stands where the "+" stood.
class MinusEndingAWrittenLine : public StartingSign {
protected:
    // Writes `head` and a negated compound term after `sign`, so that one
    // line `head` + `sign` goes out, and takes the term back to that line's
    // end (a "(" `sign` keeps its "-"); `extra` characters written after it first make a second line.
    void WriteTakenBackTerm(const std::string& head, const std::string& sign, std::size_t extra = 0) {
        const long start = WrittenLength();
        AppendExpressionText(head + sign);
        std::string compound = std::string(66, 'g');
        AppendTerm(compound, 2, 1);
        AppendExpressionText(std::string(extra, 'y'));
        FlushExpressionLine();
        ASSERT_EQ(Lines().front(), head + (sign == "+" ? "-" : "(-"));
        UndoExpression(start + static_cast<long>(Lines().front().size()));
        ASSERT_TRUE(Engine().buffer.empty());
        ASSERT_EQ(Lines().size(), 1u);
    }
};

TEST_F(MinusEndingAWrittenLine, BecomesPlus) {
    const std::string head(59, 'R');
    WriteTakenBackTerm(head, "+");
    EXPECT_EQ(ExpandAdmittance(), head + "+g7");
}

TEST_F(MinusEndingAWrittenLine, BecomesPlusWhenALaterLineWasTakenBack) {
    const std::string head(59, 'R');
    WriteTakenBackTerm(head, "+", 40);
    EXPECT_EQ(ExpandAdmittance(), head + "+g7");
}

TEST_F(MinusEndingAWrittenLine, AfterABracketStays) {
    const std::string head(58, 'R');
    WriteTakenBackTerm(head, "(");
    EXPECT_EQ(ExpandAdmittance(), head + "(-g7");
}

TEST_F(MinusEndingAWrittenLine, OfAnEarlierExpressionStays) {
    const std::string head(59, 'R');
    WriteTakenBackTerm(head, "+");
    Engine().buffer.start_expression();
    EXPECT_EQ(ExpandAdmittance(), head + "-g7");
}

}  // namespace
}  // namespace vorlan::test
