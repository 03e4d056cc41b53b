#include "result_lines.h"

#include <cstring>

namespace vorlan::memory {

void ResultLines::clear() {
    while (!lines_.empty()) lines_.pop_back();
    pointers_.reset();
}

void ResultLines::assign(const std::vector<std::string>& lines) {
    clear();
    if (lines.empty()) return;
    lines_.reserve(lines.size());
    auto pointers = std::make_unique<char*[]>(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto line = std::make_unique<char[]>(lines[i].size() + 1);
        std::memcpy(line.get(), lines[i].c_str(), lines[i].size() + 1);
        pointers[i] = line.get();
        lines_.push_back(std::move(line));
    }
    pointers_ = std::move(pointers);
}

}  // namespace vorlan::memory
