// Element records of the engine and the small list operations on them.
//
// A circuit is held as two lists: two-terminal elements (R g z y Z Y) and
// four-terminal elements (controlled and ideal sources, meters, unit
// elements). Every record owns its name; the first character of the name is
// the element's kind letter. Nodes are single bytes (NodeLabel): the netlist
// node number plus '0', modulo 256.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vorlan {

using NodeLabel = unsigned char;

// Label of netlist node `node`: (node + 48) mod 256.
constexpr NodeLabel LabelOfNode(int node) { return static_cast<NodeLabel>(node + 48); }

// The netlist nodes whose labels are all distinct.
constexpr int kLowestNode = -47;
constexpr int kHighestNode = 207;

// Visited mark of the node walks; no circuit node may carry it.
constexpr NodeLabel kVisitedMark = 0xEF;

// "No node": the byte 0 (node 208), which the reader refuses as a node.
// Every other byte, the blank of node -16 included, is a node's label.
constexpr NodeLabel kNoNode = 0;

// Table capacities of one run.
constexpr int kElementCapacity = 100;  // per element table
constexpr int kProbeCapacity = 20;
constexpr int kMeterCapacity = 20;
constexpr int kFlaggedCapacity = 20;
constexpr int kSNodeCapacity = 10;

// Weights of four-terminal elements.
constexpr int kWeightIdeal = 999;        // E, J and the meter elements U, I
constexpr int kWeightPinnedIdeal = -999; // the ideal element kept while others are neutralised
constexpr int kWeightUnit = -1;          // unit element "1"
constexpr int kWeightControlled = 1;     // G, K, F, H not yet expanded
constexpr int kWeightResolve = 0;        // a source whose contribution is still to be resolved

struct TwoTerminal {
    NodeLabel n1 = 0;
    NodeLabel n2 = 0;
    int weight = 1;
    std::string name;  // kind letter + netlist name (or a compound name)

    char kind() const { return name.empty() ? '\0' : name[0]; }
};

struct FourTerminal {
    NodeLabel n1 = 0;  // output pair
    NodeLabel n2 = 0;
    NodeLabel n3 = 0;  // control pair
    NodeLabel n4 = 0;
    int weight = 1;
    std::string name;  // kind letter + netlist name; "1" for a unit element

    char kind() const { return name.empty() ? '\0' : name[0]; }
};

struct NodePair {
    NodeLabel first = 0;
    NodeLabel second = 0;
};

struct MeterItem {
    int index = 0;     // position of the meter's element in FlaggedFourTerminals
    std::string name;  // "U..." (V line) or "I..." (A line)
};

using TwoTerminalList = std::vector<TwoTerminal>;
using FourTerminalList = std::vector<FourTerminal>;

// S nodes, used 1-based: positions 1..count.
using SNodeArray = std::array<NodeLabel, kSNodeCapacity + 2>;

// The argument block of one step of the expansion. The S-node array is shared
// with the caller and changed in place; the element lists belong to the step.
struct CircuitLists {
    int sCount = 0;
    NodeLabel* sNodes = nullptr;  // 1-based
    TwoTerminalList two;
    FourTerminalList four;
};

// ---- kind groups ---------------------------------------------------------

inline bool IsAdmittanceKind(char k) { return k == 'g' || k == 'y' || k == 'Y'; }
inline bool IsImpedanceKind(char k) { return k == 'R' || k == 'z' || k == 'Z'; }
inline bool IsForcingOutputKind(char k) { return k == 'K' || k == 'H' || k == 'E' || k == 'U'; }
inline bool IsCurrentOutputKind(char k) { return k == 'G' || k == 'F' || k == 'J' || k == 'I'; }
inline bool IsCurrentSensingKind(char k) { return k == 'F' || k == 'H' || k == 'J' || k == 'I'; }
inline bool IsVoltageSensingKind(char k) { return k == 'G' || k == 'K'; }
inline bool IsIdealElement(const FourTerminal& f) {
    const char k = f.kind();
    return (k == 'E' || k == 'J' || k == 'U' || k == 'I') && f.weight == kWeightIdeal;
}
inline bool IsUnitElement(const FourTerminal& f) { return f.name == "1" && f.weight == kWeightUnit; }

// ---- node counting -------------------------------------------------------

// Appends to `out` every label of `pairs` (first, then second) not yet in it,
// in first-appearance order; the label 0 is never appended. `count` is the
// number of labels in `out` afterwards.
void CollectNodes(const std::vector<NodePair>& pairs, int& count, std::string& out);
// The same over both lists (two-terminal pairs first, then per four-terminal
// its output and its control pair). Both lists empty: count 0, `out` untouched.
void CollectCircuitNodes(const TwoTerminalList& two, const FourTerminalList& four, int& count,
                         std::string& out);
// Number of distinct node labels of both lists.
int CountNodes(const TwoTerminalList& two, const FourTerminalList& four);

void TwoTerminalPairs(const TwoTerminalList& list, std::vector<NodePair>& pairs);
void FourTerminalPairs(std::size_t offset, const FourTerminalList& list, std::vector<NodePair>& pairs);

// ---- copies and appends --------------------------------------------------

void CopyTwoTerminals(const TwoTerminalList& source, TwoTerminalList& target);
void CopyFourTerminals(const FourTerminalList& source, FourTerminalList& target);

void AddTwoTerminal(NodeLabel n1, NodeLabel n2, int weight, const std::string& name, TwoTerminalList& table);
void AddFourTerminal(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, int weight,
                     const std::string& name, FourTerminalList& table);
// Appends a unit element ("1", weight -1).
void AddUnitFourTerminal(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, FourTerminalList& table);
// Overwrites the record at `index` (or appends at the end) with a unit
// element, then advances `index`.
void AddUnitFourTerminalAt(NodeLabel n1, NodeLabel n2, NodeLabel n3, NodeLabel n4, int& index,
                           FourTerminalList& table);
// A unit element whose output and control pair are both (a, b).
void AddUnitOverPair(NodeLabel a, NodeLabel b, FourTerminalList& table);
// Makes the record at `index` a unit element over (a, b) as both pairs.
void ReplaceByUnit(NodeLabel a, NodeLabel b, int index, FourTerminalList& table);

// ---- removal -------------------------------------------------------------

// Remove the record at `index`; later records move down and `index` steps
// back by one, so a forward loop revisits the slot.
void DeleteTwoTerminal(int& index, TwoTerminalList& list);
void DeleteFourTerminal(int& index, FourTerminalList& list);
void FreeTwoTerminals(TwoTerminalList& list);
void FreeFourTerminals(FourTerminalList& list);

// ---- node merges ---------------------------------------------------------

// Every node `from` becomes `to`; a G of positive weight whose output or
// control pair collapsed is deleted.
void MergeNodeInFourTerminals(NodeLabel from, NodeLabel to, FourTerminalList& list);
// Every node `from` becomes `to`; an admittance whose nodes now coincide is
// deleted (impedances stay: the factor finders take them out).
void MergeNodeInTwoTerminals(NodeLabel from, NodeLabel to, TwoTerminalList& list);

}  // namespace vorlan
