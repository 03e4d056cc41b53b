#include "run.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <string_view>

#include "drivers.h"
#include "reader.h"
#include "state.h"

namespace vorlan {

namespace {

constexpr int kTailLineWidth = 70;

void SetErrorText(std::string_view text) {
    char (&error)[sizeof EngineState::ErrorText] = Engine().ErrorText;
    const std::size_t n = text.size() < sizeof error - 1 ? text.size() : sizeof error - 1;
    std::memcpy(error, text.data(), n);
    std::memset(error + n, 0, sizeof error - n);
}

// The expansions of one read netlist, in script order.
void WriteAnalysis(NetlistTables& t) {
    const int sCount = t.SNodeCount;
    WriteDeterminant(sCount, t.SNodes.data(), t.MainTwoTerminals, t.MainFourTerminals, t.ProbeList);
    if (Engine().settings.RequireNonzeroDet != 0) {
        if (WriteDeterminant(sCount, t.SNodes.data(), t.MainTwoTerminals, t.MainFourTerminals, t.ProbeList))
            WriteTransferFunctions(sCount, t.SNodes.data(), t.MainTwoTerminals, t.MainFourTerminals, t.ProbeList);
    } else if (!t.ProbeList.empty()) {
        WriteTransferFunctions(sCount, t.SNodes.data(), t.MainTwoTerminals, t.MainFourTerminals, t.ProbeList);
    }
    FreeTwoTerminals(t.MainTwoTerminals);
    FreeFourTerminals(t.MainFourTerminals);
    if (!t.FlaggedIndices.empty() &&
        WriteFlaggedDeterminant(sCount, t.SNodes.data(), t.FlaggedTwoTerminals, t.FlaggedFourTerminals,
                                t.FlaggedIndices, t.MeterList))
        WriteFlaggedFunctions(sCount, t.SNodes.data(), t.FlaggedTwoTerminals, t.FlaggedFourTerminals,
                              t.FlaggedIndices, t.MeterList);
}

}  // namespace

TimeOfDay ReadLocalClock() {
    std::timespec now{};
    std::timespec_get(&now, TIME_UTC);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    TimeOfDay t;
    t.hours = static_cast<std::uint8_t>(local.tm_hour);
    t.minutes = static_cast<std::uint8_t>(local.tm_min);
    t.seconds = static_cast<std::uint8_t>(local.tm_sec);
    t.hundredths = static_cast<std::uint8_t>(now.tv_nsec / 10'000'000);
    return t;
}

TimeOfDay ElapsedTime(TimeOfDay start, TimeOfDay end) {
    // 8-bit arithmetic throughout, as the clock fields are kept.
    auto add = [](std::uint8_t& field, int amount) { field = static_cast<std::uint8_t>(field + amount); };
    if (end.hundredths < start.hundredths) {
        add(start.seconds, 1);
        add(end.hundredths, 100);
    }
    if (end.seconds < start.seconds) {
        add(start.minutes, 1);
        add(end.seconds, 60);
    }
    if (end.minutes < start.minutes) {
        add(start.hours, 1);
        add(end.minutes, 60);
    }
    if (end.hours < start.hours) add(end.hours, 24);
    TimeOfDay elapsed;
    elapsed.hours = static_cast<std::uint8_t>(end.hours - start.hours);
    elapsed.minutes = static_cast<std::uint8_t>(end.minutes - start.minutes);
    elapsed.seconds = static_cast<std::uint8_t>(end.seconds - start.seconds);
    elapsed.hundredths = static_cast<std::uint8_t>(end.hundredths - start.hundredths);
    return elapsed;
}

std::string TimeLineText(TimeOfDay elapsed) {
    char text[96];
    std::snprintf(text, sizeof text, "\n\n%% Execution time: %02d hour %02d min. %02d.%02d sec.                    \n",
                  elapsed.hours, elapsed.minutes, elapsed.seconds, elapsed.hundredths);
    return text;
}

void WriteTailPadding(TextFile& script) {
    const long p = script.tell();
    script.seekFromEnd(-1);
    const long e = script.tell();
    const long n = e - p;  // stale bytes behind p, minus one
    script.seek(p);
    const std::string blanks(kTailLineWidth, ' ');
    for (long line = 0; line < n / kTailLineWidth + 1; ++line) {
        script.write(blanks);
        script.write("\n");
    }
}

int RunMain(const char* netlist, const char* script, ClockReader clock) {
    EngineState& engine = Engine();
    engine.NetlistPath = netlist ? netlist : "";
    engine.ScriptPath = script ? script : "";
    engine.FailureReason.clear();
    SetErrorText("No errors.");
    const TimeOfDay start = clock();
    try {
        NetlistTables tables;
        if (ReadNetlist(tables) != 0) {
            engine.ScriptFile.close();
            SetErrorText(engine.FailureReason.empty() ? std::string_view("The netlist was not read.")
                                                      : std::string_view(engine.FailureReason));
            return 1;
        }
        WriteAnalysis(tables);
    } catch (const std::exception& e) {
        // Nothing may escape into the caller of the library.
        engine.ScriptFile.close();
        SetErrorText(e.what());
        return 1;
    }
    engine.ScriptFile.write(TimeLineText(ElapsedTime(start, clock())));
    WriteTailPadding(engine.ScriptFile);
    engine.ScriptFile.close();
    return 0;
}

}  // namespace vorlan
