#include "script_sink.h"

namespace vorlan {

void ScriptLineSink::write_line(std::string_view line) {
    file_.write(line);
    if (line.size() < kLineWidth) file_.write(std::string(kLineWidth - line.size(), ' '));
    file_.write("\n");
}

std::string ScriptLineSink::take_back_last_line() {
    const long end = file_.tell();
    if (end < kLineBytes) return {};
    const long start = end - kLineBytes;
    file_.seek(start);
    std::string line = file_.read(kLineWidth);
    const std::size_t blank = line.find(' ');
    if (blank != std::string::npos) line.resize(blank);
    file_.seek(start);  // later writes go over the line taken back
    return line;
}

void ScriptLineSink::write_rest(std::string_view rest) { file_.write(rest); }

}  // namespace vorlan
