// Runs the expansion on a circuit given as element lists and hands back the
// text it wrote, and checks that text against the nodal reference.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "driver_lists.h"
#include "expression_evaluator.h"
#include "nodal_reference.h"
#include "tables.h"

namespace vorlan::test {

struct TestCircuit {
    TwoTerminalList two;
    FourTerminalList four;
    std::vector<NodeLabel> sNodes;  // positions 1..n as 0..n-1

    TestCircuit& R(int a, int b, const std::string& name) { return Two(a, b, name); }
    // Any two-terminal; the kind is the first letter of `name`.
    TestCircuit& Two(int a, int b, const std::string& name);
    // A four-terminal of weight 1 (999 for E, J, U and I).
    TestCircuit& Four(int n1, int n2, int n3, int n4, const std::string& name);
    TestCircuit& Unit(int n1, int n2, int n3, int n4);
    TestCircuit& S(std::initializer_list<int> nodes);
};

// The wrapped lines the expansion wrote (the rest last), with `sourcesFirst`
// as the setting; the engine's buffer starts a fresh expression.
std::vector<std::string> ExpandToLines(const TestCircuit& circuit, int sourcesFirst = 0);
std::string ExpandToText(const TestCircuit& circuit, int sourcesFirst = 0);

// The text that the output drivers' expansion writes for prepared lists,
// over a copy of S-node positions 1..sCount (1-based) when given.
std::string ExpandPreparedToText(PreparedLists lists, int sourcesFirst = 0, int sCount = 0,
                                 const NodeLabel* sNodes = nullptr);

// Random positive values (0.5 .. 2) for every named element of the circuit.
ValueMap RandomValues(const TestCircuit& circuit, std::mt19937& random);

struct NumericCheck {
    bool ok = true;
    std::string detail;  // why not, or the ratio seen
    int ratioSign = 0;   // +1 or -1 when ok and non-zero; 0 for a zero determinant
};

// Expands the circuit once and compares its value with the reference for
// `draws` random draws: the ratio must be +1 or -1, the same in every draw;
// a zero determinant must give an expression that vanishes.
NumericCheck CheckAgainstReference(const TestCircuit& circuit, int draws = 5, int sourcesFirst = 0,
                                   unsigned seed = 1);

}  // namespace vorlan::test
