#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "case_name.h"
#include "messages.h"
#include "reader.h"
#include "state.h"

namespace vorlan {
namespace {

namespace fs = std::filesystem;

struct Message {
    std::string caption;
    std::string text;
};

// "\n" as the script stores it.
std::string Dos(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string Repeat(std::string_view line, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += line;
    return out;
}

// A short text of the tables: each table that holds something, as
// Name[record record ...]; nodes are shown as their label characters.
std::string Describe(const NetlistTables& t) {
    std::string out;
    auto table = [&out](const char* name, const std::vector<std::string>& records) {
        if (records.empty()) return;
        if (!out.empty()) out += ' ';
        out += std::string(name) + "[";
        for (std::size_t i = 0; i < records.size(); ++i) out += (i ? " " : "") + records[i];
        out += "]";
    };
    auto two = [](const TwoTerminalList& list) {
        std::vector<std::string> records;
        for (const TwoTerminal& r : list) {
            records.push_back(r.name + ":" + char(r.n1) + char(r.n2) + "/" + std::to_string(r.weight));
        }
        return records;
    };
    auto four = [](const FourTerminalList& list) {
        std::vector<std::string> records;
        for (const FourTerminal& r : list) {
            records.push_back(r.name + ":" + char(r.n1) + char(r.n2) + char(r.n3) + char(r.n4) + "/" +
                              std::to_string(r.weight));
        }
        return records;
    };
    std::vector<std::string> meters, indices, snodes;
    for (const MeterItem& m : t.MeterList) meters.push_back(std::to_string(m.index) + ":" + m.name);
    for (int i : t.FlaggedIndices) indices.push_back(std::to_string(i));
    if (t.SNodeCount > 0) {
        snodes.emplace_back(reinterpret_cast<const char*>(&t.SNodes[1]), static_cast<std::size_t>(t.SNodeCount));
    }
    table("M2", two(t.MainTwoTerminals));
    table("M4", four(t.MainFourTerminals));
    table("F2", two(t.FlaggedTwoTerminals));
    table("F4", four(t.FlaggedFourTerminals));
    table("P", two(t.ProbeList));
    table("Mt", meters);
    table("Idx", indices);
    table("S", snodes);
    return out;
}

// Each test runs in a fresh working directory holding the shipped setup.sym.
class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "vorlan-reader-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
        fs::copy_file(VORLAN_SETUP_SYM, "setup.sym");
        Engine().settings = {};
        Engine().NetlistPath = "cir";
        Engine().ScriptPath = "out";
        SetMessageHook([this](std::string_view caption, std::string_view text) {
            messages_.push_back({std::string(caption), std::string(text)});
        });
    }

    void TearDown() override {
        Engine().ScriptFile.close();
        SetMessageHook({});
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }

    static void WriteFile(const std::string& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Reads `netlist` (written as it stands) and closes the script.
    int Read(std::string_view netlist) {
        WriteFile("cir", netlist);
        const int result = ReadNetlist(tables_);
        Engine().ScriptFile.close();
        return result;
    }

    std::string Script() { return FileBytes("out"); }

    NetlistTables tables_;
    std::vector<Message> messages_;

private:
    fs::path previous_;
    fs::path dir_;
};

// ---- lines that are read -------------------------------------------------

struct ReadCase {
    const char* label;
    std::string body;    // the lines after the title
    std::string values;  // what the script holds after the title line
    std::string tables;  // Describe() of the tables
};

std::string PadTo(std::string line, std::size_t column, std::string_view tail) {
    line.resize(column, ' ');
    return line + std::string(tail);
}

const ReadCase kReadCases[] = {
    // every letter
    {"R", "R1 1 2 1000\n", "R1=1000;\n", "M2[R1:12/1] F2[R1:12/1]"},
    {"r", "r5 1 2 2\n", "g5=1/2;\n", "M2[g5:12/1] F2[g5:12/1]"},
    {"g", "g7 1 2 0.5\n", "g7=0.5;\n", "M2[g7:12/1] F2[g7:12/1]"},
    {"C", "C12 2 0 1e-06\n", "z12=1/(s*1e-06);\n", "M2[z12:20/1] F2[z12:20/1]"},
    {"c", "c2 2 0 4.7e6\n", "y2=s*4.7e+06;\n", "M2[y2:20/1] F2[y2:20/1]"},
    {"L", "L1 1 0 0.001\n", "Z1=s*0.001;\n", "M2[Z1:10/1] F2[Z1:10/1]"},
    {"l", "l3 1 0 0.5\n", "Y3=1/(s*0.5);\n", "M2[Y3:10/1] F2[Y3:10/1]"},
    {"G K k", "G1 1 2 3 4 3\nK1 1 2 3 4 2\nk2 4 3 2 1 5\n", "G1=3;\nK1=2;\nK2=5;\n",
     "M4[G1:1234/1 K1:1234/1 K2:4321/1] F4[G1:1234/1 K1:1234/1 K2:4321/1]"},
    {"F f H h", "F1 1 2 3 4 1\nf2 1 2 3 4 2\nH1 1 2 3 4 3\nh2 1 2 3 4 4\n", "F1=1;\nF2=2;\nH1=3;\nH2=4;\n",
     "M4[F1:1234/1 F2:1234/1 H1:1234/1 H2:1234/1] F4[F1:1234/1 F2:1234/1 H1:1234/1 H2:1234/1]"},
    {"E e J j", "E1 1 0 10\ne2 2 0 20\nJ1 3 0 1\nj2 4 0 2\n", "E1=10;\nE2=20;\nJ1=1;\nJ2=2;\n",
     "M4[E1:1010/999 E2:2020/999 J1:3030/999 J2:4040/999] "
     "F4[E1:1010/999 E2:2020/999 J1:3030/999 J2:4040/999]"},
    {"N n", "N1 1 2 3 4\nn7 5 6 7 8 9\n", "", "M4[1:1234/-1 1:5678/-1] F4[1:1234/-1 1:5678/-1]"},
    {"U u I i", "U1 1 0 5\nu2 2 0\nI1 3 0\ni2 4 0\n", "", "P[U1:10/1 U2:20/1 I1:30/1 I2:40/1]"},
    {"V v A a", "V1 2 0 5\nv2 3 0 6\nA1 4 0 1\na2 5 0 2\n", "U1=5;\nU2=6;\nI1=1;\nI2=2;\n",
     "F4[U1:2020/999 U2:3030/999 I1:4040/999 I2:5050/999] Mt[0:U1 1:U2 2:I1 3:I2]"},
    {"S", "S 1 2 3\n", "", "S[123]"},
    {"S with a name field", "S1 5\n", "", "S[5]"},
    {"s X x", "s 1 2\nX 3 4 5\nx 6 7\n", "", "S[67]"},
    {"S of twelve nodes", "S 1 2 3 4 5 6 7 8 9 10 11 12\n", "", "S[123456789:]"},
    {"S with a trailing blank", "S 1 2 3 \n", "", "S[123]"},
    {"S with a trailing tab", "S 1 2 3\t\n", "", "S[123]"},
    {"S lines overwrite", "S 1 2 3\nS 5\n", "", "S[5]"},
    // a name that is not used may be long
    {"long names that are not used", "S123456789012 1 2\nN123456789012 1 2 3 4\n.ac_sweep_linear 10 100 7\n",
     "f=7.000000;\ns=2*3.14159265358979323j*f;\n", "M4[1:1234/-1] F4[1:1234/-1] S[12]"},
    // skipped lines write nothing
    {"skipped", "* R9 1 2 3\n\n\tR9 1 2 3\n.dc\n.DC\nR1 1 2 3\n", "R1=3;\n", "M2[R1:12/1] F2[R1:12/1]"},
    {".a", ".ac dec 10 100 1000\n", "f=100.000000;\ns=2*3.14159265358979323j*f;\n", ""},
    {".A", ".AC lin 3 2.5\n", "f=2.500000;\ns=2*3.14159265358979323j*f;\n", ""},
    {".a keeps the frequency", ".ac dec 10 7\n.ac dec\n",
     "f=7.000000;\ns=2*3.14159265358979323j*f;\nf=7.000000;\ns=2*3.14159265358979323j*f;\n", ""},
    // ".e" ends the netlist; so does the end of the file
    {".end", "R1 1 2 3\n.end\nR2 1 2 4\n", "R1=3;\n", "M2[R1:12/1] F2[R1:12/1]"},
    {".E", "R1 1 2 3\n.E\nB2 1 2 4\n", "R1=3;\n", "M2[R1:12/1] F2[R1:12/1]"},
    {"no end line", "R1 1 2 3", "R1=3;\n", "M2[R1:12/1] F2[R1:12/1]"},
    // the "?" mark
    {"marked passive", "R2? 3 4 10\nV1 3 4 1\n", "R2=10;\nU1=1;\n",
     "M2[R2:34/1] F4[R2:3434/1 U1:3434/999] Mt[1:U1] Idx[0]"},
    {"marked sources", "V1 1 0 1\nG1? 1 2 3 4 2\nE1? 5 0 1\nA1 2 0 1\n", "U1=1;\nG1=2;\nE1=1;\nI1=1;\n",
     "M4[G1:1234/1 E1:5050/999] F4[U1:1010/999 G1:1234/1 E1:5050/999 I1:2020/999] Mt[0:U1 3:I1] "
     "Idx[1 2]"},
    {"? stays on probes and unit elements", "U1? 1 0\nN1? 1 2 3 4\n", "",
     "M4[1:1234/-1] F4[1:1234/-1] P[U1?:10/1]"},
    {"? stays on meters", "V1? 2 0 5\n", "U1?=5;\n", "F4[U1?:2020/999] Mt[0:U1?]"},
    {"? alone as the name", "c? 1 2 3\nV1 1 2 1\n", "y=s*3;\nU1=1;\n",
     "M2[y:12/1] F4[y:1212/1 U1:1212/999] Mt[1:U1] Idx[0]"},
    // names and fields
    {"empty name field", "R 1 2 5\n", "R=5;\n", "M2[R:12/1] F2[R:12/1]"},
    {"tabs and runs of blanks", "R1\t1 \t 2\t\t33   \n", "R1=33;\n", "M2[R1:12/1] F2[R1:12/1]"},
    {"name of eleven characters", "R12345678901 1 2 3\n", "R12345678901=3;\n",
     "M2[R12345678901:12/1] F2[R12345678901:12/1]"},
    {"eleven characters with ?", "R1234567890? 1 2 3\nV1 1 2 1\n", "R1234567890=3;\nU1=1;\n",
     "M2[R1234567890:12/1] F4[R1234567890:1212/1 U1:1212/999] Mt[1:U1] Idx[0]"},
    // a name counts letters: UTF-8 characters, or the bytes of a field that
    // is no UTF-8 (Windows-1251, one byte a letter)
    {"UTF-8 name of eleven letters", "Rсопротивлен 1 2 3\n", "Rсопротивлен=3;\n",
     "M2[Rсопротивлен:12/1] F2[Rсопротивлен:12/1]"},
    {"eleven characters of one to four bytes", "Raµ€𝛀aµ€𝛀aµ€ 1 2 3\n", "Raµ€𝛀aµ€𝛀aµ€=3;\n",
     "M2[Raµ€𝛀aµ€𝛀aµ€:12/1] F2[Raµ€𝛀aµ€𝛀aµ€:12/1]"},
    {"Windows-1251 name of eleven letters", "R\xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed 1 2 3\n",
     "R\xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed=3;\n",
     "M2[R\xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed:12/1] "
     "F2[R\xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed:12/1]"},
    {"name at the line end", "R1\nR2? 4 5 6\nV1 1 0 1\n", "R1=0;\nR2=6;\nU1=1;\n",
     "M2[R1:00/1 R2:45/1] F2[R1:00/1] F4[R2:4545/1 U1:1010/999] Mt[1:U1] Idx[0]"},
    {"node numbers", "R1 -47 52 1\nR2 +7x 207 2\nR3 abc 190 3\n", "R1=1;\nR2=2;\nR3=3;\n",
     "M2[R1:\x01" "d/1 R2:7\xff/1 R3:0\xee/1] F2[R1:\x01" "d/1 R2:7\xff/1 R3:0\xee/1]"},
    {"values", "R1 1 2 123456789\nR2 1 2 -0.25\nR3 1 2 1e-300\nR4 1 2 x\n",
     "R1=1.23457e+08;\nR2=-0.25;\nR3=1e-300;\nR4=0;\n",
     "M2[R1:12/1 R2:12/1 R3:12/1 R4:12/1] F2[R1:12/1 R2:12/1 R3:12/1 R4:12/1]"},
    // a value is digits with an optional point and exponent, up to the first
    // character that does not fit; anything else reads 0
    {"value grammar",
     "R1 1 2 inf\nR2 1 2 nan\nR3 1 2 0x10\nR4 1 2 -.5\nR5 1 2 5.\nR6 1 2 2e\nR7 1 2 2e+x\nR8 1 2 1.5E+3k\n"
     "R9 1 2 +4.7u\nR10 1 2 .\nR11 1 2 -infinity\n",
     "R1=0;\nR2=0;\nR3=0;\nR4=-0.5;\nR5=5;\nR6=2;\nR7=2;\nR8=1500;\nR9=4.7;\nR10=0;\nR11=0;\n",
     "M2[R1:12/1 R2:12/1 R3:12/1 R4:12/1 R5:12/1 R6:12/1 R7:12/1 R8:12/1 R9:12/1 R10:12/1 R11:12/1] "
     "F2[R1:12/1 R2:12/1 R3:12/1 R4:12/1 R5:12/1 R6:12/1 R7:12/1 R8:12/1 R9:12/1 R10:12/1 R11:12/1]"},
    {"frequency grammar", ".ac dec 10 0x10\n", "f=0.000000;\ns=2*3.14159265358979323j*f;\n", ""},
    // C's white space before a value (blanks and tabs separate the fields)
    {"white space before values", "R1 1 2 \f5\nR2 1 2 \v-2\nR3 1 2 \r\f+3e1\n.ac dec 10 \v\f7\n",
     "R1=5;\nR2=-2;\nR3=30;\nf=7.000000;\ns=2*3.14159265358979323j*f;\n",
     "M2[R1:12/1 R2:12/1 R3:12/1] F2[R1:12/1 R2:12/1 R3:12/1]"},
    // fields a line doesn't give keep the value an earlier line gave
    {"nothing given yet", "R1\nG1\n", "R1=0;\nG1=0;\n", "M2[R1:00/1] M4[G1:0000/1] F2[R1:00/1] F4[G1:0000/1]"},
    {"value carried", "R2 5 6 47\nR3 1 2\n", "R2=47;\nR3=47;\n", "M2[R2:56/1 R3:12/1] F2[R2:56/1 R3:12/1]"},
    {"nodes carried", "R2 5 6 47\nR3 1\nR4\n", "R2=47;\nR3=47;\nR4=47;\n",
     "M2[R2:56/1 R3:16/1 R4:16/1] F2[R2:56/1 R3:16/1 R4:16/1]"},
    {"control pair carried past E", "G1 1 2 3 4 5\nE1 7 8 9\nG2 5 6\n", "G1=5;\nE1=9;\nG2=9;\n",
     "M4[G1:1234/1 E1:7878/999 G2:5634/1] F4[G1:1234/1 E1:7878/999 G2:5634/1]"},
    {"probe and unit values carry", "U1 1 0 8\nR1 3 4\nN1 1 2 3 4 6\nR2 5 6\n", "R1=8;\nR2=6;\n",
     "M2[R1:34/1 R2:56/1] M4[1:1234/-1] F2[R1:34/1 R2:56/1] F4[1:1234/-1] P[U1:10/1]"},
    {"S nodes are not current fields", "R1 4 5 1\nS 7 8\nR2\n", "R1=1;\nR2=1;\n",
     "M2[R1:45/1 R2:45/1] F2[R1:45/1 R2:45/1] S[78]"},
    // long lines: 99 characters a line, columns from 80 on unseen
    {"150 characters read as two lines", "*" + std::string(98, 'x') + PadTo("R9 1 2 3", 51, "\n"), "R9=3;\n",
     "M2[R9:12/1] F2[R9:12/1]"},
    {"value in column 79", "R0 1 2 9\n" + PadTo("R1 1 2", 79, "5\n"), "R0=9;\nR1=5;\n",
     "M2[R0:12/1 R1:12/1] F2[R0:12/1 R1:12/1]"},
    {"value in column 80 unseen", "R0 1 2 9\n" + PadTo("R1 1 2", 80, "5\n"), "R0=9;\nR1=9;\n",
     "M2[R0:12/1 R1:12/1] F2[R0:12/1 R1:12/1]"},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.label; }

class ReadLines : public Reader, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadLines, ScriptAndTables) {
    const ReadCase& c = GetParam();
    ASSERT_EQ(Read("Title\n" + c.body), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Script(), Dos("% Title\n\n" + c.values));
    EXPECT_EQ(Describe(tables_), c.tables);
}

TEST_P(ReadLines, SameFromCrLfInput) {
    const ReadCase& c = GetParam();
    ASSERT_EQ(Read(Dos("Title\n" + c.body)), 0);
    EXPECT_EQ(Script(), Dos("% Title\n\n" + c.values));
    EXPECT_EQ(Describe(tables_), c.tables);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadLines, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                             return test::CaseName(info.param.label) + "_" + std::to_string(info.index);
                         });

// ---- title and the line count --------------------------------------------

TEST_F(Reader, TitleOnlyNetlist) {
    ASSERT_EQ(Read("Схема 1\n"), 0);
    EXPECT_EQ(Script(), Dos("% Схема 1\n\n"));
    EXPECT_EQ(Describe(tables_), "");

    ASSERT_EQ(Read("Title\r\n.end\r\n"), 0);
    EXPECT_EQ(Script(), "% Title\r\n\r\n");

    ASSERT_EQ(Read(""), 0);
    EXPECT_EQ(Script(), "% \r\n");
}

TEST_F(Reader, LongTitleGoesOnAsTheNextLine) {
    ASSERT_EQ(Read(std::string(99, 'T') + "R1 1 2 3\n"), 0);
    EXPECT_EQ(Script(), Dos("% " + std::string(99, 'T') + "\nR1=3;\n"));
}

TEST_F(Reader, ThousandLinesAfterTheTitle) {
    ASSERT_EQ(Read("Title\n" + Repeat("*\n", 999) + "R1 1 2 3\n"), 0);
    EXPECT_EQ(Describe(tables_), "M2[R1:12/1] F2[R1:12/1]");

    tables_ = {};
    ASSERT_EQ(Read("Title\n" + Repeat("*\n", 1000) + "B1 1 2 3\n"), 0);
    EXPECT_EQ(Describe(tables_), "");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Reader, SNodeCountStartsAtZeroAndRecordsAppend) {
    tables_.SNodeCount = 3;
    AddTwoTerminal(LabelOfNode(7), LabelOfNode(8), 1, "R0", tables_.MainTwoTerminals);
    ASSERT_EQ(Read("Title\nR1 1 2 3\n"), 0);
    EXPECT_EQ(Describe(tables_), "M2[R0:78/1 R1:12/1] F2[R1:12/1]");
}

TEST_F(Reader, ScriptOfAnEarlierRunIsReplaced) {
    WriteFile("out", std::string(500, 'x'));
    ASSERT_EQ(Read("Title\nR1 1 2 3\n"), 0);
    EXPECT_EQ(Script(), Dos("% Title\n\nR1=3;\n"));
}

// ---- refused lines -------------------------------------------------------

class RefusedLines : public Reader, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedLines, FailWithTheLineAsCaption) {
    const std::string line = GetParam();
    ASSERT_EQ(Read("Title\nR1 1 2 3\n" + line + "\nR2 1 2 4\n"), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, line + "\n");
    EXPECT_EQ(messages_[0].text, "\n         Cannot execute file!");
    EXPECT_NE(Engine().FailureReason.find("Cannot execute file!"), std::string::npos);
    EXPECT_NE(Engine().FailureReason.find("Line 3 \"" + line + "\""), std::string::npos);
    EXPECT_EQ(Script(), Dos("% Title\n\nR1=3;\n"));
    EXPECT_EQ(Describe(tables_), "M2[R1:12/1] F2[R1:12/1]");
}

INSTANTIATE_TEST_SUITE_P(Letters, RefusedLines,
                         ::testing::Values(" R3 1 2 3", "1R 1 2", "B1 1 2 3", "b1 1 2 3", "Y1 1 2 3", "y1 1 2 3",
                                           "Z1 1 2 3", "z1 1 2 3", "M1 1 2 3", ".x", ".", "#1", "\v"));

// ---- rejected netlists ---------------------------------------------------

struct RejectCase {
    const char* label;
    std::string body;
    std::string reason;  // the end of the failure reason
};

std::string Numbered(const char* format, int count) {
    std::string out;
    for (int i = 1; i <= count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, format, i);
        out += line;
    }
    return out;
}

const RejectCase kRejectCases[] = {
    {"two-terminals", Numbered("R%d 1 2 1\n", 101), "Line 102 \"R101 1 2 1\": more than 100 two-terminal elements"},
    {"four-terminals", Numbered("G%d 1 2 3 4 1\n", 101),
     "Line 102 \"G101 1 2 3 4 1\": more than 100 four-terminal elements"},
    {"flagged four-terminals", Numbered("N%d 1 2 3 4\n", 100) + "V1 1 0 1\n",
     "Line 102 \"V1 1 0 1\": more than 100 four-terminal elements in the flagged analysis"},
    {"probes", Numbered("U%d 1 0\n", 21), "Line 22 \"U21 1 0\": more than 20 probe lines (U, I)"},
    {"meters", Numbered("V%d 1 0 1\n", 21), "Line 22 \"V21 1 0 1\": more than 20 meter lines (V, A)"},
    {"marks", Numbered("R%d? 1 2 1\n", 21), "Line 22 \"R21? 1 2 1\": more than 20 elements marked with ?"},
    {"mark without meter", "R1? 1 2 1\nV1 1 0 1\nG1? 1 2 3 4 1\n",
     "G1 is marked with ? but no meter line (V, A) is left for it: 2 marked, 1 meter lines"},
    {"line after a long line", "*" + std::string(98, 'y') + "*" + std::string(50, 'y') + "\nR1 1 208 1\n",
     "Line 3 \"R1 1 208 1\": node 208 is outside -47..207"},
    {"node 208", "R1 1 208 1\n", "Line 2 \"R1 1 208 1\": node 208 is outside -47..207"},
    {"node -48", "G1 1 2 3 -48 1\n", "Line 2 \"G1 1 2 3 -48 1\": node -48 is outside -47..207"},
    {"huge node", "E1 99999999999 0 1\n", "node 99999999999 is outside -47..207"},
    {"node 191", "U1 191 0\n", "Line 2 \"U1 191 0\": node 191 is reserved"},
    {"S node", "S 1 2 300\n", "Line 2 \"S 1 2 300\": node 300 is outside -47..207"},
    // a name field longer than eleven characters would lose its "?" mark or
    // make two names one
    {"long name", "R123456789012 1 2 3\n",
     "Line 2 \"R123456789012 1 2 3\": the name field 123456789012 is longer than 11 characters"},
    {"long marked name", "R12345678901? 1 2 3\nV1 1 2 1\n",
     "Line 2 \"R12345678901? 1 2 3\": the name field 12345678901? is longer than 11 characters"},
    {"long probe name", "U123456789012 1 0\n", "the name field 123456789012 is longer than 11 characters"},
    {"UTF-8 name of twelve letters", "Rсопротивлени 1 2 3\n",
     "Line 2 \"Rсопротивлени 1 2 3\": the name field сопротивлени is longer than 11 characters"},
    {"Windows-1251 name of twelve letters", "R\xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed\xe8 1 2 3\n",
     "the name field \xf1\xee\xef\xf0\xee\xf2\xe8\xe2\xeb\xe5\xed\xe8 is longer than 11 characters"},
    {"broken UTF-8 counts bytes", "R\xd1\x81\xd0\xbe\xd0\xbf\xd1\x80\xd0\xbe\xd1" "1 1 2 3\n",
     "the name field \xd1\x81\xd0\xbe\xd0\xbf\xd1\x80\xd0\xbe\xd1" "1 is longer than 11 characters"},
};

void PrintTo(const RejectCase& c, std::ostream* os) { *os << c.label; }

class RejectedNetlists : public Reader, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(RejectedNetlists, FailWithinTheCapacities) {
    const RejectCase& c = GetParam();
    ASSERT_EQ(Read("Title\n" + c.body + "R0 1 2 1\n"), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "ERROR");
    EXPECT_EQ(messages_[0].text, "\n " + Engine().FailureReason);
    const std::string& reason = Engine().FailureReason;
    ASSERT_GE(reason.size(), c.reason.size());
    EXPECT_EQ(reason.substr(reason.size() - c.reason.size()), c.reason);

    EXPECT_LE(tables_.MainTwoTerminals.size(), std::size_t{kElementCapacity});
    EXPECT_LE(tables_.MainFourTerminals.size(), std::size_t{kElementCapacity});
    EXPECT_LE(tables_.FlaggedTwoTerminals.size(), std::size_t{kElementCapacity});
    EXPECT_LE(tables_.FlaggedFourTerminals.size(), std::size_t{kElementCapacity});
    EXPECT_LE(tables_.ProbeList.size(), std::size_t{kProbeCapacity});
    EXPECT_LE(tables_.MeterList.size(), std::size_t{kMeterCapacity});
    EXPECT_LE(tables_.FlaggedIndices.size(), std::size_t{kFlaggedCapacity});
    if (reason.starts_with("Line ")) {  // reading stopped at the line
        for (const TwoTerminal& r : tables_.MainTwoTerminals) EXPECT_NE(r.name, "R0");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RejectedNetlists, ::testing::ValuesIn(kRejectCases),
                         [](const ::testing::TestParamInfo<RejectCase>& info) {
                             return test::CaseName(info.param.label);
                         });

TEST_F(Reader, FullTablesAreAccepted) {
    const std::string body = Numbered("R%d 1 2 1\n", 80) + Numbered("g%d? 1 2 1\n", 20) +
                             Numbered("G%d 1 2 3 4 1\n", 60) + Numbered("V%d 1 0 1\n", 20) +
                             Numbered("U%d 1 0\n", 20) + "S 1 2 3 4 5 6 7 8 9 10\n";
    ASSERT_EQ(Read("Title\n" + body), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(tables_.MainTwoTerminals.size(), 100u);
    EXPECT_EQ(tables_.FlaggedFourTerminals.size(), 100u);
    EXPECT_EQ(tables_.FlaggedIndices.size(), 20u);
    EXPECT_EQ(tables_.MeterList.size(), 20u);
    EXPECT_EQ(tables_.ProbeList.size(), 20u);
    EXPECT_EQ(tables_.SNodeCount, 10);
}

// ---- files that cannot be opened -----------------------------------------

TEST_F(Reader, NoSettingsFile) {
    fs::remove("setup.sym");
    EXPECT_EQ(Read("Title\nR1 1 2 3\n"), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "ERROR");
    EXPECT_EQ(messages_[0].text, "\n   Cannot open setup.sym file!");
    EXPECT_FALSE(Engine().FailureReason.empty());
    EXPECT_FALSE(fs::exists("out"));
}

TEST_F(Reader, NoNetlist) {
    WriteFile("out", "old text");
    Engine().NetlistPath = "missing.cir";
    EXPECT_EQ(ReadNetlist(tables_), 1);
    Engine().ScriptFile.close();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "ERROR:");
    EXPECT_EQ(messages_[0].text, "\n Cannot open cir-file");
    EXPECT_NE(Engine().FailureReason.find("missing.cir"), std::string::npos);
    EXPECT_TRUE(fs::exists("out"));
    EXPECT_EQ(Script(), "");
}

TEST_F(Reader, NoScriptFile) {
    Engine().ScriptPath = "no-such-folder/out";
    EXPECT_EQ(Read("Title\nR1 1 2 3\n"), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "ERROR:");
    EXPECT_NE(Engine().FailureReason.find("no-such-folder/out"), std::string::npos);
    EXPECT_FALSE(Engine().ScriptFile.isOpen());
    EXPECT_TRUE(tables_.MainTwoTerminals.empty());
}

// A folder is no file: it fails like a file that cannot be opened.
TEST_F(Reader, FoldersAreNoFiles) {
    fs::create_directory("folder");
    Engine().NetlistPath = "folder";
    EXPECT_EQ(Read("Title\nR1 1 2 3\n"), 1);
    Engine().ScriptFile.close();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "\n Cannot open cir-file");

    messages_.clear();
    WriteFile("cir", "Title\nR1 1 2 3\n");
    Engine().NetlistPath = "cir";
    Engine().ScriptPath = "folder";
    EXPECT_EQ(ReadNetlist(tables_), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "\n Cannot open out-file");
    EXPECT_FALSE(Engine().ScriptFile.isOpen());

    messages_.clear();
    Engine().ScriptPath = "out";
    fs::remove("setup.sym");
    fs::create_directory("setup.sym");
    EXPECT_EQ(ReadNetlist(tables_), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "\n   Cannot open setup.sym file!");
    fs::remove("setup.sym");
    fs::remove("folder");
}

TEST_F(Reader, ScriptStaysOpenForTheWriters) {
    WriteFile("cir", "Title\nR1 1 2 3\n");
    ASSERT_EQ(ReadNetlist(tables_), 0);
    EXPECT_TRUE(Engine().FailureReason.empty());
    ASSERT_TRUE(Engine().ScriptFile.isOpen());
    Engine().ScriptFile.write("\ndetan= \n");
    Engine().ScriptFile.close();
    EXPECT_EQ(Script(), Dos("% Title\n\nR1=3;\n\ndetan= \n"));
}

// ---- settings ------------------------------------------------------------

TEST_F(Reader, ShippedSettings) {
    Engine().settings.SourcesFirst = 5;
    Engine().settings.RequireNonzeroDet = 5;
    ASSERT_EQ(Read("Title\n"), 0);
    const ExpansionSettings& s = Engine().settings;
    EXPECT_EQ(s.pair1, 0);
    EXPECT_FLOAT_EQ(s.value1, 0.2f);
    EXPECT_EQ(s.pair2, 0);
    EXPECT_FLOAT_EQ(s.value2, 0.2f);
    EXPECT_EQ(s.pair3, 0);
    EXPECT_FLOAT_EQ(s.value3, 0.2f);
    EXPECT_EQ(s.pair4, 3);
    EXPECT_FLOAT_EQ(s.value4, 0.3f);
    EXPECT_EQ(s.SourcesFirst, 0);
    EXPECT_EQ(s.RequireNonzeroDet, 0);
}

TEST_F(Reader, ShortSettingsFileKeepsEarlierValues) {
    Engine().settings = {9, 9.5f, 9, 9.5f, 9, 9.5f, 7, 1.5f, 1, 1};
    WriteFile("setup.sym", "first\n1 0.5\nsecond\n2 0.25\nthird\n4 0.125\n");
    ASSERT_EQ(Read("Title\n"), 0);
    const ExpansionSettings& s = Engine().settings;
    EXPECT_EQ(s.pair1, 1);
    EXPECT_FLOAT_EQ(s.value1, 0.5f);
    EXPECT_EQ(s.pair2, 2);
    EXPECT_FLOAT_EQ(s.value2, 0.25f);
    EXPECT_EQ(s.pair3, 4);
    EXPECT_FLOAT_EQ(s.value3, 0.125f);
    EXPECT_EQ(s.pair4, 7);
    EXPECT_FLOAT_EQ(s.value4, 1.5f);
    EXPECT_EQ(s.SourcesFirst, 1);
    EXPECT_EQ(s.RequireNonzeroDet, 1);
}

TEST_F(Reader, SettingsWithCrLfEmptyFirstLineAndBlankLines) {
    WriteFile("setup.sym", Dos("\n1 0.5\n\n\nc\n2 0.25\nc\n3 0.75\nc\n4 1\nc\n1\nc\n1\n"));
    ASSERT_EQ(Read("Title\n"), 0);
    const ExpansionSettings& s = Engine().settings;
    EXPECT_EQ(s.pair1, 1);
    EXPECT_EQ(s.pair2, 2);
    EXPECT_EQ(s.pair3, 3);
    EXPECT_EQ(s.pair4, 4);
    EXPECT_FLOAT_EQ(s.value4, 1.0f);
    EXPECT_EQ(s.SourcesFirst, 1);
    EXPECT_EQ(s.RequireNonzeroDet, 1);
}

// ---- fields --------------------------------------------------------------

struct FieldCase {
    const char* line;
    int limit;
    int start;
    const char* field;
    int position;
    bool end;
};

TEST(NextField, Cases) {
    const FieldCase cases[] = {
        {"R12 1 2 5\n", 80, 0, "12", 2, false},   // name field right after the letter
        {"R 1 2 5\n", 80, 0, "", 1, false},       // blank in column 1: empty name field
        {"R\t1 2 5\n", 80, 0, "", 1, false},
        {"R12 1 2 5\n", 80, 2, "1", 4, false},    // starts on the separator
        {"R12  \t 1 2\n", 80, 2, "1", 7, false},  // a run of blanks and tabs is one separator
        {"R12 1 2 5\n", 80, 6, "5", 9, true},     // ended by the line end, still a field
        {"S 1 2 3 \n", 80, 6, "", 8, true},       // only the line end: no field
        {"R1", 80, 0, "1", 2, true},              // the end of the text is a line end too
        {"R1 2345", 4, 2, "2", 4, false},         // nothing at or beyond the limit
        {"R1 2 3", 80, 5, "", 6, true},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string("line \"") + c.line + "\" from " + std::to_string(c.start));
        std::string field = "stale";
        int position = -1;
        EXPECT_EQ(NextField(c.limit, c.line, c.start, position, field), c.end);
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(position, c.position);
    }
}

TEST(ParseNodeNumber, ReadsAsAtoi) {
    const std::pair<const char*, int> cases[] = {
        {"12", 12}, {"-3", -3}, {"+7x", 7}, {" 42", 42}, {"5\n", 5}, {"abc", 0}, {"", 0},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseNodeNumber(text), number) << text;
}

}  // namespace
}  // namespace vorlan
