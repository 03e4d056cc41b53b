// Velmorad through its one export, loaded with dlopen by its path, with
// Velmorad1 loaded beside it. Both are loaded RTLD_GLOBAL, the way that lets
// one library's symbols interpose on the other's: each must still keep to
// its own internals.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "velmorad.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORLAN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORLAN_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;
using RunOnLinesFn = decltype(&_run_main);
using RunOnFilesFn = int (*)(const char* netlist, const char* script);  // Velmorad1's _run_main

struct Libraries {
    RunOnLinesFn velmorad = nullptr;
    RunOnFilesFn velmorad1 = nullptr;
    std::string error;
};

// Loaded once for the whole program and never unloaded.
const Libraries& Loaded() {
    static const Libraries libraries = [] {
        Libraries l;
        void* files = dlopen(VELMORAD1_PATH, RTLD_NOW | RTLD_GLOBAL);
        if (!files) l.error += dlerror();
        void* memory = dlopen(VELMORAD_PATH, RTLD_NOW | RTLD_GLOBAL);
        if (!memory) l.error += dlerror();
        if (files) l.velmorad1 = reinterpret_cast<RunOnFilesFn>(dlsym(files, "_run_main"));
        if (memory) l.velmorad = reinterpret_cast<RunOnLinesFn>(dlsym(memory, "_run_main"));
        return l;
    }();
    return libraries;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

// One call of Velmorad, its lines copied out at once.
struct MemoryResult {
    int count = -1;
    bool null = false;  // the array pointer stored was null
    Lines lines;
};

// Calls Velmorad on `entries` as they stand (null entries included).
MemoryResult CallOnEntries(std::vector<const char*> entries) {
    char* notStored = nullptr;
    char** result = &notStored;
    MemoryResult r;
    r.count = Loaded().velmorad(0, 0, entries.data(), &result);
    r.null = result == nullptr;
    for (int i = 0; i < r.count && result; ++i) r.lines.emplace_back(result[i]);
    return r;
}

// Calls Velmorad on the netlist lines followed by ".end".
MemoryResult CallOnLines(const Lines& netlist) {
    std::vector<const char*> entries;
    for (const std::string& line : netlist) entries.push_back(line.c_str());
    entries.push_back(".end");
    return CallOnEntries(entries);
}

// The analysis script Velmorad1 writes for the netlist lines under a title,
// in the working directory.
std::string FileScript(const Lines& netlist) {
    std::string text = "Circuit\n";
    for (std::string line : netlist) {
        if (!line.empty() && line.back() == '\n') line.pop_back();
        text += line + "\n";
    }
    Write("cir", text + ".end\n");
    if (Loaded().velmorad1("cir", "out") != 0) return {};
    return Bytes("out");
}

// The expression of the first "detan=" block of a script: its lines without
// their padding and line ends, up to the ";".
std::string DetanExpression(const std::string& script) {
    const std::string head = "\r\ndetan= \r\n";
    const std::size_t begin = script.find(head);
    if (begin == std::string::npos) return "<no detan= block>";
    const std::size_t end = script.find(';', begin);
    std::string expression;
    for (char c : script.substr(begin + head.size(), end - begin - head.size()))
        if (c != ' ' && c != '\r' && c != '\n') expression.push_back(c);
    return expression;
}

std::size_t Occurrences(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Every line holds at most 70 characters; every line but the last 1 to 69;
// every line but the first begins with the character it was broken before.
void ExpectWrappedLines(const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i) + ": \"" + lines[i] + "\"");
        EXPECT_LE(lines[i].size(), 70u);
        if (i + 1 < lines.size()) {
            EXPECT_GE(lines[i].size(), 1u);
            EXPECT_LE(lines[i].size(), 69u);
        }
        if (i > 0) {
            ASSERT_FALSE(lines[i].empty());
            EXPECT_NE(std::string_view("(*+").find(lines[i][0]), std::string_view::npos);
        }
    }
}

class Velmorad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Loaded().error.empty()) << Loaded().error;
        ASSERT_NE(Loaded().velmorad, nullptr);
        ASSERT_NE(Loaded().velmorad1, nullptr);
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vorlan_mem_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
        fs::copy_file(VORLAN_SETUP_SYM, "setup.sym", fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    fs::path home_, dir_;
};

// ---- the same determinant as the file build ------------------------------

struct Circuit {
    const char* name;
    Lines netlist;
};

const Circuit kCircuits[] = {
    {"OneResistor", {"R1 1 0 1000"}},
    {"Ladder",
     {"R1 1 2 1", "C1 2 0 1e-06", "R2 2 3 1", "C2 3 0 1", "R3 3 4 1", "C3 4 0 1", "L1 4 5 1", "c1 5 0 1",
      "r1 5 6 2", "l1 6 0 3", "g1 6 1 4"}},
    {"Mesh",
     {"R1 1 2 1", "R2 2 3 1", "R3 1 4 1", "R4 2 5 1", "R5 3 6 1", "R6 4 5 1", "R7 5 6 1", "R8 4 7 1",
      "R9 5 8 1", "R10 6 9 1", "R11 7 8 1", "R12 8 9 1", "C1 1 0 1", "C2 5 0 1", "C3 9 0 1"}},
    {"ControlledSources",
     {"R1 1 0 1", "R2 1 2 1", "C1 2 0 1", "G1 3 0 1 2 5", "R3 3 0 1", "K1 4 0 3 0 2", "R4 4 5 1",
      "F1 5 0 1 2 3", "R5 5 0 2", "H1 6 0 4 5 7", "R6 6 0 1"}},
    {"LowerCaseLettersAndUnits",
     {"r1 1 0 1", "r2 1 2 1", "c1 2 0 1", "g3 3 0 1", "k1 4 0 3 0 2", "l1 4 5 1", "f1 5 0 1 2 3", "r5 5 0 2",
      "h1 6 0 4 5 7", "r6 6 0 1", "e1 7 0 1", "r7 7 6 1", "j1 3 0 1", "n1 1 0 6 0"}},
    {"IdealSourcesAndProbes",
     {"E1 1 0 1", "R1 1 2 1", "C1 2 0 1", "R2 2 3 1", "J1 3 0 1", "C2 3 0 1", "I1 3 0", "U1 2 0",
      "I2 2 3", "R3 3 4 1", "C3 4 0 1"}},
    {"SNodes", {"S 1 2 3", "R1 1 2 1", "R2 2 3 1", "C1 3 0 1", "G1 2 0 1 0 1", "R3 1 0 1"}},
    {"MarksMetersAndOtherLines",
     {"* a comment\n", "R1 1 2 10\n", "R2? 2 0 10\n", "\tR9 1 0 1\n", "\n", ".ac dec 10 100 1000\n",
      ".dc\n", "C1? 1 0 1e-6\n", "V1 2 0\n", "A1 1 0\n", "G1 2 0 1 0 3\n", "L1 2 3 1\n", "C2 3 0 1\n"}},
    // The closing brackets at the end take the expression past 70 characters.
    {"BracketsCloseBeyondTheLineWidth", {"R1 1 0 1", "R2 1 2 1", "R3 2 0 1", "R4 2 0 1", "R5 1 0 1", "S 1 3"}},
};

void PrintTo(const Circuit& circuit, std::ostream* out) { *out << circuit.name; }

class SameAsVelmorad1 : public Velmorad, public ::testing::WithParamInterface<Circuit> {};

TEST_P(SameAsVelmorad1, JoinedLinesAreTheDetanExpression) {
    const Circuit& circuit = GetParam();
    const MemoryResult memory = CallOnLines(circuit.netlist);
    ASSERT_GE(memory.count, 1);
    EXPECT_EQ(static_cast<std::size_t>(memory.count), memory.lines.size());
    const std::string expected = DetanExpression(FileScript(circuit.netlist));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Joined(memory.lines), expected);
    ExpectWrappedLines(memory.lines);
    // A short expression is one line; a long one is wrapped.
    EXPECT_EQ(memory.count == 1, expected.size() <= 70) << expected;
}

INSTANTIATE_TEST_SUITE_P(Circuits, SameAsVelmorad1, ::testing::ValuesIn(kCircuits),
                         [](const ::testing::TestParamInfo<Circuit>& info) { return std::string(info.param.name); });

TEST_F(Velmorad, ALongExpressionComesInSeveralLines) {
    // Guards the table above: the mesh must wrap over several lines.
    for (const Circuit& circuit : kCircuits) {
        if (std::string_view(circuit.name) != "Mesh") continue;
        EXPECT_GE(CallOnLines(circuit.netlist).count, 3);
    }
}

// ---- edge cases of one call ----------------------------------------------

TEST_F(Velmorad, AnEmptyExpansionGivesOneEmptyLine) {
    // Two ideal voltage sources in parallel: the determinant is zero.
    const Lines parallel = {"E1 1 0 1", "E2 1 0 1"};
    const MemoryResult memory = CallOnLines(parallel);
    EXPECT_EQ(memory.count, 1);
    EXPECT_EQ(memory.lines, Lines{""});
    EXPECT_EQ(DetanExpression(FileScript(parallel)), "0");  // the file build's " 0"

    // No element at all: the S-term alone.
    EXPECT_EQ(CallOnLines({}).lines, Lines{"S"});
}

TEST_F(Velmorad, LinesWithoutAnElementLetterAreSkippedSilently) {
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    const MemoryResult skipping = CallOnLines(
        {"R1 1 0 1", "B1 1 2 3", "Y1 2 0 1", "C1 1 2 1", "z1 1 0 4", " R3 1 0 1", "9 1 0", ".x", "", "R2 2 0 1"});
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    // The first entry is an element, not a title.
    EXPECT_EQ(skipping.lines, CallOnLines({"R1 1 0 1", "C1 1 2 1", "R2 2 0 1"}).lines);
    EXPECT_NE(skipping.lines, CallOnLines({"C1 1 2 1", "R2 2 0 1"}).lines);
}

TEST_F(Velmorad, ReadingEndsAtTheEndLineOrAfterAThousandEntries) {
    const Lines one = CallOnLines({"R1 1 0 5"}).lines;
    const Lines two = CallOnLines({"R1 1 0 5", "R2 1 0 7"}).lines;
    ASSERT_NE(one, two);

    EXPECT_EQ(CallOnEntries({"R1 1 0 5", ".END", "R2 1 0 7"}).lines, one);
    EXPECT_EQ(CallOnEntries({"R1 1 0 5", ".e", "R2 1 0 7"}).lines, one);
    EXPECT_EQ(CallOnEntries({"R1 1 0 5", nullptr}).lines, one);

    // No end line: entry 999 is the last one read.
    std::vector<const char*> entries(999, "* comment");
    entries.push_back("R1 1 0 5");
    entries.push_back("R2 1 0 7");
    EXPECT_EQ(CallOnEntries(entries).lines, one);
    entries.erase(entries.begin());
    EXPECT_EQ(CallOnEntries(entries).lines, two);
}

TEST_F(Velmorad, OnlyTheFirstEightyCharactersOfALineAreRead) {
    // The value and any field from column 80 on are never seen.
    std::string line = "R1 1 2 5";
    line.resize(80, ' ');
    line += "3 0 7";
    EXPECT_EQ(CallOnLines({line}).lines, CallOnLines({"R1 1 2 5"}).lines);
}

// ---- beyond the capacities -----------------------------------------------

Lines Numbered(const char* format, int count, int first = 1) {
    Lines lines;
    for (int i = first; i < first + count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, format, i, i);
        lines.emplace_back(line);
    }
    return lines;
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct OverCapacity {
    const char* what;
    Lines netlist;
};

TEST_F(Velmorad, ANetlistBeyondTheCapacitiesGivesNoLinesAndNoArray) {
    const OverCapacity cases[] = {
        {"101 two-terminals", Numbered("R%d %d 0 1", 101)},
        {"101 four-terminals", Numbered("G%d %d 0 1 0 2", 101)},
        {"101 ideal sources", Numbered("E%d %d 0 1", 101)},
        {"21 probes", Concat({{"R1 1 0 1"}, Numbered("U%d %d 0", 21)})},
        {"21 meters", Concat({{"R1 1 0 1"}, Numbered("V%d %d 0", 21)})},
        {"21 marked", Concat({Numbered("R%d? %d 0 1", 21), Numbered("V%d %d 0", 21)})},
        {"node above 207", {"R1 208 0 1"}},
        {"node below -47", {"R1 1 -48 1"}},
        {"reserved node", {"R1 1 0 1", "G1 2 0 191 0 1"}},
        {"name over eleven characters", {"R1 1 0 1", "R123456789012 1 0 1"}},
    };
    const Lines normal = {"R1 1 2 1", "C1 2 0 1"};
    const Lines normalResult = CallOnLines(normal).lines;
    for (const OverCapacity& c : cases) {
        SCOPED_TRACE(c.what);
        const MemoryResult refused = CallOnLines(c.netlist);
        EXPECT_EQ(refused.count, 0);
        EXPECT_TRUE(refused.null);
        // The library goes on as before.
        EXPECT_EQ(CallOnLines(normal).lines, normalResult);
    }

    // Exactly at the capacities: 100 two-terminals (20 of them marked), 20
    // meters and 20 probes.
    const Lines full = Concat({Numbered("R%d %d 0 1", 80), Numbered("R%d? %d 0 1", 20, 81),
                               Numbered("V%d %d 0", 20), Numbered("U%d %d 0", 20)});
    EXPECT_GE(CallOnLines(full).count, 1);

    // Null arguments are refused the same way.
    const char* entries[] = {"R1 1 0 1", ".end"};
    EXPECT_EQ(Loaded().velmorad(0, 0, entries, nullptr), 0);
    char* notStored = nullptr;
    char** result = &notStored;
    EXPECT_EQ(Loaded().velmorad(0, 0, nullptr, &result), 0);
    EXPECT_EQ(result, nullptr);
}

// ---- lifetime of the result lines ----------------------------------------

TEST_F(Velmorad, TheNextCallFreesTheLinesOfThePreviousOne) {
    const char* first[] = {"R1 1 0 5", ".end"};
    const char* second[] = {"R1 1 2 1", "C1 2 0 1", ".end"};
    char** firstLines = nullptr;
    ASSERT_EQ(Loaded().velmorad(0, 0, first, &firstLines), 1);
    const char* firstLine = firstLines[0];
    const std::string firstText = firstLine;  // valid until the next call
    EXPECT_FALSE(firstText.empty());

    char** secondLines = nullptr;
    ASSERT_GE(Loaded().velmorad(0, 0, second, &secondLines), 1);
    const std::string secondText = secondLines[0];
    EXPECT_EQ(secondText, CallOnLines({"R1 1 2 1", "C1 2 0 1"}).lines[0]);
#ifdef VORLAN_ADDRESS_SANITIZER
    // The array and its lines were freed by the second call.
    EXPECT_DEATH({ [[maybe_unused]] char* volatile p = firstLines[0]; }, "heap-use-after-free");
    EXPECT_DEATH({ [[maybe_unused]] volatile char c = firstLine[0]; }, "heap-use-after-free");
#else
    GTEST_SKIP() << "only a build with the address sanitizer sees reads of freed lines";
#endif
}

// ---- two engines in one process ------------------------------------------

TEST_F(Velmorad, KeepsItsStateApartFromVelmorad1) {
    const Lines netlist = {"R1 1 2 1", "C1 2 0 1"};
    // Velmorad1 with RequireNonzeroDet 1 writes the "detan=" block twice.
    const std::string head = "pairs\n0 0.2\nsecond\n0 0.2\nthird\n0 0.2\nfourth\n3 0.3\nSourcesFirst\n0\n";
    Write("setup.sym", head + "RequireNonzeroDet\n1\n");
    EXPECT_EQ(Occurrences(FileScript(netlist), "detan="), 2u);

    // Velmorad expands with RequireNonzeroDet 0 in its own settings ...
    const MemoryResult memory = CallOnLines(netlist);
    EXPECT_EQ(memory.count, 1);

    // ... which Velmorad1 never sees: a settings file that stops before
    // RequireNonzeroDet leaves Velmorad1's own earlier value, 1.
    Write("setup.sym", head);
    const std::string script = FileScript(netlist);
    EXPECT_EQ(Occurrences(script, "detan="), 2u) << script;
    EXPECT_EQ(DetanExpression(script), Joined(memory.lines));
}

}  // namespace
