#include "node_rule.h"

namespace vorlan {

NodeSet HeldNodes(const TwoTerminalList& two, const FourTerminalList& four) {
    NodeSet nodes;
    for (const TwoTerminal& t : two) nodes[t.n1] = nodes[t.n2] = true;
    for (const FourTerminal& f : four) nodes[f.n1] = nodes[f.n2] = nodes[f.n3] = nodes[f.n4] = true;
    nodes[kNoNode] = false;
    return nodes;
}

NodeSet SubcircuitNodes(int nS, const NodeLabel* sNodes) {
    NodeSet labels;
    for (int i = 2; i <= nS; ++i) {
        if (sNodes[i] == sNodes[1]) continue;
        // Two distinct labels: every S label is a node of the subcircuit.
        for (int j = 1; j <= nS; ++j) labels[sNodes[j]] = true;
        break;
    }
    return labels;
}

bool LetsGoOfNode(const NodeSet& kept, const NodeSet& after, int nS, const NodeLabel* sNodes,
                  EmptiedCircuit emptied) {
    if (kept == after) return false;
    const NodeSet lost = kept & ~after;
    if (lost.none()) return false;
    const NodeSet subcircuit = SubcircuitNodes(nS, sNodes);
    // The node of a circuit of one node stays with it; beside a subcircuit
    // only when it is one of the subcircuit's nodes too.
    if (emptied == EmptiedCircuit::KeepsItsNode && after.none() && kept.count() == 1)
        return subcircuit.any() && (lost & ~subcircuit).any();
    return (lost & ~subcircuit).any();
}

bool LetsGoOfNode(const NodeSet& kept, const TwoTerminalList& two, const FourTerminalList& four, int nS,
                  const NodeLabel* sNodes, EmptiedCircuit emptied) {
    return LetsGoOfNode(kept, HeldNodes(two, four), nS, sNodes, emptied);
}

}  // namespace vorlan
