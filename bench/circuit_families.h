// The circuits the benchmark measures, generated as netlist text: families
// of one shape at several sizes, up to what the element tables hold.
#pragma once

#include <string>
#include <vector>

namespace vorlan::bench {

struct BenchCircuit {
    std::string family;  // such as "rc_ladder"
    int size = 0;        // sections, grid side, nodes or stages
    int elements = 0;    // element lines (sources and meters included, probes not)
    std::string netlist; // the whole netlist file, title to ".end"

    std::string name() const { return family + "/" + std::to_string(size); }
};

// Series R, shunt C; `admittances` writes them as g and c instead.
BenchCircuit RcLadder(int sections, bool admittances);
// k by k resistors' grid; node 0 is a corner.
BenchCircuit ResistiveGrid(int k);
// A conductance between every two of `nodes` nodes.
BenchCircuit CompleteGraph(int nodes);
// Sections of two series resistors, a shunt capacitor from their middle
// and a bridging capacitor over both.
BenchCircuit BridgedTChain(int sections);
// Alternate transconductance (G) and voltage-amplifier (K) stages with
// their loads and coupling capacitors.
BenchCircuit AmplifierChain(int stages);
// An RC ladder driven by an ideal source E, with a voltage probe at the
// output and a current probe in series with the load.
BenchCircuit SourceWithProbes(int sections);
// An RC ladder driven by E with its first resistor and last capacitor
// marked "?", read by a voltmeter and an ammeter.
BenchCircuit FlaggedLadder(int sections);

// Every family at its sizes, in the order of the report.
std::vector<BenchCircuit> AllBenchCircuits();

}  // namespace vorlan::bench
