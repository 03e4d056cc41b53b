// A node's number is only its name: any one-to-one renumbering of a
// netlist's nodes within the range the reader takes leaves the whole script
// as it was, byte for byte. Checked by moving each node of a few varied
// netlists through every legal number, and by random renumberings.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "script_run.h"
#include "tables.h"

namespace vorlan {
namespace {

// Every node a netlist may use: the range of distinct labels but the one
// the node walks keep for themselves.
std::vector<int> LegalNodes() {
    std::vector<int> nodes;
    for (int n = kLowestNode; n <= kHighestNode; ++n)
        if (LabelOfNode(n) != kVisitedMark) nodes.push_back(n);
    return nodes;
}

struct Netlist {
    const char* name;
    const char* body;  // element lines, fields split by one blank
};

const Netlist kNetlists[] = {
    {"every element letter",
     "R1 1 0 1\nr2 1 2 1\ng3 2 0 1\nC4 2 3 1\nc5 3 0 1\nL6 3 4 1\nl7 4 0 1\nE8 5 0 1\nR9 5 1 1\ne10 6 2 1\n"
     "g11 6 3 1\nJ12 2 0 1\nj13 4 1 1\nG14 4 0 1 0 1\nK15 7 0 2 0 1\nR16 7 3 1\nk17 8 0 3 0 1\nR24 8 4 1\n"
     "F18 1 0 9 0 1\nR25 9 4 1\nf19 3 0 10 0 1\ng26 10 2 1\nH20 11 0 12 0 1\nR27 12 3 1\nR28 11 1 1\n"
     "h21 13 0 14 0 1\ng29 14 1 1\nR30 13 2 1\nN22 15 0 1 3\nR31 15 3 1\nn23 16 0 4 2 1\nR32 16 2 1\nU1 4 0\n"},
    {"voltage and current probes",
     "E1 1 0 1\nR1 1 2 1\ng2 2 0 1\nC3 2 3 1\nR4 3 0 1\nL5 3 4 1\nc6 4 0 1\nU1 3 0\nI2 2 3\ni3 4 0\nu4 4 2\n"},
    {"marked elements with meters",
     "J1 1 0 1\nR1? 1 2 1\ng2 2 0 1\nc3? 2 3 1\nR4 3 0 1\nL6 3 4 1\nG5? 4 0 1 2 2\nR7 4 0 1\nV1 1 2 1\n"
     "A2 2 3 1\na3 4 0 1\nU1 4 0\n"},
    {"S nodes",
     "R1 1 2 1\ng2 2 3 1\nL3 3 1 1\nR4 3 4 1\nc5 4 5 1\nG6 5 1 2 3 1\nF7 4 1 6 2 1\nl8 6 5 1\nx 4 1 5\n"},
    {"controlled sources and nullors",
     "R1 1 0 1\nR2 1 2 1\nN1 3 0 0 2\nR3 2 3 1\ng4 3 4 1\nG5 4 0 2 0 1\nK6 5 0 4 0 1\nR7 5 6 1\n"
     "F8 6 0 7 0 1\nR8 4 7 1\nH9 8 0 9 0 1\nR10 6 9 1\nR11 8 1 1\nN2 10 0 8 6\nR12 10 6 1\nE1 11 0 1\n"
     "R13 11 1 1\nU1 10 0\nI2 4 7\n"},
    {"ring of three", "g1 1 2 1\ng2 2 3 1\ng3 3 1 1\n"},
};

// How many node fields follow the name field of a line with this letter.
int NodeFields(char letter) {
    if (std::string_view("SsXx").find(letter) != std::string_view::npos) return 1000;
    if (std::string_view("GKkFfHhNn").find(letter) != std::string_view::npos) return 4;
    return 2;
}

// The netlist with every node field N replaced by renumber(N).
std::string Renumbered(const std::string& body, const std::function<int(int)>& renumber) {
    std::istringstream in(body);
    std::string line, out;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        fields >> field;
        std::string renumbered = field;
        const int count = NodeFields(line[0]);
        for (int i = 0; fields >> field; ++i) {
            if (i < count) field = std::to_string(renumber(std::stoi(field)));
            renumbered += " " + field;
        }
        out += renumbered + "\n";
    }
    return out;
}

// The netlist renumbered through `map`; nodes not in it keep their number.
std::string Renumbered(const std::string& body, const std::map<int, int>& map) {
    return Renumbered(body, [&map](int node) {
        const auto it = map.find(node);
        return it == map.end() ? node : it->second;
    });
}

// The distinct nodes of a netlist.
std::vector<int> NodesOf(const std::string& body) {
    std::set<int> nodes;
    Renumbered(body, [&nodes](int node) {
        nodes.insert(node);
        return node;
    });
    return {nodes.begin(), nodes.end()};
}

void PrintTo(const Netlist& n, std::ostream* os) { *os << n.name; }

class Relabelling : public test::ScriptRun, public ::testing::WithParamInterface<Netlist> {
protected:
    std::string Script(const std::string& body) { return Run("t\n" + body + ".end\n"); }
};

// Each node in turn takes every legal number; a node already holding that
// number takes the moved node's old one.
TEST_P(Relabelling, EachNodeThroughEveryNumber) {
    const std::string body = GetParam().body;
    const std::string expected = Script(body);
    ASSERT_NE(test::Determinant(expected), "0") << expected;
    for (const int node : NodesOf(body)) {
        for (const int number : LegalNodes()) {
            const std::map<int, int> swap = {{node, number}, {number, node}};
            const std::string renumbered = Renumbered(body, swap);
            ASSERT_EQ(Script(renumbered), expected) << "node " << node << " as " << number << ":\n" << renumbered;
        }
    }
}

// All nodes at once, by random one-to-one maps into the legal range.
TEST_P(Relabelling, RandomOneToOneMaps) {
    const std::string body = GetParam().body;
    const std::string expected = Script(body);
    const std::vector<int> nodes = NodesOf(body);
    std::vector<int> numbers = LegalNodes();
    std::mt19937 random(208);
    for (int round = 0; round < 200; ++round) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        std::map<int, int> map;
        for (std::size_t i = 0; i < nodes.size(); ++i) map[nodes[i]] = numbers[i];
        const std::string renumbered = Renumbered(body, map);
        ASSERT_EQ(Script(renumbered), expected) << renumbered;
    }
}

INSTANTIATE_TEST_SUITE_P(Netlists, Relabelling, ::testing::ValuesIn(kNetlists),
                         [](const ::testing::TestParamInfo<Netlist>& info) {
                             return test::CaseName(info.param.name);
                         });

}  // namespace
}  // namespace vorlan
