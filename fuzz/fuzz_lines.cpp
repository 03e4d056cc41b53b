// The input is split into netlist lines for Velmorad's _run_main, with a
// ".e" line always ending them. Besides the sanitizers, the result is held
// to what the library promises: lines for every netlist the reader takes,
// nothing for one it refuses, each line at most 70 characters and each but
// the last 1 to 69. (A line need not begin with a break character: when the
// expansion takes back all that followed a break, the next term starts a
// line of its own.) With VORLAN_FUZZ_SHOW set the lines are shown.
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
        if (i + 1 < count && (length == 0 || length > 69)) Fault("a wrapped line is not 1 to 69 characters", count);
    }
    return 0;
}
