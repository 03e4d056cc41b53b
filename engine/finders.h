// Factor finders: each looks for one element whose contribution to the
// determinant is a plain factor, removes it from its list (rewiring
// neighbours where needed) and hands back what the factoring loop needs.
// A finder returns true when it took an element; false leaves both lists
// unchanged and the factor undefined. The S-node array is 1-based.
#pragma once

#include <string>

#include "tables.h"

namespace vorlan {

struct Factor {
    std::string name;    // copy of the removed element's name
    int weight = 0;      // its weight (|weight| != 1 marks a compound name)
    NodeLabel x = kNoNode;  // merge node x into y after taking the factor;
    NodeLabel y = kNoNode;  // x == kNoNode or x == y means no merge
    int sign = 0;        // 1: the factor enters the product with a minus
};

// An impedance whose two ends coincide.
bool FindShortedImpedance(TwoTerminalList& two, Factor& factor);

// Two unit elements (or one) where one's output pair is the other's control pair.
bool FindChainedUnitElements(FourTerminalList& four, Factor& factor);

// An impedance across a forcing output port or a current-sensing control port.
bool FindImpedanceAcrossPort(TwoTerminalList& two, const FourTerminalList& four, Factor& factor);

// An admittance alone at a non-S node whose four-terminal ends leave it free.
bool FindPendantAdmittance(int nS, const NodeLabel* sNodes, TwoTerminalList& two, const FourTerminalList& four,
                           Factor& factor);

// A non-S node held only by unit-element ends (and G elements): the output
// unit element is taken and its neighbours rewired.
bool FindUnitElementNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, FourTerminalList& four,
                         Factor& factor);

}  // namespace vorlan
