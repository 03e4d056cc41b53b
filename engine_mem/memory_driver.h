// The determinant of the in-memory build, handed back as lines of text.
#pragma once

#include <string>
#include <vector>

#include "tables.h"

namespace vorlan::memory {

// Expands the determinant of the circuit as the file build's "detan=" block
// does (ideal sources made inert, a unit element over each current probe)
// and returns its text: the wrapped lines of the expression buffer, then
// its unwrapped rest as the last line, possibly empty. No header, no " 0"
// for an empty expansion, no ";". The S-node array may be relabelled.
std::vector<std::string> WriteDeterminant(int sCount, NodeLabel* sNodes, const TwoTerminalList& two,
                                          const FourTerminalList& four, const TwoTerminalList& probes);

}  // namespace vorlan::memory
