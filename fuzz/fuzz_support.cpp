#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "messages.h"
#include "state.h"

namespace vorlan::fuzz {

namespace {

std::filesystem::path& ScratchPath() {
    static std::filesystem::path path;
    return path;
}

std::string& SetupText() {
    static std::string text;
    return text;
}

[[noreturn]] void Die(const std::string& why) {
    std::fprintf(stderr, "fuzz harness: %s\n", why.c_str());
    std::abort();
}

void RemoveScratch() {
    std::error_code ignored;
    if (!ScratchPath().empty()) std::filesystem::remove_all(ScratchPath(), ignored);
}

}  // namespace

bool WithinBounds(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInputBytes) return false;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && ++lines > kMaxInputLines) return false;
    }
    return true;
}

bool NetlistWithinBounds(const std::uint8_t* data, std::size_t size) {
    if (!WithinBounds(data, size)) return false;
    // A piece of a line is read as a line of its own after this many
    // characters (fewer than the reader's, to count on the safe side).
    constexpr std::size_t kPiece = 98;
    std::size_t pieces = 0, elements = 0, probesAndMeters = 0;
    for (std::size_t i = 0, column = 0; i < size; ++i, ++column) {
        if (data[i] == '\n') {
            column = std::size_t(-1);
            continue;
        }
        if (column % kPiece != 0) continue;
        if (++pieces > kMaxInputLines) return false;
        const char first = static_cast<char>(data[i]);
        if (first != '\0' && std::strchr("UuIiVvAa", first)) {
            if (++probesAndMeters > kMaxProbeMeterLines) return false;
        } else if (first != '\0' && std::strchr("RrgCcLlGKkFfHhEeJjNn", first)) {
            if (++elements > kMaxElementLines) return false;
        }
    }
    return true;
}

void PrepareScratch() {
    // The progress count goes to standard output and the messages to
    // standard error, where the fuzzer reports.
    if (!std::getenv("VORLAN_FUZZ_SHOW")) {
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            std::fflush(stdout);
            dup2(null, STDOUT_FILENO);
            close(null);
        }
        SetMessageHook([](std::string_view, std::string_view) {});
    }

    std::ifstream setup(VORLAN_SETUP_SYM, std::ios::binary);
    if (!setup) Die("cannot read " VORLAN_SETUP_SYM);
    SetupText().assign(std::istreambuf_iterator<char>(setup), std::istreambuf_iterator<char>());

    std::string pattern = (std::filesystem::temp_directory_path() / "vorlan-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Die("cannot make a scratch directory");
    ScratchPath() = pattern;
    std::atexit(RemoveScratch);

    InScratch here;
    WriteScratchFile("setup.sym", SetupText());
}

InScratch::InScratch() : previous_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (previous_ < 0 || chdir(ScratchPath().c_str()) != 0) Die("cannot enter the scratch directory");
}

InScratch::~InScratch() {
    if (fchdir(previous_) != 0) Die("cannot leave the scratch directory");
    close(previous_);
}

void WriteScratchFile(const char* name, std::string_view text) {
    std::FILE* file = std::fopen(name, "wb");
    if (!file) Die(std::string("cannot write ") + name);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        Die(std::string("cannot write ") + name);
    }
    std::fclose(file);
}

const std::string& ShippedSetup() { return SetupText(); }

void CheckFileRun(int result) {
    const EngineState& engine = Engine();
    if (std::getenv("VORLAN_FUZZ_SHOW")) {
        std::fprintf(stderr, "result %d: %s\n", result, engine.ErrorText);
        std::ifstream script("out", std::ios::binary);
        std::fprintf(stderr, "%s\n", std::string(std::istreambuf_iterator<char>(script), {}).c_str());
    }
    if (result != 0 && engine.FailureReason.empty()) {
        Die(std::string("the run stopped on an exception: ") + engine.ErrorText);
    }
}

}  // namespace vorlan::fuzz
