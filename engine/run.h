// One run of the engine: from a circuit netlist file to a finished analysis
// script, and the pieces of its end (the time line and the tail).
#pragma once

#include <cstdint>
#include <string>

#include "text_file.h"

namespace vorlan {

// A time of day as the run reads it from the local clock.
struct TimeOfDay {
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    std::uint8_t hundredths = 0;
};

// The clock the run reads; tests give their own times.
using ClockReader = TimeOfDay (*)();

TimeOfDay ReadLocalClock();

// end - start field by field, borrowing hundredths from seconds, seconds
// from minutes, minutes from hours, and a day when the hours went back.
TimeOfDay ElapsedTime(TimeOfDay start, TimeOfDay end);

// The comment line with the elapsed time, with its two leading line ends.
std::string TimeLineText(TimeOfDay elapsed);

// Blanks whatever stale text lies behind the current position of `script`
// (lines of 70 blanks, at least one); the file is never truncated.
void WriteTailPadding(TextFile& script);

// The whole run behind _run_main. Returns 0 when the script was written, 1
// when the run stopped; Engine().ErrorText then tells why.
int RunMain(const char* netlist, const char* script, ClockReader clock = ReadLocalClock);

}  // namespace vorlan
