#include "driver_lists.h"

#include <algorithm>
#include <string_view>

#include "expansion.h"
#include "node_rule.h"
#include "weight_rules.h"

namespace vorlan {

namespace {

bool IsCurrentProbe(const TwoTerminal& probe) { return probe.kind() == 'I'; }
bool IsIndependentSource(const FourTerminal& f) { return f.kind() == 'E' || f.kind() == 'J'; }
bool IsVoltageMeter(const MeterItem& meter) { return !meter.name.empty() && meter.name[0] == 'U'; }

bool HasPair(NodeLabel x, NodeLabel y, NodeLabel a, NodeLabel b) {
    return (x == a && y == b) || (x == b && y == a);
}

bool InRange(int index, const FourTerminalList& four) {
    return index >= 0 && static_cast<std::size_t>(index) < four.size();
}

PreparedLists CopyOf(const TwoTerminalList& two, const FourTerminalList& four) {
    PreparedLists lists;
    CopyTwoTerminals(two, lists.two);
    CopyFourTerminals(four, lists.four);
    return lists;
}

// Whether (a, b) is shorted already: it is the control pair of an F or H
// (the short whose current they sense) or both pairs of a unit element.
bool IsShorted(NodeLabel a, NodeLabel b, const FourTerminalList& four) {
    for (const FourTerminal& f : four) {
        const bool sensing = (f.kind() == 'F' || f.kind() == 'H') && HasPair(f.n3, f.n4, a, b);
        const bool unitShort = IsUnitElement(f) && HasPair(f.n1, f.n2, a, b) && HasPair(f.n3, f.n4, a, b);
        if (sensing || unitShort) return true;
    }
    return false;
}

// A current probe is a short over its pair; a second short in parallel
// would make every determinant of the circuit zero.
void AddProbeShort(const TwoTerminal& probe, FourTerminalList& four) {
    if (!IsShorted(probe.n1, probe.n2, four)) AddUnitOverPair(probe.n1, probe.n2, four);
}

// The short of every current probe but `except`. With `ownBranchOpen` a
// probe over `except`'s own pair gets none either: it sits in the branch
// whose current is wanted, and its short would short that branch.
void AddOtherCurrentProbes(const TwoTerminalList& probes, std::size_t except, FourTerminalList& four,
                           bool ownBranchOpen = false) {
    const TwoTerminal& own = probes[except];
    for (std::size_t j = 0; j < probes.size(); ++j) {
        if (j == except || !IsCurrentProbe(probes[j])) continue;
        if (ownBranchOpen && HasPair(probes[j].n1, probes[j].n2, own.n1, own.n2)) continue;
        AddProbeShort(probes[j], four);
    }
}

// Every ideal element of the kinds `shorted` replaced by a unit element over
// its output pair, then at the same slot one of the kinds `opened` removed.
void MakeIdealInert(FourTerminalList& four, std::string_view shorted, std::string_view opened) {
    for (int k = 0; k < static_cast<int>(four.size()); ++k) {
        if (four[k].weight == kWeightIdeal && shorted.find(four[k].kind()) != std::string_view::npos)
            ReplaceByUnit(four[k].n1, four[k].n2, k, four);
        if (four[k].weight == kWeightIdeal && opened.find(four[k].kind()) != std::string_view::npos)
            DeleteFourTerminal(k, four);
    }
}

// Wires meter `meter` in as a receiver and returns its pair (a, b): a
// voltage meter's first node moves to a fresh node, which becomes b.
NodePair WireMeter(const MeterItem& meter, FourTerminalList& four, FreshLabels& fresh) {
    if (!InRange(meter.index, four)) return {};
    FourTerminal& e = four[meter.index];
    if (IsVoltageMeter(meter)) {
        const NodeLabel a = e.n1;
        e.n1 = fresh.next();
        return {a, e.n1};
    }
    return {e.n1, e.n2};
}

// The marked element at `index` becomes a unit element over its own output
// pair steered by the receiver pair; an F or H leaves a short over its
// control pair behind.
void ReplaceMarked(int index, NodePair receiver, FourTerminalList& four) {
    if (!InRange(index, four)) return;
    const FourTerminal marked = four[index];
    if (marked.kind() == 'F' || marked.kind() == 'H') AddUnitOverPair(marked.n3, marked.n4, four);
    AddUnitFourTerminalAt(marked.n1, marked.n2, receiver.first, receiver.second, index, four);
}

}  // namespace

void ExpandPrepared(int sCount, NodeLabel* sNodes, PreparedLists lists) {
    if (LetsGoOfNode(lists.heldBefore, lists.two, lists.four, sCount, sNodes, EmptiedCircuit::KeepsItsNode))
        return;
    ExpandDeterminant(CircuitLists{sCount, sNodes, std::move(lists.two), std::move(lists.four)});
}

PreparedLists DeterminantLists(const TwoTerminalList& two, const FourTerminalList& four,
                               const TwoTerminalList& probes) {
    PreparedLists lists = CopyOf(two, four);
    lists.heldBefore = HeldNodes(lists.two, lists.four);
    NeutraliseIdealSources(lists.four);
    for (const TwoTerminal& probe : probes)
        if (IsCurrentProbe(probe)) AddProbeShort(probe, lists.four);
    return lists;
}

PreparedLists NumeratorLists(const TwoTerminalList& two, const FourTerminalList& four,
                             const TwoTerminalList& probes, std::size_t probe) {
    const NodeLabel a = probes[probe].n1;
    const NodeLabel b = probes[probe].n2;
    PreparedLists lists = CopyOf(two, four);
    // The sources are steered by the probe's own pair: another current
    // probe's short over that pair would short their control as well and
    // zero the numerator. Without a source the probes stay as they are.
    const bool steered = std::ranges::any_of(four, IsIndependentSource);
    AddOtherCurrentProbes(probes, probe, lists.four, IsCurrentProbe(probes[probe]) && steered);
    for (FourTerminal& f : lists.four) {
        if (IsIndependentSource(f)) {
            f.n3 = b;
            f.n4 = a;
        }
    }
    if (IsCurrentProbe(probes[probe])) {
        for (int k = 0; k < static_cast<int>(lists.four.size()); ++k) {
            const FourTerminal& f = lists.four[k];
            if (f.weight == kWeightIdeal || !HasPair(f.n3, f.n4, a, b)) continue;
            if (f.kind() == 'F')
                DeleteFourTerminal(k, lists.four);
            else if (f.kind() == 'H')
                ReplaceByUnit(f.n1, f.n2, k, lists.four);
        }
    }
    return lists;
}

PreparedLists DenominatorLists(const TwoTerminalList& two, const FourTerminalList& four,
                               const TwoTerminalList& probes, std::size_t probe) {
    PreparedLists lists = CopyOf(two, four);
    AddOtherCurrentProbes(probes, probe, lists.four);
    lists.heldBefore = HeldNodes(lists.two, lists.four);
    MakeIdealInert(lists.four, "E", "J");
    if (IsCurrentProbe(probes[probe])) AddProbeShort(probes[probe], lists.four);
    return lists;
}

FreshLabels::FreshLabels(const TwoTerminalList& two, const FourTerminalList& four, int sCount,
                         const NodeLabel* sNodes, NodeLabel first)
    : cursor_(first) {
    used_[0] = true;
    used_[kVisitedMark] = true;
    for (const TwoTerminal& t : two) used_[t.n1] = used_[t.n2] = true;
    for (const FourTerminal& f : four) used_[f.n1] = used_[f.n2] = used_[f.n3] = used_[f.n4] = true;
    for (int i = 1; i <= sCount; ++i) used_[sNodes[i]] = true;
}

NodeLabel FreshLabels::next() {
    for (int tries = 0; tries < 256; ++tries) {
        const unsigned label = cursor_ % 256;
        cursor_ = label + 1;
        if (!used_[label]) {
            used_[label] = true;
            return static_cast<NodeLabel>(label);
        }
    }
    // Every label is taken: no circuit of the table capacities gets here.
    return static_cast<NodeLabel>(cursor_++ % 256);
}

PreparedLists FlaggedDeterminantLists(const TwoTerminalList& two, const FourTerminalList& four,
                                      const std::vector<int>& flagged, const std::vector<MeterItem>& meters,
                                      int sCount, const NodeLabel* sNodes) {
    PreparedLists lists = CopyOf(two, four);
    FreshLabels fresh(two, four, sCount, sNodes, static_cast<NodeLabel>('d' + 1));
    for (std::size_t i = 0; i < flagged.size() && i < meters.size(); ++i) {
        const NodePair receiver = WireMeter(meters[i], lists.four, fresh);
        ReplaceMarked(flagged[i], receiver, lists.four);
    }
    lists.heldBefore = HeldNodes(lists.two, lists.four);
    MakeIdealInert(lists.four, "EU", "JI");
    return lists;
}

PreparedLists FlaggedResponseLists(const TwoTerminalList& two, const FourTerminalList& four,
                                   const std::vector<int>& flagged, const std::vector<MeterItem>& meters,
                                   std::size_t element, int sCount, const NodeLabel* sNodes) {
    PreparedLists lists = CopyOf(two, four);
    FreshLabels fresh(two, four, sCount, sNodes, static_cast<NodeLabel>('d'));
    const NodePair receiver = WireMeter(meters[element], lists.four, fresh);
    const NodeLabel a = receiver.first;
    const NodeLabel b = receiver.second;
    for (std::size_t j = 0; j < flagged.size() && j < meters.size(); ++j) {
        if (j == element) continue;
        const NodePair own = WireMeter(meters[j], lists.four, fresh);
        ReplaceMarked(flagged[j], own, lists.four);
    }
    for (const MeterItem& meter : meters) {
        if (!InRange(meter.index, lists.four)) continue;
        FourTerminal& e = lists.four[meter.index];
        e.n3 = IsVoltageMeter(meter) ? b : a;
        e.n4 = IsVoltageMeter(meter) ? a : b;
    }
    for (FourTerminal& f : lists.four) {
        if (IsIndependentSource(f)) {
            f.n3 = a;
            f.n4 = b;
        }
    }
    return lists;
}

PreparedLists FlaggedNumeratorLists(const PreparedLists& shared, int index) {
    PreparedLists lists = shared;
    if (!InRange(index, lists.four)) return lists;
    const FourTerminal& x = lists.four[index];
    if (IsImpedanceKind(x.kind()))
        ReplaceByUnit(x.n1, x.n2, index, lists.four);
    else if (IsAdmittanceKind(x.kind()))
        DeleteFourTerminal(index, lists.four);
    else
        ReleaseFourTerminal(index, lists.four);
    return lists;
}

PreparedLists FlaggedDenominatorLists(const PreparedLists& shared, int index) {
    PreparedLists lists = shared;
    if (!InRange(index, lists.four)) return lists;
    const FourTerminal x = lists.four[index];
    if (IsImpedanceKind(x.kind())) {
        DeleteFourTerminal(index, lists.four);
    } else if (IsAdmittanceKind(x.kind())) {
        ReplaceByUnit(x.n1, x.n2, index, lists.four);
    } else {
        AddUnitFourTerminalAt(x.n1, x.n2, x.n3, x.n4, index, lists.four);
        if (IsIndependentSource(x)) {
            lists.heldBefore = HeldNodes(lists.two, lists.four);
            NeutraliseIdealSources(lists.four);
        }
    }
    return lists;
}

}  // namespace vorlan
