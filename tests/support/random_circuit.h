// Random small circuits for the checks against the nodal reference: a few
// passive elements, controlled sources (some already expanded) and unit
// elements on three to five nodes, so that some nodes are held by
// four-terminals only. Ideal elements, when asked for, share one control
// pair, as the output drivers leave them; a single one may be pinned.
#pragma once

#include <random>
#include <string>

#include "expression_evaluator.h"
#include "tables.h"

namespace vorlan::test {

struct RandomCircuit {
    TwoTerminalList two;
    FourTerminalList four;
    ValueMap values;  // one value per element name
};

inline RandomCircuit MakeRandomCircuit(std::mt19937& rng, bool ideal) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    RandomCircuit c;
    const int nodes = pick(3, 5);
    auto node = [&] { return LabelOfNode(pick(1, nodes)); };
    auto value = [&](const std::string& name) { c.values[name] = 0.5L + pick(0, 40) / 16.0L; };

    const int passives = pick(1, 4);
    for (int i = 0; i < passives; ++i) {
        // Admittances never form self-loops: the node merges drop such loops.
        const bool admittance = pick(0, 1) == 1;
        const NodeLabel a = node();
        NodeLabel b = node();
        if (b == a && (admittance || pick(0, 4) != 0)) b = LabelOfNode((a - '0') % nodes + 1);
        const std::string name = std::string(admittance ? "g" : "R") + std::to_string(i + 1);
        value(name);
        AddTwoTerminal(a, b, 1, name, c.two);
    }

    const int actives = pick(1, 3);
    for (int i = 0; i < actives; ++i) {
        static const char kKinds[] = {'G', 'K', 'F', 'H', '1', 'g'};
        const char kind = kKinds[pick(0, 5)];
        const NodeLabel n1 = node(), n2 = node(), n3 = node(), n4 = node();
        if (kind == '1') {
            AddUnitFourTerminal(n1, n2, n3, n4, c.four);
            continue;
        }
        // 'g': an expanded G, standing for its gain times a nullor.
        const std::string name = std::string(1, kind == 'g' ? 'G' : kind) + std::to_string(10 + i);
        value(name);
        AddFourTerminal(n1, n2, n3, n4, kind == 'g' ? -1 : 1, name, c.four);
    }

    if (ideal) {
        const NodeLabel p = node();
        NodeLabel q = node();
        if (q == p) q = LabelOfNode((p - '0') % nodes + 1);
        const int count = pick(1, 2);
        for (int i = 0; i < count; ++i) {
            const std::string name = std::string(pick(0, 1) ? "E" : "J") + std::to_string(20 + i);
            value(name);
            const NodeLabel a = node();
            NodeLabel b = node();
            if (b == a) b = LabelOfNode((a - '0') % nodes + 1);
            const int weight = count == 1 && pick(0, 1) ? kWeightPinnedIdeal : kWeightIdeal;
            AddFourTerminal(a, b, p, q, weight, name, c.four);
        }
    }
    return c;
}

}  // namespace vorlan::test
