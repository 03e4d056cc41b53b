// Where the finished lines of an expression go. The expression buffer keeps
// the break rule and the undo; a sink only stores lines and hands the last
// one back.
#pragma once

#include <string>
#include <string_view>

namespace vorlan {

class LineSink {
public:
    virtual ~LineSink() = default;
    // One wrapped line: 1 to 69 characters, no blank, no line end.
    virtual void write_line(std::string_view line) = 0;
    // Removes the last wrapped line and returns its text; empty when there
    // is none to take back.
    virtual std::string take_back_last_line() = 0;
    // The text of the last wrapped line, left where it is; empty when there
    // is none.
    virtual std::string last_line() = 0;
    // The unwrapped rest of an expression, possibly empty.
    virtual void write_rest(std::string_view rest) = 0;
    // Whether the buffer prints its progress count for this sink.
    virtual bool shows_progress() const { return false; }
};

}  // namespace vorlan
