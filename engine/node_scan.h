// Small node tests shared by the reduction passes, the merges and the
// factor finders.
#pragma once

#include <string>
#include <vector>

#include "tables.h"

namespace vorlan {

// Whether `v` is one of the S nodes at positions 1..nS.
inline bool IsSNode(NodeLabel v, int nS, const NodeLabel* sNodes) {
    for (int i = 1; i <= nS; ++i)
        if (sNodes[i] == v) return true;
    return false;
}

// Distinct labels of the two-terminal list in first-appearance order.
inline std::string TwoTerminalNodes(const TwoTerminalList& two) {
    std::vector<NodePair> pairs(two.size());
    TwoTerminalPairs(two, pairs);
    int count = 0;
    std::string nodes;
    CollectNodes(pairs, count, nodes);
    return nodes;
}

// Distinct labels of both lists: two-terminals first, then per four-terminal
// its output and its control pair.
inline std::string CircuitNodes(const TwoTerminalList& two, const FourTerminalList& four) {
    int count = 0;
    std::string nodes;
    CollectCircuitNodes(two, four, count, nodes);
    return nodes;
}

inline bool Touches(const TwoTerminal& t, NodeLabel v) { return t.n1 == v || t.n2 == v; }
inline bool OutputAt(const FourTerminal& f, NodeLabel v) { return f.n1 == v || f.n2 == v; }
inline bool ControlAt(const FourTerminal& f, NodeLabel v) { return f.n3 == v || f.n4 == v; }

inline bool TouchedByTwoTerminal(const TwoTerminalList& two, NodeLabel v) {
    for (const TwoTerminal& t : two)
        if (Touches(t, v)) return true;
    return false;
}

// Two node pairs coincide when they are equal in order or swapped.
inline bool PairsCoincide(NodeLabel a, NodeLabel b, NodeLabel c, NodeLabel d) {
    return (a == c && b == d) || (a == d && b == c);
}

}  // namespace vorlan
