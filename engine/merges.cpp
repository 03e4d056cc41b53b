#include "merges.h"

namespace vorlan {

void MergeParallelAdmittances(TwoTerminalList&) {}
void MergeSeriesImpedances(int, const NodeLabel*, TwoTerminalList&, const FourTerminalList&) {}
void MergeParallelGElements(FourTerminalList&) {}
void ContractPendantImpedance(int, NodeLabel*, TwoTerminalList&, FourTerminalList&, int& result) { result = 0; }
void DropRedundantAdmittances(TwoTerminalList&, const FourTerminalList&) {}

}  // namespace vorlan
