#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "expression_buffer.h"
#include "memory_sink.h"
#include "script_sink.h"
#include "state.h"
#include "text_file.h"

namespace vorlan {
namespace {

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line;
    return all;
}

// ---- AppendTerm and AppendFactor ----------------------------------------

struct TermCase {
    const char* before;
    const char* term;
    int multiplicity;
    bool negate;
    const char* after;
    const char* termAfter;  // the caller's string after the call
};

class AppendTermTable : public ::testing::TestWithParam<TermCase> {};

TEST_P(AppendTermTable, SignsAndBrackets) {
    const TermCase& c = GetParam();
    ExpressionBuffer buffer;
    buffer.append(c.before);
    std::string term = c.term;
    buffer.append_term(term, c.multiplicity, c.negate);
    EXPECT_EQ(buffer.text(), c.after);
    EXPECT_EQ(term, c.termAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendTermTable,
    ::testing::Values(
        TermCase{"", "R1", 1, false, "R1", "R1"},
        TermCase{"", "R1", 1, true, "-R1", "R1"},
        TermCase{"A*", "R1", -1, false, "A*R1", "R1"},          // the sign of a weight is no negation
        TermCase{"A+", "R1", 1, true, "A-R1", "R1"},
        TermCase{"A-", "R1", 1, true, "A+R1", "R1"},
        TermCase{"A*", "R1", 1, true, "A*-R1", "R1"},
        TermCase{"", "-R1", 1, false, "-R1", "R1"},             // leading "-" taken off the term
        TermCase{"A+", "-R1", 1, false, "A-R1", "R1"},
        TermCase{"A+", "-R1", -1, true, "A+R1", "R1"},
        TermCase{"A+", "R1+R2", 2, false, "A+(R1+R2)", "R1+R2"},
        TermCase{"A+", "R1+R2", 2, true, "A-(R1+R2)", "R1+R2"},
        TermCase{"A-", "R1+R2", -3, true, "A--(R1+R2)", "R1+R2"},  // a trailing "-" stays
        TermCase{"", "R1+R2", 2, true, "-(R1+R2)", "R1+R2"},
        TermCase{"A", "-G1", 2, false, "A(-G1)", "-G1"},        // compound: "-" kept in the term
        TermCase{"A+", "R1", 0, true, "A+", "R1"}));

TEST(AppendFactor, BracketsCompoundNames) {
    std::string product;
    AppendFactor(product, "R1", 1);
    AppendFactor(product, "R2+R3", 2);
    AppendFactor(product, "g4", -1);
    AppendFactor(product, "G1-G2", -2);
    EXPECT_EQ(product, "R1*(R2+R3)*g4*(G1-G2)*");
    EXPECT_EQ(AbsValue(-7), 7);
    EXPECT_EQ(AbsValue(3), 3);
}

// ---- break rule ------------------------------------------------------------

// Text with `fill` everywhere and the given characters at the given positions.
std::string Marked(std::size_t length, std::vector<std::pair<std::size_t, char>> marks, char fill = 'a') {
    std::string text(length, fill);
    for (auto [at, c] : marks) text[at] = c;
    return text;
}

struct BreakCase {
    const char* name;
    std::string text;
    std::vector<std::size_t> lineLengths;
};

class BreakRule : public ::testing::TestWithParam<BreakCase> {};

TEST_P(BreakRule, CutsWhereExpected) {
    const BreakCase& c = GetParam();
    ExpressionBuffer buffer;
    MemoryLineSink sink;
    buffer.attach_sink(&sink);
    buffer.append(c.text);
    buffer.flush_lines();

    std::vector<std::size_t> lengths;
    for (const std::string& line : sink.lines()) lengths.push_back(line.size());
    EXPECT_EQ(lengths, c.lineLengths);
    EXPECT_EQ(Joined(sink.lines()) + buffer.text(), c.text);
    EXPECT_LE(buffer.text().size(), ExpressionBuffer::kMaxPending);
    std::size_t cut = 0;
    for (std::size_t n : c.lineLengths) cut += n;
    EXPECT_EQ(buffer.totalWritten(), static_cast<long>(cut));
    EXPECT_EQ(buffer.currentWritten(), static_cast<long>(cut));
    EXPECT_EQ(buffer.written_length(), static_cast<long>(c.text.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BreakRule,
    ::testing::Values(
        BreakCase{"SeventyStays", Marked(70, {{10, '*'}}), {}},
        BreakCase{"BracketBeatsLaterStar", Marked(71, {{40, '('}, {60, '*'}}), {40}},
        BreakCase{"RightmostStarOrPlus", Marked(71, {{30, '+'}, {60, '*'}}), {60}},
        BreakCase{"RightmostBracket", Marked(71, {{20, '('}, {50, '('}, {65, '+'}}), {50}},
        BreakCase{"PositionZeroIsNoBreak", Marked(71, {{0, '('}, {10, '*'}}), {10}},
        BreakCase{"PositionSeventyIsNoBreak", Marked(71, {{70, '('}, {20, '+'}}), {20}},
        BreakCase{"PositionSixtyNine", Marked(71, {{69, '*'}}), {69}},
        BreakCase{"MinusIsNoBreak", Marked(71, {{30, '-'}, {5, '+'}}), {5}},
        BreakCase{"NoBreakCharacter", Marked(71, {{30, '-'}}), {69}},
        BreakCase{"LongMinusChain", Repeat('-', 200), {69, 69}},
        BreakCase{"PieceBeyondFiveHundred", Marked(1200, {{600, '*'}}), {69, 69, 69, 69, 69, 69, 69, 69, 48,
                                                                          69, 69, 69, 69, 69, 69, 69, 69}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BreakRule, RandomTextsKeepTheTextAndTheLineBounds) {
    std::mt19937 random(12345);
    const std::string alphabet = "aR1(+*-)";
    for (int run = 0; run < 200; ++run) {
        ExpressionBuffer buffer;
        MemoryLineSink sink;
        buffer.attach_sink(&sink);
        std::string all;
        for (int piece = 0; piece < 40; ++piece) {
            std::string p(random() % 30 + 1, 'a');
            for (char& c : p) c = alphabet[random() % alphabet.size()];
            all += p;
            buffer.append(p);
            buffer.flush_lines();
        }
        ASSERT_EQ(Joined(sink.lines()) + buffer.text(), all);
        for (std::size_t i = 0; i < sink.lines().size(); ++i) {
            const std::string& line = sink.lines()[i];
            ASSERT_GE(line.size(), 1u);
            ASSERT_LE(line.size(), 69u);
        }
        ASSERT_EQ(buffer.written_length(), static_cast<long>(all.size()));
    }
}

TEST(BreakRule, NoSinkKeepsTheWholeText) {
    ExpressionBuffer buffer;
    buffer.append(Repeat('a', 300));
    buffer.flush_lines();
    EXPECT_EQ(buffer.text(), Repeat('a', 300));
    EXPECT_EQ(buffer.totalWritten(), 0);
}

// ---- undo with lines in memory --------------------------------------------

struct UndoCase {
    const char* name;
    long target;  // relative to the written length before the expression
    std::size_t linesLeft;
    std::string textLeft;
};

// A line of 40 and a line of 30 go out (each cut before a "("), 41 pending.
const std::string kUndoText = Repeat('a', 40) + "(" + Repeat('b', 29) + "(" + Repeat('c', 19);
const std::string kUndoMore = "+" + Repeat('d', 20);

class UndoTable : public ::testing::TestWithParam<UndoCase> {};

TEST_P(UndoTable, CutsBackToTheMark) {
    const UndoCase& c = GetParam();
    ExpressionBuffer buffer;
    MemoryLineSink sink;
    buffer.attach_sink(&sink);
    buffer.add_written(7);  // an earlier expression
    buffer.start_expression();
    for (char ch : kUndoText) {  // one character at a time, flushing as the expansion does
        buffer.append(std::string(1, ch));
        buffer.flush_lines();
    }
    ASSERT_EQ(sink.lines().size(), 1u);  // 40 out, 50 pending
    buffer.append(kUndoMore);
    buffer.flush_lines();
    ASSERT_EQ(sink.lines().size(), 2u);
    const long length = buffer.written_length();

    const long target = 7 + c.target;
    const long expected = target < length ? target : length;
    EXPECT_EQ(buffer.undo(target), expected);
    EXPECT_EQ(buffer.written_length(), expected);
    EXPECT_EQ(sink.lines().size(), c.linesLeft);
    EXPECT_EQ(buffer.text(), c.textLeft);
    EXPECT_EQ(buffer.totalWritten(), expected - static_cast<long>(c.textLeft.size()));
    EXPECT_EQ(buffer.currentWritten(), 70);  // the undo leaves it alone
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndoTable,
    ::testing::Values(
        UndoCase{"AboveLength", 200, 2, "(" + Repeat('c', 19) + kUndoMore},
        UndoCase{"AtLength", 111, 2, "(" + Repeat('c', 19) + kUndoMore},
        UndoCase{"InsidePending", 80, 2, "(" + Repeat('c', 9)},
        UndoCase{"ToLineEnd", 70, 2, ""},
        UndoCase{"IntoLastLine", 69, 1, "(" + Repeat('b', 28)},
        UndoCase{"IntoFirstLine", 25, 0, Repeat('a', 25)},
        UndoCase{"ToExpressionStart", 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Undo, StopsWhenNothingIsLeftToTakeBack) {
    ExpressionBuffer buffer;
    MemoryLineSink sink;
    buffer.attach_sink(&sink);
    buffer.add_written(5);
    buffer.append("ab");
    EXPECT_EQ(buffer.undo(0), 5);
    EXPECT_TRUE(buffer.empty());
}

TEST(Undo, RestWrittenAfterTakingBack) {
    ExpressionBuffer buffer;
    MemoryLineSink sink;
    buffer.attach_sink(&sink);
    buffer.append(Repeat('a', 40) + "(" + Repeat('b', 30));
    buffer.flush_lines();
    buffer.undo(25);
    buffer.append("+c");
    EXPECT_EQ(buffer.write_rest(), 27);
    EXPECT_EQ(sink.lines(), std::vector<std::string>{Repeat('a', 25) + "+c"});
    EXPECT_EQ(buffer.written_length(), 27);
    EXPECT_EQ(buffer.currentWritten(), 27 + 40);
}

// ---- the script file --------------------------------------------------------

class ScriptFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorlan-buffer-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "out").string();
        ASSERT_TRUE(file_.open(path_, TextFile::Mode::Write));
        file_.close();
        ASSERT_TRUE(file_.open(path_, TextFile::Mode::Update));
        buffer_.attach_sink(&sink_);
    }
    void TearDown() override {
        file_.close();
        std::filesystem::remove_all(dir_);
    }
    std::string Bytes() {
        file_.flush();
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::string OnDisk(const std::string& text, std::size_t blanks) {
        return text + Repeat(' ', blanks) + "\r\n";
    }

    std::filesystem::path dir_;
    std::string path_;
    TextFile file_;
    ScriptLineSink sink_{file_};
    ExpressionBuffer buffer_;
};

TEST_F(ScriptFileTest, WrappedLinesArePaddedToSeventyWithCrLf) {
    file_.write("\ndetan= \n");
    buffer_.append(Marked(71, {{40, '('}, {60, '*'}}));
    buffer_.flush_lines();
    buffer_.append("*b");
    buffer_.write_rest();
    file_.write(";");
    EXPECT_EQ(Bytes(), "\r\ndetan= \r\n" + OnDisk(Repeat('a', 40), 30) + "(" + Repeat('a', 19) + "*" +
                           Repeat('a', 10) + "*b;");
    EXPECT_EQ(buffer_.totalWritten(), 73);
}

TEST_F(ScriptFileTest, UndoIntoAWrittenLineRereadsAndOverwritesIt) {
    file_.write("detan= \n");  // 9 bytes
    buffer_.append(Repeat('a', 40) + "(" + Repeat('b', 30));
    buffer_.flush_lines();
    ASSERT_EQ(file_.tell(), 9 + 72);
    ASSERT_EQ(buffer_.written_length(), 71);

    EXPECT_EQ(buffer_.undo(25), 25);
    EXPECT_EQ(buffer_.text(), Repeat('a', 25));
    EXPECT_EQ(buffer_.totalWritten(), 0);
    EXPECT_EQ(buffer_.currentWritten(), 40);
    EXPECT_EQ(file_.tell(), 9);

    buffer_.append("+c");
    buffer_.write_rest();
    // The line taken back is overwritten from its start; its stale end stays.
    EXPECT_EQ(Bytes(), "detan= \r\n" + Repeat('a', 25) + "+c" + Repeat('a', 13) + Repeat(' ', 30) + "\r\n");
}

TEST_F(ScriptFileTest, UndoAcrossTwoLinesAndAFallbackLine) {
    // A 69-character line without break character, then one cut before "*".
    buffer_.append(Repeat('-', 69) + Repeat('x', 30) + "*" + Repeat('y', 50));
    buffer_.flush_lines();
    ASSERT_EQ(Bytes(), OnDisk(Repeat('-', 69), 1) + OnDisk(Repeat('x', 30), 40));

    EXPECT_EQ(buffer_.undo(60), 60);
    EXPECT_EQ(buffer_.text(), Repeat('-', 60));
    EXPECT_EQ(buffer_.totalWritten(), 0);
    EXPECT_EQ(file_.tell(), 0);

    buffer_.append(Repeat('z', 20));  // 80 pending: cut again, over the old first line
    buffer_.flush_lines();
    EXPECT_EQ(Bytes(), OnDisk(Repeat('-', 60) + Repeat('z', 9), 1) + OnDisk(Repeat('x', 30), 40));
    EXPECT_EQ(buffer_.text(), Repeat('z', 11));
    EXPECT_EQ(buffer_.written_length(), 80);
}

TEST_F(ScriptFileTest, UndoAtOrAboveTheLengthChangesNothing) {
    buffer_.append(Repeat('a', 40) + "(" + Repeat('b', 30));
    buffer_.flush_lines();
    const std::string before = Bytes();
    for (long target : {71L, 72L, 500L}) {
        EXPECT_EQ(buffer_.undo(target), 71);
        EXPECT_EQ(buffer_.text(), "(" + Repeat('b', 30));
        EXPECT_EQ(buffer_.totalWritten(), 40);
        EXPECT_EQ(file_.tell(), 72);
        EXPECT_EQ(Bytes(), before);
    }
}

TEST_F(ScriptFileTest, ProgressCountWithThe102ndLineThenEvery101st) {
    const std::string piece = Repeat('a', 40) + "(" + Repeat('b', 30);  // one line of 40 each
    auto writeLines = [&](int n) {
        ::testing::internal::CaptureStdout();
        for (int i = 0; i < n; ++i) {
            buffer_.clear();
            buffer_.append(piece);
            buffer_.flush_lines();
        }
        return ::testing::internal::GetCapturedStdout();
    };
    EXPECT_EQ(writeLines(101), "");
    EXPECT_EQ(writeLines(1), "\n 4080 ");
    EXPECT_EQ(writeLines(100), "");
    EXPECT_EQ(writeLines(1), "\n 8120 ");
}

TEST(Progress, MemorySinkPrintsNothing) {
    ExpressionBuffer buffer;
    MemoryLineSink sink;
    buffer.attach_sink(&sink);
    ::testing::internal::CaptureStdout();
    for (int i = 0; i < 300; ++i) {
        buffer.append(Repeat('a', 40) + "(");
        buffer.flush_lines();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

// ---- the engine's buffer ----------------------------------------------------

TEST(EngineBuffer, FreeOperationsWorkOnTheEngineBuffer) {
    MemoryLineSink sink;
    SinkAttachment attached(Engine().buffer, sink);
    Engine().buffer.start_expression();
    const long start = WrittenLength();

    std::string term = "R1";
    AppendTerm(term, 1, 0);
    AppendExpressionText("*");
    const long mark = WrittenLength();
    AppendExpressionText("(");
    std::string compound = Repeat('g', 66);
    AppendTerm(compound, 2, 1);  // 73 pending: a line goes out before the last "("
    EXPECT_EQ(sink.lines(), std::vector<std::string>{"R1*(-"});
    EXPECT_EQ(Engine().buffer.text(), "(" + Repeat('g', 66) + ")");
    EXPECT_EQ(WrittenLength(), start + 73);

    EXPECT_EQ(UndoExpression(mark), mark);
    EXPECT_EQ(Engine().buffer.text(), "R1*");
    EXPECT_TRUE(sink.lines().empty());
    FlushExpressionLine();
    Engine().buffer.clear();
}

TEST(EngineBuffer, AttachmentEndsWithItsScope) {
    MemoryLineSink sink;
    LineSink* before = Engine().buffer.sink();
    {
        SinkAttachment attached(Engine().buffer, sink);
        EXPECT_EQ(Engine().buffer.sink(), &sink);
    }
    EXPECT_EQ(Engine().buffer.sink(), before);
}

}  // namespace
}  // namespace vorlan
