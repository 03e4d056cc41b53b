#include <gtest/gtest.h>

#include "tables.h"

namespace vorlan {
namespace {

NodeLabel L(int node) { return LabelOfNode(node); }

TEST(NodeLabels, NumberPlusDigitZeroModulo256) {
    EXPECT_EQ(L(0), '0');
    EXPECT_EQ(L(9), '9');
    EXPECT_EQ(L(10), ':');
    EXPECT_EQ(L(52), 'd');
    EXPECT_EQ(L(-1), '/');
    EXPECT_EQ(L(208), 0);
}

TEST(CountNodes, FirstAppearanceOrderOverBothLists) {
    TwoTerminalList two;
    FourTerminalList four;
    EXPECT_EQ(CountNodes(two, four), 0);

    AddTwoTerminal(L(3), L(3), 1, "R1", two);
    EXPECT_EQ(CountNodes(two, four), 1);

    AddTwoTerminal(L(208), L(2), 1, "R2", two);  // label 0 is no node
    AddFourTerminal(L(5), L(2), L(7), L(3), 1, "G1", four);
    int count = 0;
    std::string order;
    CollectCircuitNodes(two, four, count, order);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(order, "3257");
}

TEST(MergeNode, AdmittanceVanishesImpedanceStays) {
    TwoTerminalList two;
    AddTwoTerminal(L(5), L(2), 1, "g1", two);
    AddTwoTerminal(L(5), L(2), 1, "R1", two);
    AddTwoTerminal(L(5), L(3), 1, "y2", two);
    MergeNodeInTwoTerminals(L(5), L(2), two);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].name, "R1");
    EXPECT_EQ(two[0].n1, L(2));
    EXPECT_EQ(two[0].n2, L(2));
    EXPECT_EQ(two[1].name, "y2");
    EXPECT_EQ(two[1].n1, L(2));
}

TEST(MergeNode, CollapsedPairDeletesOnlyPositiveG) {
    FourTerminalList four;
    AddFourTerminal(L(1), L(2), L(3), L(4), 1, "G1", four);
    AddFourTerminal(L(1), L(2), L(3), L(4), 1, "K1", four);
    AddFourTerminal(L(1), L(2), L(3), L(4), -1, "G2", four);
    AddFourTerminal(L(1), L(2), L(3), L(4), 1, "G3", four);
    MergeNodeInFourTerminals(L(4), L(3), four);
    ASSERT_EQ(four.size(), 2u);
    EXPECT_EQ(four[0].name, "K1");
    EXPECT_EQ(four[1].name, "G2");
    EXPECT_EQ(four[0].n4, L(3));
}

TEST(Delete, StepsIndexBackSoTheSlotIsSeenAgain) {
    TwoTerminalList two;
    AddTwoTerminal(L(1), L(2), 1, "R1", two);
    AddTwoTerminal(L(2), L(3), 1, "R2", two);
    int index = 0;
    DeleteTwoTerminal(index, two);
    EXPECT_EQ(index, -1);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].name, "R2");
}

TEST(UnitElements, AppendOverwriteAndReplace) {
    FourTerminalList four;
    AddFourTerminal(L(1), L(2), L(1), L(2), kWeightIdeal, "E1", four);
    AddUnitOverPair(L(3), L(4), four);
    EXPECT_TRUE(IsUnitElement(four[1]));
    EXPECT_EQ(four[1].n3, L(3));

    int index = 0;
    AddUnitFourTerminalAt(L(5), L(6), L(7), L(8), index, four);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(four.size(), 2u);
    EXPECT_TRUE(IsUnitElement(four[0]));
    EXPECT_EQ(four[0].n4, L(8));

    ReplaceByUnit(L(1), L(9), 1, four);
    EXPECT_EQ(four[1].name, "1");
    EXPECT_EQ(four[1].n2, L(9));
    EXPECT_EQ(four[1].n4, L(9));
}

}  // namespace
}  // namespace vorlan
