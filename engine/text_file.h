// Text files with DOS line ends, whatever the host.
//
// Reading turns CR LF into "\n"; writing stores every "\n" as CR LF, so a
// wrapped expression line of 70 characters occupies 72 bytes on disk. The
// position calls work on bytes on disk.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vorlan {

class TextFile {
public:
    enum class Mode { Read, Write, Update };

    TextFile() = default;
    ~TextFile() { close(); }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    TextFile(TextFile&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
    TextFile& operator=(TextFile&& other) noexcept;

    // Read: an existing file. Write: created empty. Update: an existing file
    // for reading and writing, positioned at its start.
    bool open(const std::string& path, Mode mode);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Reads one line as fgets does with a buffer of `maxChars` + 1 bytes: at
    // most `maxChars` characters, with the "\n" when it fits. CR LF counts as
    // one "\n". Returns false at the end of the file with nothing read.
    bool readLine(std::string& line, std::size_t maxChars);
    // Reads up to `maxChars` characters (CR LF as "\n").
    std::string read(std::size_t maxChars);

    void write(std::string_view text);
    void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    long tell();
    void seek(long position);          // from the start
    void seekFromEnd(long offset);     // offset <= 0
    void seekRelative(long offset);
    void flush();

    std::FILE* handle() { return file_; }

private:
    std::FILE* file_ = nullptr;
};

}  // namespace vorlan
