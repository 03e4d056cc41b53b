// When a step that let go of nodes leaves a branch zero: the subcircuit
// between two or more distinct S labels holds each of them, nothing else
// holds a node that the circuit lets go of.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "node_rule.h"

namespace vorlan {
namespace {

NodeSet Nodes(std::initializer_list<int> nodes) {
    NodeSet set;
    for (const int n : nodes) set[LabelOfNode(n)] = true;
    return set;
}

struct RuleCase {
    const char* name;
    NodeSet kept;
    NodeSet after;
    std::vector<int> sLine;
    EmptiedCircuit emptied;
    bool letsGo;
};

TEST(LetsGoOfNode, OnlyTheSubcircuitHoldsANodeLetGo) {
    const EmptiedCircuit keeps = EmptiedCircuit::KeepsItsNode;
    const EmptiedCircuit loses = EmptiedCircuit::LosesItsNode;
    const RuleCase cases[] = {
        {"nothing let go", Nodes({1, 2, 3}), Nodes({1, 2, 3}), {}, loses, false},
        {"a node let go", Nodes({1, 2, 3}), Nodes({1, 2}), {}, loses, true},
        {"an S node of two labels", Nodes({1, 2, 3}), Nodes({1, 2}), {3, 1}, loses, false},
        {"a node beside two S labels", Nodes({1, 2, 3}), Nodes({1, 2}), {1, 2}, loses, true},
        {"an S node and another", Nodes({1, 2, 3, 4}), Nodes({1, 2}), {3, 1}, loses, true},
        {"the only S label", Nodes({1, 2, 3}), Nodes({1, 2}), {3}, loses, true},
        {"one label twice", Nodes({1, 2, 3}), Nodes({1, 2}), {3, 3}, loses, true},
        {"a label repeated beside another", Nodes({1, 2, 3}), Nodes({1, 2}), {3, 3, 2}, loses, false},
        {"the one node of an emptied circuit", Nodes({1}), Nodes({}), {}, keeps, false},
        {"counted as let go", Nodes({1}), Nodes({}), {}, loses, true},
        {"two nodes of an emptied circuit", Nodes({1, 2}), Nodes({}), {}, keeps, true},
        {"the one node beside the subcircuit", Nodes({1}), Nodes({}), {2, 3}, keeps, true},
        {"the one node in the subcircuit", Nodes({1}), Nodes({}), {1, 3}, keeps, false},
        {"the one node beside one S label", Nodes({1}), Nodes({}), {3}, keeps, false},
    };
    for (const RuleCase& c : cases) {
        SNodeArray sNodes{};
        for (std::size_t i = 0; i < c.sLine.size(); ++i) sNodes[i + 1] = LabelOfNode(c.sLine[i]);
        EXPECT_EQ(LetsGoOfNode(c.kept, c.after, static_cast<int>(c.sLine.size()), sNodes.data(), c.emptied), c.letsGo)
            << c.name;
    }
}

TEST(HeldNodes, EveryNodeOfBothListsButTheNoNodeByte) {
    TwoTerminalList two;
    FourTerminalList four;
    EXPECT_TRUE(HeldNodes(two, four).none());
    AddTwoTerminal(LabelOfNode(1), LabelOfNode(-16), 1, "g1", two);
    AddFourTerminal(LabelOfNode(2), LabelOfNode(3), LabelOfNode(207), kNoNode, 1, "G1", four);
    NodeSet expected = Nodes({1, -16, 2, 3, 207});
    EXPECT_EQ(HeldNodes(two, four), expected);
}

}  // namespace
}  // namespace vorlan
