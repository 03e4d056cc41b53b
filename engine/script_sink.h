// Line sink of the analysis script: each wrapped line is padded with blanks
// to 70 characters and ended by CR LF, so it takes 72 bytes on disk.
#pragma once

#include "line_sink.h"
#include "text_file.h"

namespace vorlan {

class ScriptLineSink final : public LineSink {
public:
    static constexpr std::size_t kLineWidth = 70;
    static constexpr long kLineBytes = 72;  // the width plus CR LF

    explicit ScriptLineSink(TextFile& file) : file_(file) {}

    void write_line(std::string_view line) override;
    // Steps back one line, reads its text up to the first blank and leaves
    // the write position at the start of that line.
    std::string take_back_last_line() override;
    std::string last_line() override;
    void write_rest(std::string_view rest) override;
    bool shows_progress() const override { return true; }

private:
    // Reads the line that ends at `end`, up to its first blank.
    std::string read_line_before(long end);

    TextFile& file_;
};

}  // namespace vorlan
