#include "state.h"

namespace vorlan {

EngineState& Engine() {
    static EngineState state;
    return state;
}

}  // namespace vorlan
