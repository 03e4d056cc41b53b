#include "tables.h"

namespace vorlan {

void CollectNodes(const std::vector<NodePair>& pairs, int& count, std::string& out) {
    out.clear();
    count = 0;
    auto take = [&](NodeLabel label) {
        if (label == 0 || out.find(static_cast<char>(label)) != std::string::npos) return;
        out.push_back(static_cast<char>(label));
        ++count;
    };
    for (const NodePair& p : pairs) {
        take(p.first);
        take(p.second);
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
    if (two.empty() && four.empty()) {
        count = 0;
        return;
    }
    std::vector<NodePair> pairs(two.size() + 2 * four.size());
    TwoTerminalPairs(two, pairs);
    FourTerminalPairs(two.size(), four, pairs);
    CollectNodes(pairs, count, out);
}

int CountNodes(const TwoTerminalList& two, const FourTerminalList& four) {
    int count = 0;
    std::string scratch;
    CollectCircuitNodes(two, four, count, scratch);
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
