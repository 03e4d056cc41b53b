#include "circuit_families.h"

#include <string_view>

namespace vorlan::bench {

namespace {

// Writes the lines of one netlist.
class NetlistWriter {
public:
    explicit NetlistWriter(std::string_view title) { text_.append(title).append("\n"); }

    // An element of two nodes: letter, number, nodes, value ("?" marks it).
    void two(char letter, int number, int n1, int n2, std::string_view value, bool marked = false) {
        line(letter, number, marked) << n1 << ' ' << n2 << ' ' << value;
        end_line();
        ++elements_;
    }
    // An element of four nodes (a controlled source).
    void four(char letter, int number, int n1, int n2, int n3, int n4, std::string_view value) {
        line(letter, number, false) << n1 << ' ' << n2 << ' ' << n3 << ' ' << n4 << ' ' << value;
        end_line();
        ++elements_;
    }
    // A probe or meter line over two nodes; meters (V, A) count as elements.
    void pair(char letter, int number, int n1, int n2) {
        line(letter, number, false) << n1 << ' ' << n2;
        end_line();
        if (letter == 'V' || letter == 'A') ++elements_;
    }

    BenchCircuit finish(std::string family, int size) {
        text_.append(".end\n");
        return BenchCircuit{std::move(family), size, elements_, std::move(text_)};
    }

private:
    class Fields {
    public:
        explicit Fields(std::string& text) : text_(text) {}
        Fields& operator<<(int n) {
            text_.append(std::to_string(n));
            return *this;
        }
        Fields& operator<<(char c) {
            text_.push_back(c);
            return *this;
        }
        Fields& operator<<(std::string_view s) {
            text_.append(s);
            return *this;
        }

    private:
        std::string& text_;
    };

    Fields line(char letter, int number, bool marked) {
        text_.push_back(letter);
        text_.append(std::to_string(number));
        if (marked) text_.push_back('?');
        text_.push_back(' ');
        return Fields(text_);
    }
    void end_line() { text_.push_back('\n'); }

    std::string text_;
    int elements_ = 0;
};

// Series elements between nodes i and i + 1, shunt ones from i + 1 to
// ground, i = first..first + sections - 1.
void AddLadder(NetlistWriter& w, int first, int sections, char series, char shunt) {
    for (int i = 1; i <= sections; ++i) {
        const int a = first + i - 1;
        w.two(series, i, a, a + 1, "1000");
        w.two(shunt, i, a + 1, 0, "1e-06");
    }
}

}  // namespace

BenchCircuit RcLadder(int sections, bool admittances) {
    NetlistWriter w(admittances ? "gc ladder" : "RC ladder");
    AddLadder(w, 1, sections, admittances ? 'g' : 'R', admittances ? 'c' : 'C');
    return w.finish(admittances ? "gc_ladder" : "rc_ladder", sections);
}

BenchCircuit ResistiveGrid(int k) {
    NetlistWriter w("resistive grid");
    auto node = [k](int row, int column) { return row * k + column; };
    int number = 0;
    for (int row = 0; row < k; ++row)
        for (int column = 0; column < k; ++column) {
            if (column + 1 < k) w.two('R', ++number, node(row, column), node(row, column + 1), "100");
            if (row + 1 < k) w.two('R', ++number, node(row, column), node(row + 1, column), "100");
        }
    return w.finish("grid", k);
}

BenchCircuit CompleteGraph(int nodes) {
    NetlistWriter w("complete graph");
    int number = 0;
    for (int a = 0; a < nodes; ++a)
        for (int b = a + 1; b < nodes; ++b) w.two('g', ++number, a, b, "0.01");
    return w.finish("complete", nodes);
}

BenchCircuit BridgedTChain(int sections) {
    NetlistWriter w("bridged-T chain");
    // Main nodes 1..sections + 1, middle nodes after them.
    for (int i = 1; i <= sections; ++i) {
        const int a = i;
        const int b = i + 1;
        const int m = sections + 1 + i;
        w.two('R', 2 * i - 1, a, m, "1000");
        w.two('R', 2 * i, m, b, "1000");
        w.two('C', 2 * i - 1, m, 0, "1e-06");
        w.two('C', 2 * i, a, b, "1e-07");
    }
    return w.finish("bridged_t", sections);
}

BenchCircuit AmplifierChain(int stages) {
    NetlistWriter w("amplifier chain");
    w.two('R', 0, 1, 0, "50");  // source resistance at the input
    int in = 1;
    int next = 2;
    for (int i = 1; i <= stages; ++i) {
        if (i % 2 == 1) {
            // Transconductance stage: G into a load, Miller capacitor.
            const int out = next++;
            w.four('G', i, out, 0, in, 0, "0.02");
            w.two('R', i, out, 0, "10000");
            w.two('C', i, in, out, "1e-12");
            in = out;
        } else {
            // Voltage stage: K behind a series resistor, shunt capacitor.
            const int inner = next++;
            const int out = next++;
            w.four('K', i, inner, 0, in, 0, "10");
            w.two('R', i, inner, out, "100");
            w.two('C', i, out, 0, "1e-09");
            in = out;
        }
    }
    return w.finish("amp_chain", stages);
}

BenchCircuit SourceWithProbes(int sections) {
    NetlistWriter w("source with probes");
    w.two('E', 1, 1, 0, "1");
    AddLadder(w, 1, sections, 'R', 'C');
    const int out = sections + 1;
    w.two('R', sections + 1, out + 1, 0, "1000");  // load behind the current probe
    w.pair('U', 1, out, 0);
    w.pair('I', 1, out, out + 1);
    return w.finish("e_probes", sections);
}

BenchCircuit FlaggedLadder(int sections) {
    NetlistWriter w("flagged ladder");
    w.two('E', 1, 1, 0, "1");
    for (int i = 1; i <= sections; ++i) {
        w.two('R', i, i, i + 1, "1000", i == 1);
        w.two('C', i, i + 1, 0, "1e-06", i == sections);
    }
    const int out = sections + 1;
    w.two('R', sections + 1, out + 1, 0, "1000");
    w.pair('V', 1, out, 0);
    w.pair('A', 1, out, out + 1);
    return w.finish("flagged", sections);
}

std::vector<BenchCircuit> AllBenchCircuits() {
    std::vector<BenchCircuit> all;
    for (int n : {5, 8, 10, 12, 16, 20, 24, 32, 40, 49}) all.push_back(RcLadder(n, false));
    for (int n : {5, 8, 10, 12, 16, 20, 24, 32, 40, 49}) all.push_back(RcLadder(n, true));
    for (int k = 2; k <= 5; ++k) all.push_back(ResistiveGrid(k));
    for (int n = 3; n <= 7; ++n) all.push_back(CompleteGraph(n));
    for (int n : {1, 2, 4, 8, 12, 16, 24}) all.push_back(BridgedTChain(n));
    for (int n : {2, 4, 8, 16, 32}) all.push_back(AmplifierChain(n));
    for (int n : {2, 5, 10, 20}) all.push_back(SourceWithProbes(n));
    for (int n : {3, 6, 10}) all.push_back(FlaggedLadder(n));
    return all;
}

}  // namespace vorlan::bench
