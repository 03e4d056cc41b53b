#include "weight_rules.h"

#include <cassert>

namespace vorlan {

namespace {

// Neutralises the ideal element at `index`: an E or U becomes a unit element
// over its output pair, a J or I is removed (`index` then steps back).
void Neutralise(int& index, FourTerminalList& four) {
    const FourTerminal& f = four[index];
    switch (f.kind()) {
        case 'E':
        case 'U':
            ReplaceByUnit(f.n1, f.n2, index, four);
            break;
        case 'J':
        case 'I':
            DeleteFourTerminal(index, four);
            break;
        default:
            break;
    }
}

void NeutraliseAllOfWeightIdeal(FourTerminalList& four) {
    for (int i = 0; i < static_cast<int>(four.size()); ++i)
        if (four[i].weight == kWeightIdeal) Neutralise(i, four);
}

}  // namespace

bool HasOtherIdealSource(int index, const FourTerminalList& four) {
    for (int i = 0; i < static_cast<int>(four.size()); ++i)
        if (i != index && (four[i].weight == kWeightIdeal || four[i].weight == kWeightPinnedIdeal))
            return true;
    return false;
}

void NeutraliseIdealSources(FourTerminalList& four) { NeutraliseAllOfWeightIdeal(four); }

void NeutraliseOtherIdealSources(FourTerminalList& four) { NeutraliseAllOfWeightIdeal(four); }

void MarkLastIdealSource(FourTerminalList& four) {
    int count = 0;
    int last = -1;
    for (int i = 0; i < static_cast<int>(four.size()); ++i)
        if (four[i].weight == kWeightIdeal) {
            ++count;
            last = i;
        }
    if (count == 1) four[last].weight = kWeightPinnedIdeal;
}

int ReleaseFourTerminal(int index, FourTerminalList& four) {
    assert(index >= 0 && static_cast<std::size_t>(index) < four.size());
    FourTerminal& f = four[index];
    if (f.weight < 0) return 2;
    if (f.weight != kWeightIdeal) {
        f.weight = kWeightResolve;
        return 3;
    }
    int result = 2;
    if (HasOtherIdealSource(index, four)) {
        result = 1;
        Neutralise(index, four);
    }
    MarkLastIdealSource(four);
    return result;
}

}  // namespace vorlan
