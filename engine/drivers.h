// The output drivers: the expression blocks of the analysis script. Each
// prepares copies of the element lists for the quantity wanted, expands
// them into Engine().buffer and frames the text in Engine().ScriptFile.
//
// The S-node arrays are used 1-based and handed to the expansion, which may
// relabel them in place; the relabelling carries over to later expansions
// on the same array.
#pragma once

#include <vector>

#include "tables.h"

namespace vorlan {

// "detan=" block of the circuit. Returns false when the determinant is empty.
bool WriteDeterminant(int sCount, NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four,
                      const TwoTerminalList& probes);

// One quotient block per probe, in list order. Frees both element lists at
// its end.
void WriteTransferFunctions(int sCount, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                            const TwoTerminalList& probes);

// "detdia" block of the flagged analysis. The i-th marked element (an index
// into `four`) is paired with the i-th meter. Returns false when the
// expression is empty.
bool WriteFlaggedDeterminant(int sCount, NodeLabel* sNodes, const TwoTerminalList& two,
                             const FourTerminalList& four, const std::vector<int>& flagged,
                             const std::vector<MeterItem>& meters);

// One quotient block per marked element.
void WriteFlaggedFunctions(int sCount, NodeLabel* sNodes, const TwoTerminalList& two,
                           const FourTerminalList& four, const std::vector<int>& flagged,
                           const std::vector<MeterItem>& meters);

}  // namespace vorlan
