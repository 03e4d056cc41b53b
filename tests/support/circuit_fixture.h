// Small circuits for the reduction, merge and finder tests, written as
// netlist-like text and rendered back the same way.
//
//   "g1 1 2; R1 2 3; K1 1 2 3 4; 1 5 6 5 6; G2 1 2 3 4 w0; S 1 3"
//
// A record is its name and its nodes (netlist numbers): two nodes for the
// passive kinds R g z y Z Y, four for every other kind. The weight is 1,
// 999 for E J U I and -1 for a unit element "1", unless "wN" follows. An "S"
// record lists the S nodes. Records are separated by ';'.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tables.h"

namespace vorlan::test {

inline bool IsPassiveName(const std::string& name) {
    const char k = name.empty() ? '\0' : name[0];
    return IsAdmittanceKind(k) || IsImpedanceKind(k);
}

inline int DefaultWeight(const std::string& name) {
    if (name == "1") return kWeightUnit;
    const char k = name[0];
    if (k == 'E' || k == 'J' || k == 'U' || k == 'I') return kWeightIdeal;
    return 1;
}

struct Circuit {
    std::vector<NodeLabel> s{0};  // S nodes, 1-based
    TwoTerminalList two;
    FourTerminalList four;

    explicit Circuit(const std::string& text) {
        std::stringstream records(text);
        std::string record;
        while (std::getline(records, record, ';')) {
            std::stringstream fields(record);
            std::string name;
            if (!(fields >> name)) continue;
            std::vector<int> nodes;
            std::string field;
            int weight = name == "S" ? 0 : DefaultWeight(name);
            while (fields >> field) {
                if (field[0] == 'w')
                    weight = std::stoi(field.substr(1));
                else
                    nodes.push_back(std::stoi(field));
            }
            if (name == "S") {
                for (int n : nodes) s.push_back(LabelOfNode(n));
            } else if (IsPassiveName(name)) {
                AddTwoTerminal(LabelOfNode(nodes.at(0)), LabelOfNode(nodes.at(1)), weight, name, two);
            } else {
                AddFourTerminal(LabelOfNode(nodes.at(0)), LabelOfNode(nodes.at(1)), LabelOfNode(nodes.at(2)),
                                LabelOfNode(nodes.at(3)), weight, name, four);
            }
        }
    }

    int nS() const { return static_cast<int>(s.size()) - 1; }
    NodeLabel* sNodes() { return s.data(); }
};

inline std::string NodeText(NodeLabel label) { return std::to_string(static_cast<int>(label) - '0'); }

inline std::string WeightText(const std::string& name, int weight) {
    const bool passive = IsPassiveName(name);
    if ((passive && weight == 1) || (!passive && weight == DefaultWeight(name))) return "";
    return " w" + std::to_string(weight);
}

// The two-terminals, then the four-terminals, in list order, in the
// fixture's own notation ("g2+g1 2 1 w2; K1 1 2 3 4").
inline std::string Render(const TwoTerminalList& two, const FourTerminalList& four) {
    std::string out;
    auto sep = [&] {
        if (!out.empty()) out += "; ";
    };
    for (const TwoTerminal& t : two) {
        sep();
        out += t.name + " " + NodeText(t.n1) + " " + NodeText(t.n2) + WeightText(t.name, t.weight);
    }
    for (const FourTerminal& f : four) {
        sep();
        out += f.name + " " + NodeText(f.n1) + " " + NodeText(f.n2) + " " + NodeText(f.n3) + " " + NodeText(f.n4) +
               WeightText(f.name, f.weight);
    }
    return out;
}

inline std::string Render(const Circuit& c) {
    std::string out = Render(c.two, c.four);
    if (c.s.size() > 1) {
        out += out.empty() ? "S" : "; S";
        for (std::size_t i = 1; i < c.s.size(); ++i) out += " " + NodeText(c.s[i]);
    }
    return out;
}

}  // namespace vorlan::test
