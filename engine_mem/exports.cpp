// The exported function of Velmorad; everything else stays hidden.
#include "velmorad.h"

#include "memory_driver.h"
#include "memory_reader.h"
#include "result_lines.h"

namespace {

// What the library keeps between calls: the last call's result lines.
vorlan::memory::ResultLines& Results() {
    static vorlan::memory::ResultLines results;
    return results;
}

}  // namespace

extern "C" {

VELMORAD_API int _run_main(int, int, const char** lines, char*** result) {
    using namespace vorlan;
    memory::ResultLines& results = Results();
    results.clear();
    if (result == nullptr) return 0;
    *result = nullptr;
    if (lines == nullptr) return 0;
    try {
        NetlistTables tables;
        if (!memory::ReadNetlistLines(lines, tables)) return 0;
        results.assign(memory::WriteDeterminant(tables.SNodeCount, tables.SNodes.data(), tables.MainTwoTerminals,
                                                tables.MainFourTerminals, tables.ProbeList));
    } catch (...) {
        // Nothing may escape into the caller; the call then hands back nothing.
        results.clear();
        return 0;
    }
    *result = results.data();
    return results.count();
}

}
