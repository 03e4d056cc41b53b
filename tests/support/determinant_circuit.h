// The circuit whose determinant "detan=" is, as the nodal reference takes
// it, and random values for its elements.
#pragma once

#include <random>
#include <string>

#include "expression_evaluator.h"
#include "reader.h"
#include "tables.h"

namespace vorlan::test {

inline constexpr const char* kOpenPrefix = "g#open";

// Every ideal E shorted, every ideal J opened and every current probe
// shorted. An opened J stays as a conductance of value 0, so that its nodes
// stay in the circuit: a node held by nothing else then floats and the
// determinant is zero.
struct DeterminantCircuit {
    TwoTerminalList two;
    FourTerminalList four;

    explicit DeterminantCircuit(const NetlistTables& t) : two(t.MainTwoTerminals) {
        for (const FourTerminal& f : t.MainFourTerminals) {
            if (f.weight == kWeightIdeal && f.kind() == 'E')
                AddUnitOverPair(f.n1, f.n2, four);
            else if (f.weight == kWeightIdeal && f.kind() == 'J')
                AddTwoTerminal(f.n1, f.n2, 1, kOpenPrefix + f.name, two);
            else
                four.push_back(f);
        }
        for (const TwoTerminal& probe : t.ProbeList)
            if (probe.kind() == 'I') AddUnitOverPair(probe.n1, probe.n2, four);
    }
};

// A random value (0.5 .. 2) for every element name of the lists but the
// unit elements', 0 for an opened J.
inline ValueMap RandomListValues(const TwoTerminalList& two, const FourTerminalList& four, std::mt19937& random) {
    std::uniform_real_distribution<double> magnitude(0.5, 2.0);
    ValueMap values;
    for (const TwoTerminal& t : two) values[t.name] = t.name.starts_with(kOpenPrefix) ? 0 : magnitude(random);
    for (const FourTerminal& f : four)
        if (f.name != "1") values[f.name] = magnitude(random);
    return values;
}

}  // namespace vorlan::test
