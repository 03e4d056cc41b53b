#include "tables.h"

#include <array>
#include <cstdint>

namespace vorlan {

namespace {

// The labels met so far; the label 0 never counts.
class NodeSet {
public:
    // True when `label` is a node not met before.
    bool add(NodeLabel label) {
        std::uint64_t& word = seen_[label >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (label & 63);
        if (label == 0 || (word & bit) != 0) return false;
        word |= bit;
        return true;
    }

private:
    std::array<std::uint64_t, 4> seen_{};
};

// Every label of both lists in the order of their node pairs: two-terminals
// first, then per four-terminal its output and its control pair.
template <typename Visit>
void ForEachCircuitLabel(const TwoTerminalList& two, const FourTerminalList& four, Visit visit) {
    for (const TwoTerminal& t : two) {
        visit(t.n1);
        visit(t.n2);
    }
    for (const FourTerminal& f : four) {
        visit(f.n1);
        visit(f.n2);
        visit(f.n3);
        visit(f.n4);
    }
}

}  // namespace

void CollectNodes(const std::vector<NodePair>& pairs, int& count, std::string& out) {
    out.clear();
    count = 0;
    NodeSet met;
    for (const NodePair& p : pairs)
        for (const NodeLabel label : {p.first, p.second})
            if (met.add(label)) {
                out.push_back(static_cast<char>(label));
                ++count;
            }
}

void TwoTerminalPairs(const TwoTerminalList& list, std::vector<NodePair>& pairs) {
    if (pairs.size() < list.size()) pairs.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) pairs[i] = {list[i].n1, list[i].n2};
}

void FourTerminalPairs(std::size_t offset, const FourTerminalList& list, std::vector<NodePair>& pairs) {
    if (pairs.size() < offset + 2 * list.size()) pairs.resize(offset + 2 * list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        pairs[offset + 2 * i] = {list[i].n1, list[i].n2};
        pairs[offset + 2 * i + 1] = {list[i].n3, list[i].n4};
    }
}

void CollectCircuitNodes(const TwoTerminalList& two, const FourTerminalList& four, int& count,
                         std::string& out) {
    count = 0;
    if (two.empty() && four.empty()) return;
    out.clear();
    NodeSet met;
    ForEachCircuitLabel(two, four, [&](NodeLabel label) {
        if (!met.add(label)) return;
        out.push_back(static_cast<char>(label));
        ++count;
    });
}

int CountNodes(const TwoTerminalList& two, const FourTerminalList& four) {
    NodeSet met;
    int count = 0;
    ForEachCircuitLabel(two, four, [&](NodeLabel label) { count += met.add(label) ? 1 : 0; });
    return count;
}

void CopyTwoTerminals(const TwoTerminalList& source, TwoTerminalList& target) { target = source; }
void CopyFourTerminals(const FourTerminalList& source, FourTerminalList& target) { target = source; }

void AddTwoTerminal(NodeLabel n1, NodeLabel n2, int weight, const std::string& name, TwoTerminalList& table) {
    table.push_back(TwoTerminal{n1, n2, weight, name});
}

void AddFourTerminal(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, int weight,
                     const std::string& name, FourTerminalList& table) {
    table.push_back(FourTerminal{n1, n2, n3, n4, weight, name});
}

void AddUnitFourTerminal(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, FourTerminalList& table) {
    AddFourTerminal(n1, n2, n3, n4, kWeightUnit, "1", table);
}

void AddUnitFourTerminalAt(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, int& index,
                           FourTerminalList& table) {
    FourTerminal unit{n1, n2, n3, n4, kWeightUnit, "1"};
    if (index >= 0 && static_cast<std::size_t>(index) < table.size())
        table[index] = std::move(unit);
    else
        table.push_back(std::move(unit));
    ++index;
}

void AddUnitOverPair(NodeLabel a, NodeLabel b, FourTerminalList& table) { AddUnitFourTerminal(a, b, a, b, table); }

void ReplaceByUnit(NodeLabel a, NodeLabel b, int index, FourTerminalList& table) {
    table[index] = FourTerminal{a, b, a, b, kWeightUnit, "1"};
}

void DeleteTwoTerminal(int& index, TwoTerminalList& list) {
    list.erase(list.begin() + index);
    --index;
}

void DeleteFourTerminal(int& index, FourTerminalList& list) {
    list.erase(list.begin() + index);
    --index;
}

void FreeTwoTerminals(TwoTerminalList& list) { TwoTerminalList().swap(list); }
void FreeFourTerminals(FourTerminalList& list) { FourTerminalList().swap(list); }

void MergeNodeInFourTerminals(NodeLabel from, NodeLabel to, FourTerminalList& list) {
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        FourTerminal& f = list[i];
        for (NodeLabel* n : {&f.n1, &f.n2, &f.n3, &f.n4})
            if (*n == from) *n = to;
        if ((f.n1 == f.n2 || f.n3 == f.n4) && f.weight > 0 && f.kind() == 'G') DeleteFourTerminal(i, list);
    }
}

void MergeNodeInTwoTerminals(NodeLabel from, NodeLabel to, TwoTerminalList& list) {
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        TwoTerminal& t = list[i];
        if (t.n1 == from) t.n1 = to;
        if (t.n2 == from) t.n2 = to;
        if (t.n1 == t.n2 && IsAdmittanceKind(t.kind())) DeleteTwoTerminal(i, list);
    }
}

}  // namespace vorlan
