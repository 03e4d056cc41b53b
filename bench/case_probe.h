// One run of a piece of work in a child process, under a time limit, with
// what it cost: the time, the heap high-water mark and the growth of the
// resident set. The child keeps whatever the work does to the process's
// memory away from the parent's measurements, and a run that would take
// too long is simply killed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace vorlan::bench {

struct ProbeResult {
    enum class Status { Done, TimedOut, Failed };
    Status status = Status::Failed;
    double seconds = 0;           // wall time of the one run
    std::size_t heapPeakBytes = 0; // heap held at the peak beyond what was held before
    long rssGrowthKiB = 0;        // peak resident set beyond the resident set before
    std::string error;            // for Failed
};

// Runs `work` once in a forked child; a child still busy after
// `guardSeconds` is killed and reported as TimedOut.
ProbeResult ProbeOnce(const std::function<void()>& work, unsigned guardSeconds);

}  // namespace vorlan::bench
