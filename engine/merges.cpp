#include "merges.h"

#include <string>

#include "choice.h"
#include "expression_buffer.h"
#include "node_rule.h"
#include "node_scan.h"
#include "reduction.h"

namespace vorlan {

namespace {

// The merges and the admittance drop treat everything that is no impedance
// as an admittance.
bool IsNotImpedance(const TwoTerminal& t) { return !IsImpedanceKind(t.kind()); }

bool IsPositiveG(const FourTerminal& f) { return f.weight > 0 && f.kind() == 'G'; }

// Merges the two impedances meeting at `v` when `v` is an inner node of a
// series chain (no S node, nothing else touching it). Returns whether it
// merged.
bool MergeSeriesAt(NodeLabel v, int nS, const NodeLabel* sNodes, TwoTerminalList& two,
                   const FourTerminalList& four) {
    if (IsSNode(v, nS, sNodes)) return false;
    int touching = 0;
    int first = -1;
    int second = -1;
    for (int i = 0; i < static_cast<int>(two.size()); ++i) {
        const TwoTerminal& t = two[i];
        if (!Touches(t, v)) continue;
        if (IsAdmittanceKind(t.kind()) || t.n1 == t.n2) return false;
        ++touching;
        (first < 0 ? first : second) = i;
    }
    if (touching != 2) return false;
    for (const FourTerminal& f : four)
        if (OutputAt(f, v) || ControlAt(f, v)) return false;

    TwoTerminal& a = two[first];
    const TwoTerminal& b = two[second];
    const NodeLabel farA = a.n1 == v ? a.n2 : a.n1;
    const NodeLabel farB = b.n1 == v ? b.n2 : b.n1;
    a.name = a.name + "+" + b.name;
    a.n1 = farA;
    a.n2 = farB;
    a.weight += 1;
    DeleteTwoTerminal(second, two);
    FlushExpressionLine();
    return true;
}

// Whether the impedance alone at `v` may be contracted: the four-terminal
// ends at `v` are all of one sort (currents only, or voltages only).
bool PendantNodeFree(NodeLabel v, const FourTerminalList& four) {
    int outputs = 0;
    int controls = 0;
    for (const FourTerminal& f : four) {
        const char k = f.kind();
        if (OutputAt(f, v)) {
            if (f.weight < 0 || IsCurrentOutputKind(k))
                ++outputs;
            else if (IsForcingOutputKind(k))
                return false;
        }
        if (ControlAt(f, v)) {
            if (f.weight < 0 || f.weight == kWeightIdeal || IsVoltageSensingKind(k))
                ++controls;
            else if (k == 'F' || k == 'H')
                return false;
        }
    }
    return outputs == 0 || controls == 0;
}

void DropAdmittancesAcross(NodeLabel a, NodeLabel b, TwoTerminalList& two) {
    for (int i = 0; i < static_cast<int>(two.size()); ++i)
        if (IsNotImpedance(two[i]) && PairsCoincide(two[i].n1, two[i].n2, a, b)) DeleteTwoTerminal(i, two);
}

}  // namespace

void MergeParallelAdmittances(TwoTerminalList& two) {
    if (!HasAdmittance(two)) return;
    for (int i = 0; i < static_cast<int>(two.size()); ++i) {
        if (!IsNotImpedance(two[i])) continue;
        for (int j = 0; j < static_cast<int>(two.size()); ++j) {
            if (j == i || !IsNotImpedance(two[j])) continue;
            if (!PairsCoincide(two[i].n1, two[i].n2, two[j].n1, two[j].n2)) continue;
            two[j].name = two[j].name + "+" + two[i].name;
            two[j].weight += two[i].weight;
            DeleteTwoTerminal(i, two);
            FlushExpressionLine();
            break;
        }
    }
}

void MergeParallelGElements(FourTerminalList& four) {
    if (!HasKindG(four)) return;
    for (int i = 0; i < static_cast<int>(four.size()); ++i) {
        if (!IsPositiveG(four[i])) continue;
        for (int j = 0; j < static_cast<int>(four.size()); ++j) {
            if (j == i || !IsPositiveG(four[j])) continue;
            const FourTerminal& fi = four[i];
            FourTerminal& fj = four[j];
            const bool outSame = fi.n1 == fj.n1 && fi.n2 == fj.n2;
            const bool outReversed = fi.n1 == fj.n2 && fi.n2 == fj.n1;
            const bool ctrlSame = fi.n3 == fj.n3 && fi.n4 == fj.n4;
            const bool ctrlReversed = fi.n3 == fj.n4 && fi.n4 == fj.n3;
            const bool opposite = (outSame && ctrlReversed) || (outReversed && ctrlSame);
            const bool same = (outSame && ctrlSame) || (outReversed && ctrlReversed);
            if (!opposite && !same) continue;
            if (opposite)
                fj.name = fi.weight == 1 ? fj.name + "-" + fi.name : fj.name + "-(" + fi.name + ")";
            else
                fj.name = fj.name + "+" + fi.name;
            fj.weight += fi.weight;
            DeleteFourTerminal(i, four);
            FlushExpressionLine();
            break;
        }
    }
}

void MergeSeriesImpedances(int nS, const NodeLabel* sNodes, TwoTerminalList& two, const FourTerminalList& four) {
    if (!HasImpedance(two)) return;
    bool merged = true;
    while (merged) {
        merged = false;
        for (const char label : TwoTerminalNodes(two))
            if (MergeSeriesAt(static_cast<NodeLabel>(label), nS, sNodes, two, four)) {
                merged = true;
                break;
            }
    }
}

void DropRedundantAdmittances(TwoTerminalList& two, const FourTerminalList& four) {
    if (four.empty()) return;
    for (const FourTerminal& f : four)
        if (f.weight < 0 || IsForcingOutputKind(f.kind())) DropAdmittancesAcross(f.n1, f.n2, two);
    for (const FourTerminal& f : four)
        if (f.weight < 0 || IsCurrentSensingKind(f.kind())) DropAdmittancesAcross(f.n3, f.n4, two);
}

void ContractPendantImpedance(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                              int& result) {
    result = 0;
    if (!HasImpedance(two)) return;
    for (const char label : TwoTerminalNodes(two)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (IsSNode(v, nS, sNodes)) continue;
        int touching = 0;
        int p = -1;
        for (int i = 0; i < static_cast<int>(two.size()); ++i)
            if (Touches(two[i], v) && two[i].n1 != two[i].n2) {
                ++touching;
                p = i;
            }
        if (touching != 1 || !IsImpedanceKind(two[p].kind())) continue;
        if (!PendantNodeFree(v, four)) continue;

        const NodeLabel a = two[p].n1;
        const NodeLabel b = two[p].n2;
        NodeSet kept = HeldNodes(two, four);
        kept.reset(a).set(b);
        DeleteTwoTerminal(p, two);
        MergeNodeInTwoTerminals(a, b, two);
        MergeNodeInFourTerminals(a, b, four);
        for (int i = 1; i <= nS; ++i)
            if (sNodes[i] == a) sNodes[i] = b;
        // The contraction takes exactly one node away; when it took the last
        // element, the one node left is counted too. A node lost besides
        // was held only by a G that the merge deleted: the determinant is 0.
        if (!LetsGoOfNode(kept, two, four, nS, sNodes, EmptiedCircuit::KeepsItsNode) &&
            CheckNodeAttachments(nS, sNodes, two, four) == 1 && CheckConnected(nS, sNodes, two, four) == 1) {
            ResolveDegeneratePorts(four, result);
            if (result == 2) return;
        } else {
            result = 2;
            return;
        }
    }
}

}  // namespace vorlan
