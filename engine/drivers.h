// The output drivers: the expression blocks of the analysis script. Each
// prepares copies of the element lists for the quantity wanted, expands
// them into Engine().buffer and frames the text in Engine().ScriptFile.
//
// The S nodes are used 1-based (positions 1..sCount); every expansion works
// on its own copy of them, so the caller's array stays as it is.
#pragma once

#include <vector>

#include "tables.h"

namespace vorlan {

// "detan=" block of the circuit. Returns false when the determinant is empty.
bool WriteDeterminant(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four,
                      const TwoTerminalList& probes);

// One quotient block per probe, in list order. Frees both element lists at
// its end.
void WriteTransferFunctions(int sCount, const NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                            const TwoTerminalList& probes);

// "detdia" block of the flagged analysis. The i-th marked element (an index
// into `four`) is paired with the i-th meter. Returns false when the
// expression is empty.
bool WriteFlaggedDeterminant(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two,
                             const FourTerminalList& four, const std::vector<int>& flagged,
                             const std::vector<MeterItem>& meters);

// One quotient block per marked element.
void WriteFlaggedFunctions(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two,
                           const FourTerminalList& four, const std::vector<int>& flagged,
                           const std::vector<MeterItem>& meters);

}  // namespace vorlan
