// The table of results and the check of the targets, printed after the
// benchmarks ran.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace vorlan::bench {

struct CaseResult {
    std::string family;
    int size = 0;
    int elements = 0;
    bool measured = false;     // the benchmarks of the case ran
    bool timedOut = false;     // one run passed the time guard
    bool notTried = false;     // left out: a smaller size passed the guard
    std::string error;         // the case failed otherwise
    double singleRunSeconds = 0; // the guarded single run
    double runMicros = 0;      // whole run, per iteration
    double expandMicros = 0;   // expansion alone, per iteration
    long detanChars = 0;
    std::size_t heapPeakBytes = 0;
    long rssGrowthKiB = 0;
};

// The markdown table of every case, then the targets with what was measured.
void PrintSummary(std::ostream& out, const std::vector<CaseResult>& cases, unsigned guardSeconds,
                  long processPeakKiB);

}  // namespace vorlan::bench
