// Line sink that keeps the expression as lines in memory, unpadded.
#pragma once

#include <string>
#include <vector>

#include "line_sink.h"

namespace vorlan {

class MemoryLineSink final : public LineSink {
public:
    void write_line(std::string_view line) override;
    std::string take_back_last_line() override;
    std::string last_line() override { return lines_.empty() ? std::string() : lines_.back(); }
    void write_rest(std::string_view rest) override;

    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

}  // namespace vorlan
