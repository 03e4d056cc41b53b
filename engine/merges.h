// Element merges of the reduction: parallel and series combinations, the
// contraction of pendant impedances and the removal of admittances that a
// port makes irrelevant. A merged record carries the compound name that the
// expansion later writes (g3+g2+g1, G3-(G2+G1), R1+R2) and a weight counting
// the merged elements.
#pragma once

#include "tables.h"

namespace vorlan {

// Admittances on one node pair become one: the later survives, named
// "later+earlier", weights summed.
void MergeParallelAdmittances(TwoTerminalList& two);

// Two impedances meeting at a node that nothing else touches (no S node, no
// admittance, no four-terminal) become one, named "first+second", the
// survivor's weight plus 1.
void MergeSeriesImpedances(int nS, const NodeLabel* sNodes, TwoTerminalList& two, const FourTerminalList& four);

// G elements of positive weight on the same two pairs become one: "later+earlier"
// in the same sense, "later-earlier" (or "later-(earlier)") in the opposite sense.
void MergeParallelGElements(FourTerminalList& four);

// An impedance that is the only element at a node (besides four-terminal ends
// that do not fix the node's voltage or current) is contracted. Sets result
// to 0, or 2 when the determinant is zero. May rename S nodes in place.
void ContractPendantImpedance(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                              int& result);

// Admittances across a forcing output or a current-sensing control port are
// dropped.
void DropRedundantAdmittances(TwoTerminalList& two, const FourTerminalList& four);

}  // namespace vorlan
