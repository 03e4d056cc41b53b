#include "text_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <vector>

namespace vorlan {

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = other.file_;
        other.file_ = nullptr;
    }
    return *this;
}

bool TextFile::open(const std::string& path, Mode mode) {
    close();
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "r+b";
    file_ = std::fopen(path.c_str(), how);
    // A folder opens for reading but holds no text: it is no file to use.
    struct stat info {};
    if (file_ && fstat(fileno(file_), &info) == 0 && S_ISDIR(info.st_mode)) {
        close();
        errno = EISDIR;
    }
    return file_ != nullptr;
}

void TextFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

namespace {

// Next character with CR LF folded into "\n"; EOF at the end.
int GetFolded(std::FILE* f) {
    int c = std::fgetc(f);
    if (c == '\r') {
        int next = std::fgetc(f);
        if (next == '\n') return '\n';
        if (next != EOF) std::ungetc(next, f);
    }
    return c;
}

}  // namespace

bool TextFile::readLine(std::string& line, std::size_t maxChars) {
    line.clear();
    if (!file_) return false;
    while (line.size() < maxChars) {
        int c = GetFolded(file_);
        if (c == EOF) break;
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

std::string TextFile::read(std::size_t maxChars) {
    std::string text;
    if (!file_) return text;
    while (text.size() < maxChars) {
        int c = GetFolded(file_);
        if (c == EOF) break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

void TextFile::write(std::string_view text) {
    if (!file_) return;
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        std::fwrite(text.data() + from, 1, i - from, file_);
        std::fwrite("\r\n", 1, 2, file_);
        from = i + 1;
    }
    std::fwrite(text.data() + from, 1, text.size() - from, file_);
}

void TextFile::printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n > 0) {
        std::vector<char> text(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        write(std::string_view(text.data(), static_cast<std::size_t>(n)));
    }
    va_end(again);
}

long TextFile::tell() { return file_ ? std::ftell(file_) : -1; }
void TextFile::seek(long position) {
    if (file_) std::fseek(file_, position, SEEK_SET);
}
void TextFile::seekFromEnd(long offset) {
    if (file_) std::fseek(file_, offset, SEEK_END);
}
void TextFile::seekRelative(long offset) {
    if (file_) std::fseek(file_, offset, SEEK_CUR);
}
void TextFile::flush() {
    if (file_) std::fflush(file_);
}

}  // namespace vorlan
