// The two numeric tools of the expansion tests checked on hand-computed
// cases: the expression evaluator and the nodal reference.
#include <gtest/gtest.h>

#include <cmath>

#include "expression_evaluator.h"
#include "nodal_reference.h"

namespace vorlan::test {
namespace {

NodeLabel L(int node) { return LabelOfNode(node); }

struct EvalCase {
    const char* text;
    long double value;
    long double magnitude;
};

TEST(ExpressionEvaluator, SumsProductsBracketsAndSigns) {
    const ValueMap values = {{"R1", 2}, {"g2", 3}, {"K1", 5}, {"R2", 7}, {"G1", 11}};
    const EvalCase cases[] = {
        {"", 0, 0},
        {"R1", 2, 2},
        {"-R1", -2, 2},
        {"R1*g2+R2", 13, 13},
        {"R1*(g2+R2)-K1", 15, 25},
        {"(K1+1)", 6, 6},
        {"(-K1+1)", -4, 6},
        {"R1*(R2*(g2+1)+1)", 58, 58},
        {"R1--(R2+g2)", 12, 12},  // a negated compound after a "-"
        {"-(R1+R2)*G1", -99, 99},
        {"G1-(R1)+g2", 12, 16},
        {"2*R1", 4, 4},
    };
    for (const EvalCase& c : cases) {
        const Evaluation e = EvaluateExpression(c.text, values);
        EXPECT_EQ(e.value, c.value) << c.text;
        EXPECT_EQ(e.magnitude, c.magnitude) << c.text;
    }
}

TEST(ExpressionEvaluator, RefusesSTermsUnknownNamesAndBadSyntax) {
    const ValueMap values = {{"R1", 2}};
    for (const char* text : {"S12", "R1*S1", "R9", "R1+", "(R1", "R1)", "R1**R1", "()", "1x"})
        EXPECT_THROW(EvaluateExpression(text, values), EvaluationError) << text;
}

TEST(MatrixDeterminant, NeedsPivoting) {
    EXPECT_EQ(MatrixDeterminant({}, 0), 1);
    EXPECT_NEAR(static_cast<double>(MatrixDeterminant({0, 2, 1, 1, 0, 0, 3, 1, 1}, 3)), -1.0, 1e-15);
    EXPECT_EQ(MatrixDeterminant({1, 2, 2, 4}, 2), 0);
}

struct ReferenceCase {
    const char* name;
    TwoTerminalList two;
    FourTerminalList four;
    long double expected;
};

// Element values: g1 = 2, g2 = 3, g3 = 5, R1 = 7, R2 = 11; sources 13.
const ValueMap kValues = {{"g1", 2}, {"g2", 3}, {"g3", 5}, {"R1", 7}, {"R2", 11}, {"G1", 13},
                          {"K1", 13}, {"F1", 13}, {"H1", 13}, {"E1", 13}, {"E2", 17}, {"J1", 13}, {"J2", 17}};

std::vector<ReferenceCase> ReferenceCases() {
    const FourTerminal unit12{L(1), L(2), L(1), L(2), kWeightUnit, "1"};
    return {
        {"conductance", {{L(1), L(2), 1, "g1"}}, {}, 2},
        {"resistance", {{L(1), L(2), 1, "R1"}}, {}, 1},
        {"shorted resistance", {{L(1), L(1), 1, "R1"}}, {}, 7},
        {"series resistances", {{L(1), L(2), 1, "R1"}, {L(2), L(3), 1, "R2"}}, {}, 1},
        {"parallel resistances", {{L(1), L(2), 1, "R1"}, {L(2), L(1), 1, "R2"}}, {}, 18},
        // g1 g2 + g1 g3 + g2 g3
        {"T of conductances", {{L(1), L(0), 1, "g1"}, {L(1), L(2), 1, "g2"}, {L(2), L(0), 1, "g3"}}, {}, 31},
        {"disconnected", {{L(1), L(2), 1, "g1"}, {L(3), L(4), 1, "g2"}}, {}, 0},
        // The short joins g1 and g2 in parallel.
        {"unit short", {{L(1), L(2), 1, "g1"}, {L(2), L(3), 1, "g2"}}, {{L(1), L(3), L(1), L(3), -1, "1"}}, 5},
        {"reversed unit", {{L(1), L(2), 1, "g1"}, {L(2), L(3), 1, "g2"}}, {{L(1), L(3), L(3), L(1), -1, "1"}}, -5},
        {"unit alone", {}, {unit12}, 1},
        // g1 (g2 + G1): the source from node 2 to 0 senses node 1.
        {"VCCS", {{L(1), L(2), 1, "g1"}, {L(2), L(0), 1, "g2"}}, {{L(2), L(0), L(1), L(0), 1, "G1"}}, 32},
        // V12 = K V12, F senses its own output short: 1 - K and 1 + F.
        {"lone VCVS", {}, {{L(1), L(2), L(1), L(2), 1, "K1"}}, -12},
        {"lone CCCS", {}, {{L(1), L(2), L(1), L(2), 1, "F1"}}, 14},
        // H across its own control short: V = H i = 0 forces i = 0, so -H.
        {"CCVS across its control", {{L(1), L(2), 1, "g1"}}, {{L(1), L(2), L(1), L(2), 1, "H1"}}, -13},
        // H senses the current of R1 and forces V1 = H i with i = V1 / R1: R1 - H.
        {"CCVS", {{L(1), L(0), 1, "g1"}, {L(2), L(0), 1, "R1"}},
         {{L(1), L(0), L(1), L(2), 1, "H1"}}, -6},
        {"ideal source", {{L(1), L(0), 1, "g1"}}, {{L(1), L(0), L(1), L(0), kWeightIdeal, "E1"}}, 13},
        {"ideal current source", {{L(1), L(0), 1, "g1"}}, {{L(1), L(0), L(1), L(0), kWeightIdeal, "J1"}}, 13},
        // Superposition: each source with the other shorted; all nodes merge.
        // A current source alone on its own pair leaves that pair floating when
        // the other source acts: both parts vanish.
        {"ideal current sources apart", {{L(1), L(0), 1, "g1"}},
         {{L(1), L(0), L(1), L(0), kWeightIdeal, "J1"}, {L(2), L(3), L(2), L(3), kWeightIdeal, "J2"}}, 0},
        {"two ideal sources", {{L(1), L(2), 1, "g1"}, {L(2), L(0), 1, "g2"}},
         {{L(1), L(0), L(1), L(0), kWeightIdeal, "E1"}, {L(2), L(0), L(2), L(0), kWeightPinnedIdeal, "E2"}}, 30},
    };
}

TEST(NodalReference, HandComputedCircuits) {
    for (const ReferenceCase& c : ReferenceCases()) {
        const ReferenceValue r = NodalDeterminant(c.two, c.four, kValues, OrientationMap{});
        EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.expected), 1e-12) << c.name;
        EXPECT_GE(r.scale, std::fabs(r.value)) << c.name;
    }
}

TEST(NodalReference, OrientationSignTurnsTheGain) {
    const FourTerminalList k = {{L(1), L(2), L(1), L(2), 1, "K1"}};
    EXPECT_NEAR(static_cast<double>(NodalDeterminant({}, k, kValues, {{'K', -1}}).value), 14.0, 1e-12);
}

TEST(NodalReference, RefusesWhatItDoesNotModel) {
    const TwoTerminalList unknownValue = {{L(1), L(2), 1, "g9"}};
    EXPECT_THROW(NodalDeterminant(unknownValue, {}, kValues), std::invalid_argument);
    const FourTerminalList zeroWeight = {{L(1), L(2), L(3), L(4), 0, "G1"}};
    EXPECT_THROW(NodalDeterminant({}, zeroWeight, kValues), std::invalid_argument);
}

}  // namespace
}  // namespace vorlan::test
