#include "memory_sink.h"

namespace vorlan {

void MemoryLineSink::write_line(std::string_view line) { lines_.emplace_back(line); }

std::string MemoryLineSink::take_back_last_line() {
    if (lines_.empty()) return {};
    std::string line = std::move(lines_.back());
    lines_.pop_back();
    return line;
}

void MemoryLineSink::write_rest(std::string_view rest) { lines_.emplace_back(rest); }

}  // namespace vorlan
