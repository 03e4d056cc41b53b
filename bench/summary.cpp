#include "summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace vorlan::bench {

namespace {

std::string Format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string Duration(double micros) {
    if (micros < 1000) return Format("%.3g µs", micros);
    if (micros < 1e6) return Format("%.3g ms", micros / 1e3);
    return Format("%.3g s", micros / 1e6);
}

std::string KiB(double bytes) { return Format("%.0f KiB", std::ceil(bytes / 1024)); }

// Least-squares line through (x, y): slope and intercept.
struct Line {
    double slope = 0;
    double intercept = 0;
};
Line Fit(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double d = n * sxx - sx * sx;
    if (x.size() < 2 || d == 0) return {};
    Line l;
    l.slope = (n * sxy - sx * sy) / d;
    l.intercept = (sy - l.slope * sx) / n;
    return l;
}

std::vector<const CaseResult*> Family(const std::vector<CaseResult>& cases, std::string_view family,
                                      int minSize = 0) {
    std::vector<const CaseResult*> out;
    for (const CaseResult& c : cases)
        if (c.family == family && c.measured && c.size >= minSize) out.push_back(&c);
    return out;
}

const CaseResult* Find(const std::vector<CaseResult>& cases, std::string_view family, int size) {
    for (const CaseResult& c : cases)
        if (c.family == family && c.size == size && c.measured) return &c;
    return nullptr;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

void PrintTable(std::ostream& out, const std::vector<CaseResult>& cases, unsigned guardSeconds) {
    out << "| case | elements | whole run | expansion alone | \"detan=\" chars | expansion per char | heap peak | "
           "RSS growth |\n"
        << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const CaseResult& c : cases) {
        out << "| " << c.family << '/' << c.size << " | " << c.elements << " | ";
        if (c.notTried) {
            out << "not tried (smaller size over the guard) | | | | | |\n";
        } else if (c.timedOut) {
            out << "> " << guardSeconds << " s (guard) | | | | | |\n";
        } else if (!c.error.empty()) {
            out << "failed: " << c.error << " | | | | | |\n";
        } else if (!c.measured) {
            out << "not run | | | | | |\n";
        } else {
            out << Duration(c.runMicros) << " | " << Duration(c.expandMicros) << " | " << c.detanChars << " | "
                << (c.detanChars > 0 ? Format("%.0f ns", 1000 * c.expandMicros / c.detanChars) : std::string("-"))
                << " | " << KiB(static_cast<double>(c.heapPeakBytes)) << " | " << c.rssGrowthKiB << " KiB |\n";
        }
    }
}

void PrintLadderTargets(std::ostream& out, const std::vector<CaseResult>& cases) {
    if (const CaseResult* c = Find(cases, "rc_ladder", 16))
        out << "- 16-section RC ladder: " << Duration(c->runMicros) << " per whole run (target < 1 ms), "
            << c->detanChars << " chars (target <= 1000): " << Verdict(c->runMicros < 1000 && c->detanChars <= 1000)
            << "\n";
    else
        out << "- 16-section RC ladder: not measured (target < 1 ms, <= 1000 chars): MISSED\n";
    if (const CaseResult* c = Find(cases, "rc_ladder", 49))
        out << "- 49-section RC ladder: " << Duration(c->runMicros) << " per whole run (target < 5 ms): "
            << Verdict(c->runMicros < 5000) << "\n";
    else
        out << "- 49-section RC ladder: not measured within the guard (target < 5 ms): MISSED\n";
    for (std::string_view family : {"rc_ladder", "gc_ladder"}) {
        const auto all = Family(cases, family);
        if (all.size() < 3) continue;
        std::vector<double> n, chars, logChars, logTime, logElements;
        for (const CaseResult* c : all) {
            n.push_back(c->size);
            chars.push_back(static_cast<double>(c->detanChars));
            logChars.push_back(std::log(static_cast<double>(c->detanChars)));
            logTime.push_back(std::log(c->runMicros));
            logElements.push_back(std::log(c->elements));
        }
        const Line line = Fit(n, chars);
        double worst = 0;
        for (std::size_t i = 0; i < n.size(); ++i)
            worst = std::max(worst, std::fabs(line.slope * n[i] + line.intercept - chars[i]) / chars[i]);
        out << "- " << family << " expression length over " << all.front()->size << ".." << all.back()->size
            << " sections: best line " << Format("%.1f", line.slope) << " chars per section, largest deviation "
            << Format("%.0f", 100 * worst) << " %; as a power ~ elements^"
            << Format("%.2f", Fit(logElements, logChars).slope)
            << ", as an exponential x" << Format("%.2f", std::exp(Fit(n, logChars).slope)) << " per section: "
            << (worst < 0.05 ? "linear, met" : "NOT linear, MISSED") << "\n";
        const double p = Fit(logElements, logTime).slope;
        out << "- " << family << " time growth over " << all.front()->elements << ".." << all.back()->elements
            << " elements: run time ~ elements^" << Format("%.2f", p) << " (target at most cubic), as an exponential x"
            << Format("%.2f", std::exp(Fit(n, logTime).slope)) << " per section: " << Verdict(p <= 3) << "\n";
    }
}

void PrintMemoryTargets(std::ostream& out, const std::vector<CaseResult>& cases, long processPeakKiB) {
    const CaseResult* longest = nullptr;
    long rssMax = 0;
    std::size_t heapMax = 0;
    for (const CaseResult& c : cases) {
        if (!c.measured) continue;
        if (!longest || c.detanChars > longest->detanChars) longest = &c;
        rssMax = std::max(rssMax, c.rssGrowthKiB);
        heapMax = std::max(heapMax, c.heapPeakBytes);
    }
    if (!longest) return;
    out << "- memory: largest heap peak of a run " << KiB(static_cast<double>(heapMax))
        << ", largest resident-set growth of a run " << rssMax << " KiB (target a few MiB): "
        << Verdict(rssMax <= 4096 && heapMax <= 4u << 20) << "; the benchmark process itself peaked at "
        << processPeakKiB << " KiB, holding its own copies of the longest expressions to compare them\n";
    out << "- memory against expression length: the longest expression (" << longest->family << '/'
        << longest->size << ", " << longest->detanChars << " chars) ran with a heap peak of "
        << KiB(static_cast<double>(longest->heapPeakBytes)) << ": ";
    if (longest->detanChars < 64 * 1024)
        out << "too short to tell\n";
    else
        out << (static_cast<double>(longest->heapPeakBytes) < 0.25 * static_cast<double>(longest->detanChars)
                    ? "flat, met"
                    : "NOT flat, MISSED")
            << "\n";
}

}  // namespace

void PrintSummary(std::ostream& out, const std::vector<CaseResult>& cases, unsigned guardSeconds,
                  long processPeakKiB) {
    out << "\n";
    PrintTable(out, cases, guardSeconds);
    out << "\n";
    if (const CaseResult* c = Find(cases, "grid", 4))
        out << "- 4x4 resistive grid: " << Duration(c->runMicros) << " per whole run (target < 100 ms): "
            << Verdict(c->runMicros < 100'000) << "\n";
    PrintLadderTargets(out, cases);
    PrintMemoryTargets(out, cases, processPeakKiB);
    out << "- one run over 1 s:";
    bool any = false;
    for (const CaseResult& c : cases) {
        if (c.notTried) continue;
        if (c.timedOut || (c.singleRunSeconds > 1 && c.error.empty())) {
            out << (any ? ", " : " ") << c.family << '/' << c.size << " ("
                << (c.timedOut ? "> " + std::to_string(guardSeconds) + " s" : Duration(c.singleRunSeconds * 1e6))
                << ")";
            any = true;
        }
    }
    out << (any ? "\n" : " none\n");
}

}  // namespace vorlan::bench
