// When a step of the expansion may let go of a node.
//
// A node that the circuit of a branch lets go of, with nothing left to hold
// it, floats: the determinant of that branch is zero. S nodes are the
// terminals of a subcircuit that is not expanded; while the S line names two
// or more distinct labels, that subcircuit holds each of them, so the circuit
// may let go of an S node. A single distinct S label joins no subcircuit to
// anything: its node is an ordinary node.
#pragma once

#include <bitset>

#include "tables.h"

namespace vorlan {

// A set of node labels; the label 0 (no node) is never in it.
using NodeSet = std::bitset<256>;

// The labels that some element of the lists touches.
NodeSet HeldNodes(const TwoTerminalList& two, const FourTerminalList& four);

// The labels that the subcircuit of the S nodes at positions 1..nS holds:
// every S label when there are two or more distinct ones, else none.
NodeSet SubcircuitNodes(int nS, const NodeLabel* sNodes);

// How an emptied circuit counts: a step that takes the last element of a
// circuit of one node may keep that node (the circuit of one node is left),
// or count it as let go of.
enum class EmptiedCircuit { KeepsItsNode, LosesItsNode };

// Whether a step that should have left the nodes `kept` held, and leaves
// `after`, let go of a node that nothing holds: a node of `kept` that is
// neither in `after` nor held by the subcircuit of the S nodes.
bool LetsGoOfNode(const NodeSet& kept, const NodeSet& after, int nS, const NodeLabel* sNodes,
                  EmptiedCircuit emptied);
// The same with `after` the nodes that the lists hold now.
bool LetsGoOfNode(const NodeSet& kept, const TwoTerminalList& two, const FourTerminalList& four, int nS,
                  const NodeLabel* sNodes, EmptiedCircuit emptied);

}  // namespace vorlan
