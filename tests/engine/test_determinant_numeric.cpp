// The expansion checked by numbers: for generated and hand-made circuits the
// expression, evaluated at random positive values, must equal the nodal
// reference up to a sign that stays the same for every draw.
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "expansion_harness.h"

namespace vorlan::test {
namespace {

constexpr int kDraws = 5;

struct NamedCircuit {
    std::string name;
    TestCircuit circuit;
};

// Names elements by kind letter and a running number.
class Builder {
public:
    explicit Builder(unsigned seed = 7) : random_(seed) {}

    std::string Name(char kind) { return std::string(1, kind) + std::to_string(++count_); }
    // A two-terminal whose kind follows `pattern`: 'a' admittances, 'i'
    // impedances, 'm' mixed at random.
    void Two(TestCircuit& c, int a, int b, char pattern) {
        static const char kAdmittances[] = {'g', 'y', 'Y'};
        static const char kImpedances[] = {'R', 'z', 'Z'};
        std::uniform_int_distribution<int> pick(0, 2);
        const bool impedance = pattern == 'i' || (pattern == 'm' && std::bernoulli_distribution(0.5)(random_));
        c.Two(a, b, Name(impedance ? kImpedances[pick(random_)] : kAdmittances[pick(random_)]));
    }
    std::mt19937& Random() { return random_; }

private:
    std::mt19937 random_;
    int count_ = 0;
};

TestCircuit Ladder(int sections, char pattern, Builder& b) {
    TestCircuit c;
    for (int i = 1; i <= sections; ++i) {
        b.Two(c, i - 1, i, pattern);
        b.Two(c, i, 0, pattern);
    }
    return c;
}

TestCircuit Bridge(char pattern, Builder& b) {
    TestCircuit c;
    for (auto [x, y] : {std::pair{1, 2}, {1, 3}, {2, 0}, {3, 0}, {2, 3}, {1, 0}}) b.Two(c, x, y, pattern);
    return c;
}

TestCircuit Grid(int rows, int cols, char pattern, Builder& b) {
    TestCircuit c;
    auto node = [cols](int r, int k) { return r * cols + k; };
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            if (k + 1 < cols) b.Two(c, node(r, k), node(r, k + 1), pattern);
            if (r + 1 < rows) b.Two(c, node(r, k), node(r + 1, k), pattern);
        }
    return c;
}

TestCircuit Complete(int nodes, char pattern, Builder& b) {
    TestCircuit c;
    for (int x = 0; x < nodes; ++x)
        for (int y = x + 1; y < nodes; ++y) b.Two(c, x, y, pattern);
    return c;
}

std::vector<NamedCircuit> PassiveCircuits() {
    Builder b;
    std::vector<NamedCircuit> out;
    for (char p : {'a', 'i', 'm'}) {
        const std::string tag = std::string(" ") + p;
        for (int n = 1; n <= 5; ++n) out.push_back({"ladder " + std::to_string(n) + tag, Ladder(n, p, b)});
        out.push_back({"bridge" + tag, Bridge(p, b)});
        out.push_back({"grid 2x3" + tag, Grid(2, 3, p, b)});
        out.push_back({"grid 3x3" + tag, Grid(3, 3, p, b)});
        for (int n = 3; n <= 5; ++n) out.push_back({"complete " + std::to_string(n) + tag, Complete(n, p, b)});
    }
    for (int seed = 0; seed < 6; ++seed) {  // more mixed draws of the same shapes
        out.push_back({"mixed bridge " + std::to_string(seed), Bridge('m', b)});
        out.push_back({"mixed complete 4 " + std::to_string(seed), Complete(4, 'm', b)});
        out.push_back({"mixed grid " + std::to_string(seed), Grid(2, 3, 'm', b)});
    }
    // Parallel and series groups: merged before the choice.
    {
        TestCircuit c;
        c.Two(1, 2, "g1").Two(2, 1, "y2").Two(1, 2, "Y3").Two(2, 3, "R4").Two(3, 0, "z5").Two(0, 1, "Z6");
        out.push_back({"parallel admittances in a loop", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "R1").Two(2, 3, "z2").Two(3, 4, "Z3").Two(4, 1, "g4").Two(1, 3, "g5");
        out.push_back({"series impedances", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "R1").Two(2, 1, "R2").Two(1, 0, "g3").Two(2, 0, "g4").Two(1, 2, "g5").Two(0, 2, "R6");
        out.push_back({"parallel impedances", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "g1").Two(1, 2, "g2").Two(2, 3, "R3").Two(3, 4, "R4").Two(4, 1, "R5").Two(2, 4, "g6")
            .Two(1, 3, "y7").Two(1, 3, "R8");
        out.push_back({"parallel and series mixed", c});
    }
    // Pendant elements and trees hung on a bridge.
    {
        TestCircuit c = Bridge('m', b);
        c.Two(3, 7, "g71").Two(7, 8, "R72").Two(8, 9, "y73").Two(2, 6, "R74");
        out.push_back({"bridge with pendant trees", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "R1").Two(2, 3, "g2").Two(3, 4, "R3");
        out.push_back({"chain (a tree)", c});
    }
    {
        TestCircuit c;
        c.Two(1, 1, "R1").Two(1, 2, "g2").Two(2, 0, "R3").Two(0, 1, "g4");
        out.push_back({"self-loop impedance", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "g1").Two(3, 4, "g2");
        out.push_back({"disconnected", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "g1").Two(2, 3, "R2").Two(3, 1, "y3").Two(4, 5, "R4").Two(5, 4, "g5");
        out.push_back({"two components", c});
    }
    return out;
}

// All ordered pairs of distinct nodes among 0..n-1.
std::vector<std::pair<int, int>> OrderedPairs(int n) {
    std::vector<std::pair<int, int>> pairs;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (a != b) pairs.push_back({a, b});
    return pairs;
}

// A small mixed base (nodes 0..3) that every source is hung on.
TestCircuit SourceBase() {
    TestCircuit c;
    c.Two(1, 2, "g1").Two(2, 3, "R2").Two(3, 0, "y3").Two(0, 1, "Z4").Two(1, 3, "g5").Two(2, 0, "z6");
    return c;
}

std::vector<NamedCircuit> OneSourceCircuits(char kind) {
    Builder b;
    std::vector<NamedCircuit> out;
    // The source at every placement of its two pairs on a fresh base.
    const auto everyPlacement = [&](const std::string& tag, const auto& base) {
        for (auto [o1, o2] : OrderedPairs(4))
            for (auto [c1, c2] : OrderedPairs(4)) {
                TestCircuit c = base();
                if (kind == 'N')
                    c.Unit(o1, o2, c1, c2);
                else
                    c.Four(o1, o2, c1, c2, std::string(1, kind) + "1");
                out.push_back({std::string(1, kind) + tag + "(" + std::to_string(o1) + std::to_string(o2) + ", " +
                                   std::to_string(c1) + std::to_string(c2) + ")",
                               c});
            }
    };
    everyPlacement(" ", [&] { return SourceBase(); });
    // The source on a thinner base: a ladder, so that pendant and series
    // rules meet the source.
    everyPlacement(" on ladder ", [&] { return Ladder(3, 'm', b); });
    return out;
}

std::vector<NamedCircuit> TwoSourceCircuits(char first, char second, int count) {
    Builder b(static_cast<unsigned>(first * 131 + second));
    std::uniform_int_distribution<int> node(0, 4);
    std::vector<NamedCircuit> out;
    auto pair = [&]() {
        int x = node(b.Random()), y = node(b.Random());
        while (y == x) y = node(b.Random());
        return std::pair{x, y};
    };
    // Ideal elements all sense one pair (in either orientation), as the
    // drivers set them up: the probe's pair.
    std::pair<int, int> sensed;
    auto add = [&](TestCircuit& c, char kind, int index) {
        auto [o1, o2] = pair();
        auto [c1, c2] = pair();
        if (kind == 'E' || kind == 'J') {
            std::tie(c1, c2) = sensed;
            if (std::bernoulli_distribution(0.5)(b.Random())) std::swap(c1, c2);
        }
        if (kind == 'N')
            c.Unit(o1, o2, c1, c2);
        else
            c.Four(o1, o2, c1, c2, std::string(1, kind) + std::to_string(index));
        return std::to_string(o1) + std::to_string(o2) + std::to_string(c1) + std::to_string(c2);
    };
    for (int i = 0; i < count; ++i) {
        TestCircuit c = SourceBase();
        c.Two(4, 1, "g7").Two(4, 3, "R8");
        sensed = pair();
        const std::string a = add(c, first, 1);
        const std::string z = add(c, second, 2);
        out.push_back({std::string(1, first) + a + " " + second + z, c});
    }
    return out;
}

// Small circuits where a source's ports meet pendant and collapsed nodes;
// each was once written with a wrong value.
std::vector<NamedCircuit> HandMadeSourceCircuits() {
    std::vector<NamedCircuit> out;
    {
        // Two islands joined only by a transconductance: det 0.
        TestCircuit c;
        c.Two(4, 1, "g1").Two(3, 2, "g2").Four(1, 4, 2, 1, "G1");
        out.push_back({"islands joined by G", c});
    }
    {
        TestCircuit c;
        c.Two(4, 1, "g1").Two(3, 2, "g2").Four(1, 4, 2, 1, "K1");
        out.push_back({"islands joined by K", c});
    }
    {
        TestCircuit c;
        c.Two(1, 0, "g1").Two(2, 0, "R2").Four(2, 0, 1, 0, "G1").Two(1, 3, "g3");
        out.push_back({"amplifier with pendant input", c});
    }
    {
        TestCircuit c;
        c.Two(1, 2, "R1").Four(2, 0, 1, 2, "F1").Two(2, 0, "g2");
        out.push_back({"F sensing a pendant resistor", c});
    }
    return out;
}

struct Tally {
    int circuits = 0, nonZero = 0, plus = 0, minus = 0;
    void Print(const std::string& family) const {
        std::cout << "[numeric] " << family << ": " << circuits << " circuits x " << kDraws << " draws x 2 settings, "
                  << nonZero << " non-zero, ratio +1: " << plus << ", -1: " << minus << "\n";
    }
};

void CheckAll(const std::vector<NamedCircuit>& circuits, const std::string& family) {
    Tally tally;
    for (const NamedCircuit& nc : circuits) {
        ++tally.circuits;
        for (int sourcesFirst : {0, 1}) {
            const NumericCheck check = CheckAgainstReference(nc.circuit, kDraws, sourcesFirst);
            EXPECT_TRUE(check.ok) << nc.name << ", SourcesFirst " << sourcesFirst << ": " << check.detail;
            if (sourcesFirst == 0 && check.ratioSign != 0) ++tally.nonZero;
            if (check.ratioSign > 0) ++tally.plus;
            if (check.ratioSign < 0) ++tally.minus;
        }
    }
    tally.Print(family);
}

TEST(DeterminantByNumbers, PassiveCircuits) { CheckAll(PassiveCircuits(), "passive"); }
TEST(DeterminantByNumbers, HandMadeSourceCircuits) { CheckAll(HandMadeSourceCircuits(), "hand-made sources"); }

class OneSource : public ::testing::TestWithParam<char> {};
TEST_P(OneSource, EveryPlacementOnTwoBases) {
    CheckAll(OneSourceCircuits(GetParam()), std::string("one ") + GetParam());
}
INSTANTIATE_TEST_SUITE_P(Kinds, OneSource, ::testing::Values('G', 'K', 'F', 'H', 'E', 'J', 'N'),
                         [](const auto& info) { return std::string(1, info.param); });

class TwoSources : public ::testing::TestWithParam<std::pair<char, char>> {};
TEST_P(TwoSources, RandomPlacements) {
    const auto [a, b] = GetParam();
    CheckAll(TwoSourceCircuits(a, b, 60), std::string("two ") + a + b);
}
INSTANTIATE_TEST_SUITE_P(Kinds, TwoSources,
                         ::testing::Values(std::pair{'G', 'G'}, std::pair{'G', 'K'}, std::pair{'G', 'F'},
                                           std::pair{'G', 'H'}, std::pair{'K', 'K'}, std::pair{'K', 'F'},
                                           std::pair{'K', 'H'}, std::pair{'F', 'F'}, std::pair{'F', 'H'},
                                           std::pair{'H', 'H'}, std::pair{'E', 'E'}, std::pair{'E', 'J'},
                                           std::pair{'J', 'J'}, std::pair{'E', 'K'}, std::pair{'J', 'F'},
                                           std::pair{'N', 'N'}, std::pair{'N', 'G'}, std::pair{'N', 'H'}),
                         [](const auto& info) {
                             return std::string(1, info.param.first) + std::string(1, info.param.second);
                         });

}  // namespace
}  // namespace vorlan::test
