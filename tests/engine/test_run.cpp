#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "run.h"
#include "state.h"
#include "text_file.h"

namespace vorlan {
namespace {

namespace fs = std::filesystem;

TimeOfDay At(int h, int m, int s, int cs) {
    return TimeOfDay{static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(s),
                     static_cast<std::uint8_t>(cs)};
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---- elapsed time and the time line --------------------------------------

struct ElapsedCase {
    TimeOfDay start, end, elapsed;
};

TEST(ElapsedTime, BorrowsFieldByFieldAndAcrossMidnight) {
    const ElapsedCase cases[] = {
        {At(10, 0, 5, 90), At(10, 0, 6, 10), At(0, 0, 0, 20)},
        {At(23, 59, 59, 90), At(0, 0, 0, 10), At(0, 0, 0, 20)},
        {At(10, 0, 5, 90), At(10, 0, 5, 90), At(0, 0, 0, 0)},
        {At(9, 58, 30, 50), At(11, 2, 10, 40), At(1, 3, 39, 90)},
        {At(22, 0, 0, 0), At(1, 30, 0, 0), At(3, 30, 0, 0)},
    };
    for (const ElapsedCase& c : cases) {
        const TimeOfDay e = ElapsedTime(c.start, c.end);
        EXPECT_EQ(e.hours, c.elapsed.hours);
        EXPECT_EQ(e.minutes, c.elapsed.minutes);
        EXPECT_EQ(e.seconds, c.elapsed.seconds);
        EXPECT_EQ(e.hundredths, c.elapsed.hundredths);
    }
}

TEST(TimeLine, OnePercentTwoDigitFieldsTwentyBlanks) {
    EXPECT_EQ(TimeLineText(At(0, 0, 0, 20)),
              "\n\n% Execution time: 00 hour 00 min. 00.20 sec." + std::string(20, ' ') + "\n");
    EXPECT_EQ(TimeLineText(At(1, 3, 39, 9)),
              "\n\n% Execution time: 01 hour 03 min. 39.09 sec." + std::string(20, ' ') + "\n");
}

// ---- tail padding --------------------------------------------------------

class TailPadding : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vorlan_tail_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        path_ = (dir_ / "script").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes `text`, steps back to `position` and pads from there.
    std::string PadAt(const std::string& text, long position) {
        {
            std::ofstream out(path_, std::ios::binary | std::ios::trunc);
            out << text;
        }
        TextFile file;
        EXPECT_TRUE(file.open(path_, TextFile::Mode::Update));
        file.seek(position);
        WriteTailPadding(file);
        file.close();
        return Bytes(path_);
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(TailPadding, OneLineAtTheEndOfTheFile) {
    const std::string line = std::string(70, ' ') + "\r\n";
    EXPECT_EQ(PadAt("abc", 3), "abc" + line);
}

TEST_F(TailPadding, CoversStaleTextWithoutTruncating) {
    const std::string line = std::string(70, ' ') + "\r\n";
    // 141 stale bytes behind the position: n = 140, three lines.
    EXPECT_EQ(PadAt("head" + std::string(141, 'x'), 4), "head" + line + line + line);
    // 70 stale bytes: n = 69, one line of 72 bytes covers them.
    EXPECT_EQ(PadAt("head" + std::string(70, 'x'), 4), "head" + line);
    // 71 stale bytes: n = 70, two lines.
    EXPECT_EQ(PadAt("head" + std::string(71, 'x'), 4), "head" + line + line);
    // 300 stale bytes: n = 299, five lines, the file grows past the stale end.
    EXPECT_EQ(PadAt("head" + std::string(300, 'x'), 4), "head" + line + line + line + line + line);
}

// ---- whole scripts -------------------------------------------------------

// The clock of the runs below: 10:00:05.90 at the start, 10:00:06.10 at the end.
TimeOfDay TwentyHundredths() {
    static int reads = 0;
    return reads++ % 2 == 0 ? At(10, 0, 5, 90) : At(10, 0, 6, 10);
}

const std::string kCrLf = "\r\n";
const std::string kTimeAndTail = "\r\n\r\n% Execution time: 00 hour 00 min. 00.20 sec." + std::string(20, ' ') +
                                 "\r\n" + std::string(70, ' ') + "\r\n";

// A private working directory with a settings file whose RequireNonzeroDet
// is chosen per test.
class WholeScript : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vorlan_run_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
        Settings(0);
    }
    void TearDown() override {
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    // The shipped settings with RequireNonzeroDet (its last line) replaced.
    void Settings(int requireNonzeroDet) {
        std::string text = Bytes(VORLAN_SETUP_SYM);
        const std::size_t last = text.rfind(kCrLf, text.size() - kCrLf.size() - 1);
        ASSERT_NE(last, std::string::npos);
        text = text.substr(0, last + kCrLf.size()) + std::to_string(requireNonzeroDet) + kCrLf;
        std::ofstream("setup.sym", std::ios::binary | std::ios::trunc) << text;
    }

    // Runs the engine on `netlist`; the script's bytes, every line end CR LF.
    std::string Run(const std::string& netlist, int expected = 0) {
        std::ofstream("cir", std::ios::binary | std::ios::trunc) << netlist;
        EXPECT_EQ(RunMain("cir", "out", TwentyHundredths), expected);
        const std::string script = Bytes("out");
        for (std::size_t i = 0; i < script.size(); ++i) {
            const bool lf = script[i] == '\n';
            const bool cr = script[i] == '\r';
            EXPECT_FALSE(lf && (i == 0 || script[i - 1] != '\r')) << "bare LF at " << i;
            EXPECT_FALSE(cr && (i + 1 == script.size() || script[i + 1] != '\n')) << "bare CR at " << i;
        }
        return script;
    }

    fs::path home_, dir_;
};

const char* const kResistor = "Title\nR1 1 0 1000\n.end\n";
const std::string kResistorScript = "% Title\r\n\r\nR1=1000;\r\n\r\ndetan= \r\n1;" + kTimeAndTail;

// The text between `from` and the next `to`, from position `at` on.
std::string Between(const std::string& text, const std::string& from, const std::string& to, std::size_t& at) {
    const std::size_t start = text.find(from, at);
    if (start == std::string::npos) return {};
    const std::size_t end = text.find(to, start + from.size());
    if (end == std::string::npos) return {};
    at = end;
    return text.substr(start + from.size(), end - start - from.size());
}

TEST_F(WholeScript, NoProbeGivesOneDeterminantTimeLineAndOneTailLine) {
    EXPECT_EQ(Run(kResistor), kResistorScript);
    EXPECT_STREQ(Engine().ErrorText, "No errors.");
}

TEST_F(WholeScript, RequireNonzeroDetRepeatsTheDeterminantBeforeTheProbes) {
    // The current probe I2 shorts R1 in every expression but its own numerator.
    const char* netlist = "T\nR1 1 0 1000\nU1 1 0\nI2 1 0\n.end\n";
    const std::string head = "% T\r\n\r\nR1=1000;\r\n\r\ndetan= \r\nR1;";
    const std::string probes = "\r\nU1 = \r\n(\r\nR1\r\n)\r\n/\r\n(\r\nR1\r\n);"
                               "\r\nI2 = \r\n(\r\n1\r\n)\r\n/\r\n(\r\nR1\r\n);";
    EXPECT_EQ(Run(netlist), head + probes + kTimeAndTail);
    Settings(1);
    EXPECT_EQ(Run(netlist), head + "\r\ndetan= \r\nR1;" + probes + kTimeAndTail);
}

TEST_F(WholeScript, EmptyDeterminantIsZeroAndStopsTheProbesOnlyWhenRequired) {
    // Two separate parts: the determinant vanishes.
    const char* netlist = "T\ng1 1 0 1\ng2 2 3 1\nU1 1 0\n.end\n";
    const std::string head = "% T\r\n\r\ng1=1;\r\ng2=1;\r\n\r\ndetan= \r\n 0;";
    EXPECT_EQ(Run(netlist), head + "\r\nU1 = \r\n(\r\n 0\r\n)\r\n/\r\n(\r\n 0\r\n);" + kTimeAndTail);
    Settings(1);
    EXPECT_EQ(Run(netlist), head + "\r\ndetan= \r\n 0;" + kTimeAndTail);
}


TEST_F(WholeScript, EveryExpressionIsTakenOverTheNetlistsSNodes) {
    // Shorting g1 merges the S nodes 1 and 2 in one branch of each
    // expansion; that must not change the S nodes of the next expression.
    Settings(1);
    const std::string script = Run("T\nS 1 2\ng1 1 2 1\ng2 2 0 1\nU1 2 0\n.end\n");
    std::size_t at = 0;
    const std::string first = Between(script, "\r\ndetan= \r\n", ";", at);
    const std::string second = Between(script, "\r\ndetan= \r\n", ";", at);
    const std::string numerator = Between(script, "\r\nU1 = \r\n(\r\n", "\r\n)\r\n/\r\n(\r\n", at);
    const std::string denominator = Between(script, "\r\n)\r\n/\r\n(\r\n", "\r\n);", at);
    EXPECT_NE(first.find("S12"), std::string::npos) << script;
    EXPECT_EQ(second, first);
    // Without sources the quotient's halves are the determinant itself.
    EXPECT_EQ(numerator, first);
    EXPECT_EQ(denominator, first);
}

TEST_F(WholeScript, FlaggedDeterminantAndOneResponsePerMarkedElement) {
    const std::string script =
        Run("T\nE1 1 0 1\nR1? 1 2 10\nR2 2 3 5\ng3? 3 0 2\nV1 2 0 1\nA2 3 0 1\n.end\n");
    const std::string head = "% T\r\n\r\nE1=1;\r\nR1=10;\r\nR2=5;\r\ng3=2;\r\nU1=1;\r\nI2=1;\r\n\r\ndetan= \r\n";
    ASSERT_EQ(script.rfind(head, 0), 0u) << script;
    std::size_t at = 0;
    const std::string det = Between(script, head, ";", at);
    const std::string detdia = Between(script, ";\r\ndetdia = \r\n(\r\n", "\r\n);", at);
    const std::string r1 = Between(script, "\r\n);\r\nR1 = -\r\n(\r\n", "\r\n)\r\n/\r\n(\r\n", at);
    const std::string r1Over = Between(script, "\r\n)\r\n/\r\n(\r\n", "\r\n);", at);
    const std::string g3 = Between(script, "\r\n);\r\ng3 = -\r\n(\r\n", "\r\n)\r\n/\r\n(\r\n", at);
    const std::string g3Over = Between(script, "\r\n)\r\n/\r\n(\r\n", "\r\n);", at);
    for (const std::string* piece : {&det, &detdia, &r1, &r1Over, &g3, &g3Over})
        EXPECT_TRUE(*piece == " 0" || (!piece->empty() && piece->find_first_of(" \r\n") == std::string::npos))
            << script;
    EXPECT_EQ(script.substr(at), "\r\n);" + kTimeAndTail) << script;
}

TEST_F(WholeScript, EmptyFlaggedDeterminantHasNoResponses) {
    EXPECT_EQ(Run("T\ng1 1 0 1\nR2? 2 3 1\nV1 2 3 1\n.end\n"),
              "% T\r\n\r\ng1=1;\r\nR2=1;\r\nU1=1;\r\n\r\ndetan= \r\n 0;\r\ndetdia = \r\n(\r\n 0\r\n);" +
                  kTimeAndTail);
}

TEST_F(WholeScript, LongExpressionsWrapInLinesOfSeventyAndASecondRunLeavesNoTrace) {
    std::string netlist = "T\nE1 1 0 1\n";
    for (int i = 1; i <= 7; ++i) {
        netlist += "R" + std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i % 7 + 1 == 1 ? 0 : i + 1) +
                   " 1\n";
        if (i > 1) netlist += "g" + std::to_string(i) + " " + std::to_string(i) + " 0 1\n";
    }
    netlist += "U1 7 0\n.end\n";
    const std::string script = Run(netlist);
    std::size_t at = 0;
    const std::string det = Between(script, "\r\ndetan= \r\n", ";", at);
    std::size_t lines = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = det.find(kCrLf, start);
        if (end == std::string::npos) {
            EXPECT_LE(det.size() - start, 70u);  // the unpadded rest
            break;
        }
        const std::string line = det.substr(start, end - start);
        ASSERT_EQ(line.size(), 70u) << line;
        // 1 to 69 characters, then blanks; every line after the first begins
        // with the character it was cut before.
        const std::size_t blank = line.find(' ');
        EXPECT_TRUE(blank > 0 && blank < 70) << line;
        EXPECT_EQ(line.find_first_not_of(' ', blank), std::string::npos) << line;
        EXPECT_TRUE(lines == 0 || std::string("(*+").find(line[0]) != std::string::npos) << line;
        ++lines;
        start = end + kCrLf.size();
    }
    EXPECT_GT(lines, 3u);

    EXPECT_EQ(Run(kResistor), kResistorScript);
}

TEST_F(WholeScript, FailuresStopTheRunAndSayWhy) {
    std::ofstream("out", std::ios::binary) << "old text";
    EXPECT_EQ(RunMain("missing.cir", "out", TwentyHundredths), 1);
    EXPECT_STREQ(Engine().ErrorText, "Cannot open cir-file missing.cir");
    EXPECT_EQ(Bytes("out"), "");

    // A refused line: what was read so far stays, without time line or tail.
    EXPECT_EQ(Run("T\nR1 1 0 1000\nB2 1 0 5\nR3 1 0 1\n.end\n", 1), "% T\r\n\r\nR1=1000;\r\n");
    EXPECT_STREQ(Engine().ErrorText, "Cannot execute file! Line 3 \"B2 1 0 5\"");

    EXPECT_EQ(Run(kResistor), kResistorScript);
    EXPECT_STREQ(Engine().ErrorText, "No errors.");

    fs::remove("setup.sym");
    fs::remove("out");
    EXPECT_EQ(RunMain("cir", "out", TwentyHundredths), 1);
    EXPECT_STREQ(Engine().ErrorText, "Cannot open setup.sym file!");
    EXPECT_FALSE(fs::exists("out"));

    // A folder is no netlist.
    std::ofstream("setup.sym") << "c\n0 0\nc\n0 0\nc\n0 0\nc\n0 0\nc\n0\nc\n0\n";
    fs::create_directory("folder");
    EXPECT_EQ(RunMain("folder", "out", TwentyHundredths), 1);
    EXPECT_STREQ(Engine().ErrorText, "Cannot open cir-file folder");
}

}  // namespace
}  // namespace vorlan
