// How the output drivers prepare the element lists of each expression: the
// ideal sources made inert, probes and meters wired in as unit elements, a
// marked element opened, shorted or released. Every routine works on copies;
// the tables it is given stay as they are.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "node_rule.h"
#include "tables.h"

namespace vorlan {

struct PreparedLists {
    TwoTerminalList two;
    FourTerminalList four;
    // The nodes held before the ideal sources were made inert: a node that
    // taking the current sources out left with nothing floats, and the
    // determinant is zero unless the subcircuit of the S nodes holds it.
    NodeSet heldBefore;
};

// Expands prepared lists into the engine's buffer over the S nodes it is
// given (relabelled in place as the expansion merges nodes); lists that
// let go of a node that nothing holds write nothing.
void ExpandPrepared(int sCount, NodeLabel* sNodes, PreparedLists lists);

// ---- main analysis -------------------------------------------------------

// A current probe is wired in as a unit element over its pair (a short),
// unless the pair is shorted already: the control pair of an F or H, or a
// unit element over the pair itself.

// The determinant: every ideal E shorted, every ideal J opened, each current
// probe shorted.
PreparedLists DeterminantLists(const TwoTerminalList& two, const FourTerminalList& four,
                               const TwoTerminalList& probes);

// Numerator of probe `probe`'s transfer function: the other current probes
// shorted, the control pair of every E and J turned to the probe;
// for a current probe an F it controls removed and an H it controls shorted.
PreparedLists NumeratorLists(const TwoTerminalList& two, const FourTerminalList& four,
                             const TwoTerminalList& probes, std::size_t probe);

// Denominator: every current probe shorted (the probe itself too), ideal E
// shorted and J opened.
PreparedLists DenominatorLists(const TwoTerminalList& two, const FourTerminalList& four,
                               const TwoTerminalList& probes, std::size_t probe);

// ---- flagged analysis ----------------------------------------------------

// Node labels for the voltage meters that no circuit node carries: the
// labels of the lists and of the S nodes, the byte 0 (no node) and the
// visited mark of the node walks are skipped. Labels are handed out in
// ascending order from `first`.
class FreshLabels {
public:
    FreshLabels(const TwoTerminalList& two, const FourTerminalList& four, int sCount, const NodeLabel* sNodes,
                NodeLabel first);
    NodeLabel next();

private:
    bool used_[256] = {};
    unsigned cursor_;
};

// The flagged determinant: each marked element replaced by a unit element
// steered by its meter, then the remaining ideal elements made inert.
PreparedLists FlaggedDeterminantLists(const TwoTerminalList& two, const FourTerminalList& four,
                                      const std::vector<int>& flagged, const std::vector<MeterItem>& meters,
                                      int sCount, const NodeLabel* sNodes);

// Lists shared by both halves of marked element `element`'s response: its
// meter wired as the receiver, every other marked element replaced as for
// the flagged determinant, the meters and the E and J steered by the
// receiver's pair.
PreparedLists FlaggedResponseLists(const TwoTerminalList& two, const FourTerminalList& four,
                                   const std::vector<int>& flagged, const std::vector<MeterItem>& meters,
                                   std::size_t element, int sCount, const NodeLabel* sNodes);

// Numerator and denominator of that response: the marked element at
// `index` of the shared lists released (numerator) or made inert
// (denominator).
PreparedLists FlaggedNumeratorLists(const PreparedLists& shared, int index);
PreparedLists FlaggedDenominatorLists(const PreparedLists& shared, int index);

}  // namespace vorlan
