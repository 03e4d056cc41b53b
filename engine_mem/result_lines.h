// The lines a call hands back: one heap string per line and an array of
// pointers to them, owned here until the next call frees them.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vorlan::memory {

class ResultLines {
public:
    // Frees every line, the last first, then the array; the count becomes 0.
    void clear();
    // Replaces the lines by copies of `lines`, each NUL-terminated.
    void assign(const std::vector<std::string>& lines);

    int count() const { return static_cast<int>(lines_.size()); }
    // The array of `count()` line pointers; null when there are none.
    char** data() const { return pointers_.get(); }

private:
    std::vector<std::unique_ptr<char[]>> lines_;
    std::unique_ptr<char*[]> pointers_;
};

}  // namespace vorlan::memory
