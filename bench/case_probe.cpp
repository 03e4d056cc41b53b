#include "case_probe.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "heap_counter.h"

namespace vorlan::bench {

namespace {

// What the child sends back through the pipe.
struct ChildReport {
    double seconds;
    std::size_t heapPeakBytes;
    long rssGrowthKiB;
};

long ResidentKiB() {
    long size = 0;
    long resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

[[noreturn]] void RunChild(const std::function<void()>& work, int out) {
    // The child's peak resident set starts at what it inherited.
    const long residentBefore = ResidentKiB();
    StartHeapCount();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    ChildReport report{std::chrono::duration<double>(end - start).count(), HeapPeakBytes(),
                       usage.ru_maxrss > residentBefore ? usage.ru_maxrss - residentBefore : 0};
    const ssize_t written = write(out, &report, sizeof report);
    _exit(written == static_cast<ssize_t>(sizeof report) ? 0 : 1);
}

}  // namespace

ProbeResult ProbeOnce(const std::function<void()>& work, unsigned guardSeconds) {
    ProbeResult result;
    int fds[2];
    if (pipe(fds) != 0) {
        result.error = std::string("pipe: ") + std::strerror(errno);
        return result;
    }
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t child = fork();
    if (child < 0) {
        result.error = std::string("fork: ") + std::strerror(errno);
        close(fds[0]);
        close(fds[1]);
        return result;
    }
    if (child == 0) {
        close(fds[0]);
        alarm(guardSeconds);  // the default action of SIGALRM ends the child
        RunChild(work, fds[1]);
    }
    close(fds[1]);
    ChildReport report{};
    std::size_t got = 0;
    while (got < sizeof report) {
        const ssize_t n = read(fds[0], reinterpret_cast<char*>(&report) + got, sizeof report - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        result.status = ProbeResult::Status::TimedOut;
        result.seconds = guardSeconds;
    } else if (got == sizeof report && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        result.status = ProbeResult::Status::Done;
        result.seconds = report.seconds;
        result.heapPeakBytes = report.heapPeakBytes;
        result.rssGrowthKiB = report.rssGrowthKiB;
    } else if (WIFSIGNALED(status)) {
        result.error = std::string("the run died of signal ") + strsignal(WTERMSIG(status));
    } else {
        result.error = "the run ended the process (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    }
    return result;
}

}  // namespace vorlan::bench
