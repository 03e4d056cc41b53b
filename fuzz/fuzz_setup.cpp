// The input is the expansion settings file "setup.sym"; the netlist is a
// small fixed circuit with probes, a marked element and a meter, so that
// every value of the file is read by some part of the run.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "state.h"
#include "velmorad1.h"

namespace {

constexpr std::string_view kNetlist =
    "fixed circuit\r\n"
    "R1 1 0 1000\r\n"
    "C2? 1 2 1e-06\r\n"
    "G3 2 0 1 0 0.01\r\n"
    "E4 3 0 2\r\n"
    "U1 2 0\r\n"
    "I2 3 0\r\n"
    "V1 2 0 1\r\n"
    "S 1 2\r\n"
    ".end\r\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vorlan::fuzz::PrepareScratch();
    vorlan::fuzz::InScratch here;
    vorlan::fuzz::WriteScratchFile("cir", kNetlist);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!vorlan::fuzz::WithinBounds(data, size)) return -1;
    // A short file keeps the values an earlier run read: start every input
    // from the values at load, so that it runs alike on its own.
    vorlan::Engine().settings = {};
    vorlan::fuzz::InScratch here;
    vorlan::fuzz::WriteScratchFile("setup.sym", std::string_view(reinterpret_cast<const char*>(data), size));
    vorlan::fuzz::CheckFileRun(_run_main("cir", "out"));
    return 0;
}
