// What the fuzz targets share: the bound on an input, the scratch directory
// the file engine runs in, and the check of a run's outcome.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlan::fuzz {

// An exact expansion grows exponentially with a dense circuit, S nodes and
// every probe and meter line ask for more expansions, so inputs are kept to
// what one execution finishes in a few milliseconds at most.
constexpr std::size_t kMaxInputBytes = 2048;
constexpr std::size_t kMaxInputLines = 40;
constexpr std::size_t kMaxElementLines = 12;    // two- and four-terminal elements
constexpr std::size_t kMaxProbeMeterLines = 8;  // U, I, V and A lines

// True when the input is small enough to be run: at most kMaxInputBytes in
// at most kMaxInputLines lines.
bool WithinBounds(const std::uint8_t* data, std::size_t size);
// The same for a netlist, which besides holds at most kMaxElementLines
// element lines and kMaxProbeMeterLines probe and meter lines. A line longer
// than the reader takes at once counts as the several lines it is read as.
bool NetlistWithinBounds(const std::uint8_t* data, std::size_t size);

// Once per process: silences the engine's progress count and its messages
// (unless VORLAN_FUZZ_SHOW is set, for looking at one input) and makes a
// fresh scratch directory holding a copy of the shipped "setup.sym". The
// directory is removed when the process ends normally.
void PrepareScratch();

// The working directory is the scratch directory while one lives.
class InScratch {
public:
    InScratch();
    ~InScratch();
    InScratch(const InScratch&) = delete;
    InScratch& operator=(const InScratch&) = delete;

private:
    int previous_;
};

// Writes `text` to `name` as it stands (binary).
void WriteScratchFile(const char* name, std::string_view text);
// The shipped "setup.sym" as read at start.
const std::string& ShippedSetup();

// A run of the file engine may refuse its input with a message; an exception
// that reached the run's own guard means a fault inside the engine: abort.
// With VORLAN_FUZZ_SHOW the result, the error text and the script are shown.
void CheckFileRun(int result);

}  // namespace vorlan::fuzz
