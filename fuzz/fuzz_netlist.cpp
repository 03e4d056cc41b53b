// The input is a circuit netlist file; Velmorad1's _run_main turns it into
// an analysis script with the shipped "setup.sym".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "velmorad1.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vorlan::fuzz::PrepareScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!vorlan::fuzz::NetlistWithinBounds(data, size)) return -1;
    vorlan::fuzz::InScratch here;
    vorlan::fuzz::WriteScratchFile("cir", std::string_view(reinterpret_cast<const char*>(data), size));
    vorlan::fuzz::CheckFileRun(_run_main("cir", "out"));
    return 0;
}
