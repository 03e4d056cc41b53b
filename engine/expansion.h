// The symbolic expansion of a circuit determinant.
#pragma once

#include <array>
#include <span>

#include "tables.h"

namespace vorlan {

// Appends the determinant of `lists` to the expression buffer as nested sums
// and products of element names; nothing appended means the determinant is
// zero. The call owns the element lists it receives; the S-node array is the
// caller's and may be renamed in place.
void ExpandDeterminant(CircuitLists lists);

// Whether no four-terminal has a weight above 0 (true for an empty list).
bool AllWeightsNonPositive(const FourTerminalList& four);

// The distinct labels of S-node positions 1..nS, each with the position of
// its first occurrence; both arrays are used 1-based (1..count).
struct DistinctSNodes {
    int count = 0;
    std::array<NodeLabel, kSNodeCapacity + 2> labels{};
    std::array<int, kSNodeCapacity + 2> positions{};
};
DistinctSNodes CollectDistinctSNodes(int nS, const NodeLabel* sNodes);

// Appends, for each node that is an S node, the digit of its label's first
// position ("1".."9"; position 10 writes nothing). Other nodes write nothing.
// Goes straight into the buffer, without cutting lines.
void WriteSNodeDigits(std::span<const NodeLabel> nodes, const DistinctSNodes& distinct);

}  // namespace vorlan
