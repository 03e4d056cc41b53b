#include "reduction.h"

namespace vorlan {

void ReduceCircuit(int, NodeLabel*, TwoTerminalList&, FourTerminalList&, int& result) { result = 0; }
void ResolveSingleAttachedNode(int, const NodeLabel*, const TwoTerminalList&, FourTerminalList&, int&) {}
void ResolveUnitElementChains(TwoTerminalList&, FourTerminalList&, int&) {}
void ResolveDegeneratePorts(FourTerminalList&, int&) {}
void ResolveDoubleAttachedNode(int, const NodeLabel*, const TwoTerminalList&, FourTerminalList&, int&) {}
void ResolvePortPairs(FourTerminalList&, int&) {}
int CheckNodeAttachments(int, const NodeLabel*, const TwoTerminalList&, const FourTerminalList&) { return 1; }
int CheckConnected(int, const NodeLabel*, const TwoTerminalList&, const FourTerminalList&) { return 1; }
void WalkPairs(std::vector<NodePair>&, NodeLabel, NodeLabel, int&) {}

}  // namespace vorlan
