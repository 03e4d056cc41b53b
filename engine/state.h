// The engine's module state: one instance per loaded engine library. The
// engine is not re-entrant; one run at a time uses it.
#pragma once

#include <string>

#include "expression_buffer.h"
#include "text_file.h"

namespace vorlan {

// Values of "setup.sym". Zero at load; a value the file doesn't give keeps
// its earlier value.
struct ExpansionSettings {
    int pair1 = 0;
    float value1 = 0;
    int pair2 = 0;
    float value2 = 0;
    int pair3 = 0;
    float value3 = 0;
    int pair4 = 0;
    float value4 = 0;
    int SourcesFirst = 0;
    int RequireNonzeroDet = 0;
};

struct EngineState {
    std::string NetlistPath;
    std::string ScriptPath;
    char ErrorText[256] = {};
    TextFile ScriptFile;
    ExpansionSettings settings;
    ExpressionBuffer buffer;
    // Why the netlist reader failed (empty when it didn't), for the error text.
    std::string FailureReason;
};

// The state of this loaded library.
EngineState& Engine();

}  // namespace vorlan
