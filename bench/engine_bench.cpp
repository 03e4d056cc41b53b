// Speed and memory of the engine over families of circuits.
//
// For every circuit two benchmarks run: "run/<case>" times one whole
// _run_main of Velmorad1 from the netlist file to the script file, and
// "expand/<case>" times ExpandDeterminant alone on the lists the
// determinant is expanded from, its text going to a memory sink. Before
// its first timing each case runs once in a child process under a time
// guard, which gives the heap and resident-set peaks of one run and keeps
// circuits that would run too long from stalling the program. The program
// ends with a table of all cases and the check of the targets.
//
// Options besides Google Benchmark's own: --guard_seconds=N (default 10).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "case_probe.h"
#include "circuit_families.h"
#include "driver_lists.h"
#include "expansion.h"
#include "expression_buffer.h"
#include "memory_sink.h"
#include "reader.h"
#include "state.h"
#include "summary.h"
#include "velmorad1.h"

namespace vorlan::bench {

namespace {

namespace fs = std::filesystem;

// A fresh directory with the shipped setup.sym, made the working directory
// for the life of the object; removed with everything in it afterwards.
class BenchDirectory {
public:
    BenchDirectory() : previous_(fs::current_path()) {
        std::string pattern = (fs::temp_directory_path() / "vorlan-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        path_ = pattern;
        fs::copy_file(VORLAN_SETUP_SYM, path_ / "setup.sym");
        fs::current_path(path_);
    }
    ~BenchDirectory() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(path_, ignored);
    }
    BenchDirectory(const BenchDirectory&) = delete;
    BenchDirectory& operator=(const BenchDirectory&) = delete;

private:
    fs::path previous_;
    fs::path path_;
};

// The engine prints a progress count to standard output while long
// expressions go out; it is sent to /dev/null, and the report goes to the
// original standard output through a stream of its own.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ < 0 || null < 0) throw std::runtime_error("cannot redirect standard output");
        dup2(null, STDOUT_FILENO);
        close(null);
        report_.open("/proc/self/fd/" + std::to_string(saved_));
    }
    ~QuietStdout() {
        report_.close();
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

    std::ostream& report() { return report_; }
    bool colorTerminal() const { return isatty(saved_) != 0; }

private:
    int saved_ = -1;
    std::ofstream report_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The "detan=" expression of a script: the text between the block's head
// and its ";", without line ends and padding.
std::string DetanOfScript(const std::string& script) {
    static const std::string kHead = "detan= \r\n";
    const std::size_t head = script.find(kHead);
    if (head == std::string::npos) return {};
    const std::size_t end = script.find(';', head);
    std::string expression;
    for (std::size_t i = head + kHead.size(); i < end && i < script.size(); ++i)
        if (script[i] != ' ' && script[i] != '\r' && script[i] != '\n') expression.push_back(script[i]);
    return expression;
}

// The lists WriteDeterminant expands, read by this program's own copy of
// the engine from the same netlist file.
struct PreparedCase {
    NetlistTables tables;
    PreparedLists lists;
};

std::optional<PreparedCase> Prepare(const std::string& netlist, const std::string& scratchScript) {
    EngineState& engine = Engine();
    engine.NetlistPath = netlist;
    engine.ScriptPath = scratchScript;
    PreparedCase prepared;
    const int failed = ReadNetlist(prepared.tables);
    engine.ScriptFile.close();
    if (failed) return std::nullopt;
    prepared.lists =
        DeterminantLists(prepared.tables.MainTwoTerminals, prepared.tables.MainFourTerminals, prepared.tables.ProbeList);
    return prepared;
}

// One expansion of the prepared lists into `sink`; returns the expression.
std::string ExpandOnce(const PreparedCase& prepared, MemoryLineSink& sink) {
    ExpressionBuffer& buffer = Engine().buffer;
    sink.clear();
    buffer.start_expression();
    SNodeArray sNodes = prepared.tables.SNodes;  // the expansion renames S nodes in place
    ExpandDeterminant(CircuitLists{prepared.tables.SNodeCount, sNodes.data(), prepared.lists.two,
                                   prepared.lists.four});
    buffer.write_rest();
    std::string text;
    for (const std::string& line : sink.lines()) text += line;
    return text;
}

struct Case {
    BenchCircuit circuit;
    const Case* smaller = nullptr;  // the size before it in its family
    std::string netlistPath;
    std::string scriptPath;
    std::optional<ProbeResult> probe;
    CaseResult result;
};

unsigned guard_seconds = 10;

// The guarded single run of a case, made once. A size whose smaller
// neighbour already passed the guard is not tried: the families grow.
const ProbeResult& Probe(Case& c) {
    if (!c.probe) {
        CaseResult& r = c.result;
        if (c.smaller && c.smaller->result.timedOut) {
            c.probe = ProbeResult{ProbeResult::Status::TimedOut, static_cast<double>(guard_seconds), 0, 0, {}};
            r.timedOut = true;
            r.notTried = true;
            return *c.probe;
        }
        c.probe = ProbeOnce([&c] { _run_main(c.netlistPath.c_str(), c.scriptPath.c_str()); }, guard_seconds);
        r.singleRunSeconds = c.probe->seconds;
        r.heapPeakBytes = c.probe->heapPeakBytes;
        r.rssGrowthKiB = c.probe->rssGrowthKiB;
        r.timedOut = c.probe->status == ProbeResult::Status::TimedOut;
        if (c.probe->status == ProbeResult::Status::Failed) r.error = c.probe->error;
    }
    return *c.probe;
}

bool SkipUnrunnable(benchmark::State& state, Case& c) {
    const ProbeResult& probe = Probe(c);
    if (probe.status == ProbeResult::Status::TimedOut) {
        state.SkipWithError(c.result.notTried ? "not tried: a smaller size passed the time guard"
                                              : ("one run takes over " + std::to_string(guard_seconds) + " s").c_str());
        return true;
    }
    if (probe.status == ProbeResult::Status::Failed) {
        state.SkipWithError(probe.error.c_str());
        return true;
    }
    return false;
}

void BenchWholeRun(benchmark::State& state, Case* c) {
    if (SkipUnrunnable(state, *c)) return;
    for (auto _ : state) benchmark::DoNotOptimize(_run_main(c->netlistPath.c_str(), c->scriptPath.c_str()));
    const std::string detan = DetanOfScript(ReadFile(c->scriptPath));
    state.counters["elements"] = c->circuit.elements;
    state.counters["detan_chars"] = static_cast<double>(detan.size());
    state.counters["heap_peak_KiB"] = static_cast<double>(c->result.heapPeakBytes) / 1024;
    state.counters["rss_growth_KiB"] = static_cast<double>(c->result.rssGrowthKiB);
}

void BenchExpansion(benchmark::State& state, Case* c) {
    if (SkipUnrunnable(state, *c)) return;
    const std::optional<PreparedCase> prepared = Prepare(c->netlistPath, "prepare.out");
    if (!prepared) {
        state.SkipWithError("the netlist was not read");
        return;
    }
    MemoryLineSink sink;
    SinkAttachment attachment(Engine().buffer, sink);
    std::string text;
    for (auto _ : state) {
        text = ExpandOnce(*prepared, sink);
        benchmark::DoNotOptimize(text.data());
    }
    // The expansion alone must give the text of the whole run's "detan=".
    std::string fromRun = DetanOfScript(ReadFile(c->scriptPath));
    if (fromRun == " 0" || fromRun == "0") fromRun.clear();
    if (text != fromRun) {
        c->result.error = "expansion alone differs from the script";
        state.SkipWithError(c->result.error.c_str());
        return;
    }
    c->result.detanChars = static_cast<long>(text.size());
    state.counters["detan_chars"] = static_cast<double>(text.size());
}

// Keeps the time per iteration of every benchmark for the summary.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    // Counters go on each line as name=value: the two kinds of benchmark
    // carry different counters, which a table would break up.
    explicit CollectingReporter(bool color) : ConsoleReporter(color ? OO_Color : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            times_[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        }
    }
    // The median over the repetitions, in microseconds; 0 when it didn't run.
    double micros(const std::string& name) const {
        const auto it = times_.find(name);
        if (it == times_.end() || it->second.empty()) return 0;
        std::vector<double> t = it->second;
        std::sort(t.begin(), t.end());
        return t[t.size() / 2];
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

unsigned GuardFromArguments(int argc, char** argv) {
    const std::string flag = "--guard_seconds=";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(flag, 0) == 0) return static_cast<unsigned>(std::stoul(arg.substr(flag.size())));
    }
    return 10;
}

int Main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    guard_seconds = GuardFromArguments(argc, argv);

    BenchDirectory directory;
    QuietStdout quiet;

    std::vector<std::unique_ptr<Case>> cases;
    for (BenchCircuit& circuit : AllBenchCircuits()) {
        auto c = std::make_unique<Case>();
        const std::string stem = circuit.family + "_" + std::to_string(circuit.size);
        c->netlistPath = stem + ".cir";
        c->scriptPath = stem + ".out";
        std::ofstream(c->netlistPath, std::ios::binary) << circuit.netlist;
        c->result.family = circuit.family;
        c->result.size = circuit.size;
        c->result.elements = circuit.elements;
        c->circuit = std::move(circuit);
        if (!cases.empty() && cases.back()->circuit.family == c->circuit.family) c->smaller = cases.back().get();
        cases.push_back(std::move(c));
    }
    for (const auto& c : cases) {
        const std::string name = c->circuit.name();
        benchmark::RegisterBenchmark(("run/" + name).c_str(), BenchWholeRun, c.get())
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("expand/" + name).c_str(), BenchExpansion, c.get())
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }

    CollectingReporter reporter(quiet.colorTerminal());
    reporter.SetOutputStream(&quiet.report());
    reporter.SetErrorStream(&quiet.report());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::vector<CaseResult> results;
    for (const auto& c : cases) {
        CaseResult r = c->result;
        r.runMicros = reporter.micros("run/" + c->circuit.name());
        r.expandMicros = reporter.micros("expand/" + c->circuit.name());
        r.measured = r.error.empty() && !r.timedOut && r.runMicros > 0 && r.expandMicros > 0;
        if (c->probe || r.measured) results.push_back(r);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    PrintSummary(quiet.report(), results, guard_seconds, usage.ru_maxrss);
    return 0;
}

}  // namespace

}  // namespace vorlan::bench

int main(int argc, char** argv) { return vorlan::bench::Main(argc, argv); }
