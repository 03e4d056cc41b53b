// The netlist as lines in memory: no title, no settings file, no script.
#pragma once

#include "reader.h"

namespace vorlan::memory {

// Entries examined at most; the reading ends there as at a ".e" line.
constexpr int kMaxEntries = kMaxNetlistLines;

// Fixes the expansion settings of the in-memory build, then reads the
// netlist from lines[0] on into `tables` until a ".e"/".E" line, a null
// entry or kMaxEntries entries. Lines whose first character is no element
// letter are skipped without a word. Returns false when a line asks for
// more than the tables hold or names a node no circuit may use: the tables
// are then incomplete and must not be expanded.
bool ReadNetlistLines(const char* const* lines, NetlistTables& tables);

}  // namespace vorlan::memory
