// The input is split into netlist lines for Velmorad's _run_main, with a
// ".e" line always ending them. Besides the sanitizers, the result is held
// to what the library promises: lines for every netlist the reader takes,
// nothing for one it refuses, each line at most 70 characters, and every
// line after the first beginning with its break character (or following a
// forced break). With VORLAN_FUZZ_SHOW set the lines are shown.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "memory_reader.h"
#include "velmorad.h"

namespace {

[[noreturn]] void Fault(const char* what, int count) {
    std::fprintf(stderr, "fuzz_lines: %s (count %d)\n", what, count);
    std::abort();
}

// The input cut after every "\n", each piece keeping its "\n".
std::vector<std::string> NetlistEntries(std::string_view text) {
    std::vector<std::string> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        entries.emplace_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    entries.emplace_back(".e");
    return entries;
}

// A line after the first begins with the "(", "*" or "+" it was broken
// before, unless the line before it is a forced break: 69 characters with
// none of them after its first.
bool BrokenAtBreakCharacter(const char* previous, const char* line) {
    if (line[0] != '\0' && std::strchr("(*+", line[0]) != nullptr) return true;
    const std::string_view before(previous);
    return before.size() == 69 && before.find_first_of("(*+", 1) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!vorlan::fuzz::NetlistWithinBounds(data, size)) return -1;
    const std::vector<std::string> entries = NetlistEntries(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<const char*> lines;
    for (const std::string& entry : entries) lines.push_back(entry.c_str());

    bool accepted = false;
    {
        vorlan::NetlistTables tables;
        accepted = vorlan::memory::ReadNetlistLines(lines.data(), tables);
    }

    char** result = nullptr;
    const int count = _run_main(0, 0, lines.data(), &result);
    if (std::getenv("VORLAN_FUZZ_SHOW")) {
        std::fprintf(stderr, "accepted %d, %d lines\n", accepted ? 1 : 0, count);
        for (int i = 0; i < count && result; ++i) std::fprintf(stderr, "[%s]\n", result[i] ? result[i] : "(null)");
    }
    if (!accepted) {
        if (count != 0 || result != nullptr) Fault("a refused netlist gave result lines", count);
        return 0;
    }
    if (count < 1 || result == nullptr) Fault("an accepted netlist gave no result line", count);
    for (int i = 0; i < count; ++i) {
        if (result[i] == nullptr) Fault("a result line is null", count);
        const std::size_t length = std::strlen(result[i]);
        if (length > 70) Fault("a result line is longer than 70 characters", count);
        if (i > 0 && !BrokenAtBreakCharacter(result[i - 1], result[i])) {
            Fault("a result line does not begin with its break character", count);
        }
    }
    return 0;
}
