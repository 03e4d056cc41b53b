// Reduction of one branch of the expansion before factoring and choice.
//
// `ReduceCircuit` simplifies the two element lists of a branch in place by
// local rules (merges, released sources, collapsed ports, unit-element
// chains) and decides whether the branch's determinant is certainly zero.
// The lists only shrink or keep their length; no text is written.
//
// Result words: 0 done, 1 done after an ideal element was released (treat as
// 0), 2 the determinant of the branch is zero, 3 restart (a source weight was
// set to 0 and must be resolved first). The S-node array is 1-based:
// positions 1..nS.
#pragma once

#include <vector>

#include "tables.h"

namespace vorlan {

// Runs the merges and the passes below in their fixed order and the two
// whole-circuit tests. On 2 (the zero exit) both lists are emptied, their
// names released; on 3 every record stays in place.
void ReduceCircuit(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four, int& result);

// A non-S node touched by no two-terminal and by one four-terminal end only.
// May set result to 1, 2 or 3.
void ResolveSingleAttachedNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two,
                               FourTerminalList& four, int& result);

// Two unit (negative) elements chained on one side: admittances across their
// far ends go, and a G across them is released. May set result to 2 or 3.
void ResolveUnitElementChains(TwoTerminalList& two, FourTerminalList& four, int& result);

// Four-terminals whose output or control pair collapsed to one node.
// May set result to 2.
void ResolveDegeneratePorts(FourTerminalList& four, int& result);

// A non-S node touched by no two-terminal and by two four-terminal ends.
// May set result to 1, 2 or 3.
void ResolveDoubleAttachedNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two,
                               FourTerminalList& four, int& result);

// Pairs of four-terminals sharing a port. May set result to 1, 2 or 3.
void ResolvePortPairs(FourTerminalList& four, int& result);

// 0 when some node that neither a two-terminal nor the subcircuit of the S
// nodes holds is held only by four-terminal outputs or only by controls (the
// determinant is zero), else 1. A single distinct S label is such a node too.
int CheckNodeAttachments(int nS, const NodeLabel* sNodes, const TwoTerminalList& two,
                         const FourTerminalList& four);

// 1 when every element pair and the S-node chain form one connected graph;
// a single distinct S label adds no chain.
int CheckConnected(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four);

// Depth-first walk over `pairs` from `node`, marking each reached pair
// (first node := kVisitedMark) and counting it in `count`.
void WalkPairs(std::vector<NodePair>& pairs, NodeLabel node, NodeLabel start, int& count);

}  // namespace vorlan
