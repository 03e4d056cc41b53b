#include "script_sink.h"

namespace vorlan {

void ScriptLineSink::write_line(std::string_view line) {
    file_.write(line);
    if (line.size() < kLineWidth) file_.write(std::string(kLineWidth - line.size(), ' '));
    file_.write("\n");
}

std::string ScriptLineSink::read_line_before(long end) {
    file_.seek(end - kLineBytes);
    std::string line = file_.read(kLineWidth);
    const std::size_t blank = line.find(' ');
    if (blank != std::string::npos) line.resize(blank);
    return line;
}

std::string ScriptLineSink::take_back_last_line() {
    const long end = file_.tell();
    if (end < kLineBytes) return {};
    std::string line = read_line_before(end);
    file_.seek(end - kLineBytes);  // later writes go over the line taken back
    return line;
}

std::string ScriptLineSink::last_line() {
    const long end = file_.tell();
    if (end < kLineBytes) return {};
    std::string line = read_line_before(end);
    file_.seek(end);
    return line;
}

void ScriptLineSink::write_rest(std::string_view rest) { file_.write(rest); }

}  // namespace vorlan
