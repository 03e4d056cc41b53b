// Whole runs of the engine on a netlist in a private working directory, the
// expressions read back from the script they write, and the tables a
// netlist reads into.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "reader.h"
#include "run.h"

namespace vorlan::test {

// The tables of a netlist (its first line the title), read up to its end line.
inline NetlistTables ReadTables(const std::string& netlist) {
    NetlistTables tables;
    NetlistLineReader reader;
    std::istringstream in(netlist);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line))
        if (reader.read(line + "\n", tables).outcome == LineOutcome::End) break;
    return tables;
}

inline TimeOfDay NoonClock() { return TimeOfDay{12, 0, 0, 0}; }

// Runs the engine on `netlist` with the shipped settings file (or one of
// the test's own) and gives the script with its line ends folded.
class ScriptRun : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("vorlan_script_run_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
        std::filesystem::copy_file(VORLAN_SETUP_SYM, "setup.sym",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
    }

    // The shipped settings with `sourcesFirst` and `requireNonzeroDet`.
    static void WriteSettings(int sourcesFirst, int requireNonzeroDet) {
        std::ofstream("setup.sym", std::ios::binary | std::ios::trunc)
            << "Settings\n0 0.2\nsecond pair\n0 0.2\nthird pair\n0 0.2\nfourth pair\n3 0.3\nSourcesFirst\n"
            << sourcesFirst << "\nRequireNonzeroDet\n" << requireNonzeroDet << "\n";
    }

    std::string Run(const std::string& netlist) {
        {
            std::ofstream out("cir", std::ios::binary | std::ios::trunc);
            out << netlist;
        }
        EXPECT_EQ(RunMain("cir", "out", NoonClock), 0);
        std::ifstream in("out", std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::string folded;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) folded.push_back(text[i]);
        return folded;
    }

    std::filesystem::path home_, dir_;
};

// The expression as one text: blanks and line ends dropped.
inline std::string WithoutBlanks(std::string_view text) {
    std::string s;
    for (const char c : text)
        if (c != ' ' && c != '\n') s.push_back(c);
    return s;
}

// The numerator and denominator of the block of `probe`; a flagged
// response's block head carries a " -" after its "=" (`sign` "-").
inline std::pair<std::string, std::string> Quotient(const std::string& script, const std::string& probe,
                                                    const std::string& sign = "") {
    const std::string head = "\n" + probe + " = " + sign + "\n(\n";
    const std::size_t start = script.find(head);
    if (start == std::string::npos) return {};
    const std::size_t num = start + head.size();
    const std::size_t over = script.find("\n)\n/\n(\n", num);
    const std::size_t end = script.find("\n);", over);
    if (over == std::string::npos || end == std::string::npos) return {};
    return {WithoutBlanks(script.substr(num, over - num)), WithoutBlanks(script.substr(over + 7, end - over - 7))};
}

// The expression of the script's first "detan=" block.
inline std::string Determinant(const std::string& script) {
    const std::size_t head = script.find("\ndetan= \n");
    if (head == std::string::npos) return {};
    return WithoutBlanks(script.substr(head + 9, script.find(';', head) - head - 9));
}

}  // namespace vorlan::test
