#include "node_rule.h"

namespace vorlan {

NodeSet HeldNodes(const TwoTerminalList& two, const FourTerminalList& four) {
    NodeSet nodes;
    for (const TwoTerminal& t : two) nodes.set(t.n1).set(t.n2);
    for (const FourTerminal& f : four) nodes.set(f.n1).set(f.n2).set(f.n3).set(f.n4);
    nodes.reset(kNoNode);
    return nodes;
}

NodeSet SubcircuitNodes(int nS, const NodeLabel* sNodes) {
    NodeSet labels;
    for (int i = 1; i <= nS; ++i) labels.set(sNodes[i]);
    if (labels.count() < 2) labels.reset();
    return labels;
}

bool LetsGoOfNode(const NodeSet& kept, const NodeSet& after, int nS, const NodeLabel* sNodes,
                  EmptiedCircuit emptied) {
    const NodeSet lost = kept & ~after;
    if (lost.none()) return false;
    const NodeSet subcircuit = nS > 0 ? SubcircuitNodes(nS, sNodes) : NodeSet();
    // The node of a circuit of one node stays with it; beside a subcircuit
    // only when it is one of the subcircuit's nodes too.
    if (emptied == EmptiedCircuit::KeepsItsNode && after.none() && kept.count() == 1)
        return subcircuit.any() && (lost & ~subcircuit).any();
    return (lost & ~subcircuit).any();
}

}  // namespace vorlan
