#include "memory_reader.h"

#include <cstring>
#include <string_view>

#include "state.h"

namespace vorlan::memory {

namespace {

// The settings the in-memory build always expands with.
constexpr ExpansionSettings kFixedSettings{
    .pair1 = 0, .value1 = 0.2f, .pair2 = 0, .value2 = 0.2f, .pair3 = 0, .value3 = 0.2f,
    .pair4 = 3, .value4 = 0.3f, .SourcesFirst = 0, .RequireNonzeroDet = 0,
};

// The part of an entry the fields are read from; nothing beyond it is
// touched.
std::string_view Examined(const char* line) { return {line, strnlen(line, kFieldLimit)}; }

}  // namespace

bool ReadNetlistLines(const char* const* lines, NetlistTables& tables) {
    Engine().settings = kFixedSettings;
    tables.SNodeCount = 0;
    NetlistLineReader reader;
    for (int n = 0; n < kMaxEntries && lines[n] != nullptr; ++n) {
        switch (reader.read(Examined(lines[n]), tables).outcome) {
        case LineOutcome::End:
            return true;
        case LineOutcome::Error:
            return false;
        case LineOutcome::Element:
        case LineOutcome::Skipped:
        case LineOutcome::Refused:  // no element letter: skipped
            break;
        }
    }
    return true;
}

}  // namespace vorlan::memory
