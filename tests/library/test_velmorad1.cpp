// Velmorad1 through its three exports, loaded with dlopen by its path.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "velmorad1.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

class Velmorad1 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = dlopen(VELMORAD1_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        run_main_ = reinterpret_cast<decltype(&_run_main)>(dlsym(library_, "_run_main"));
        get_error_str_ = reinterpret_cast<decltype(&_GetErrorStr)>(dlsym(library_, "_GetErrorStr"));
        fuck_ = reinterpret_cast<decltype(&_Fuck)>(dlsym(library_, "_Fuck"));
    }
    static void TearDownTestSuite() {
        if (library_) dlclose(library_);
        library_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(run_main_, nullptr);
        ASSERT_NE(get_error_str_, nullptr);
        ASSERT_NE(fuck_, nullptr);
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vorlan_lib_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    static inline void* library_ = nullptr;
    static inline decltype(&_run_main) run_main_ = nullptr;
    static inline decltype(&_GetErrorStr) get_error_str_ = nullptr;
    static inline decltype(&_Fuck) fuck_ = nullptr;
    fs::path home_, dir_;
};

// One test, in this order: the error text is empty only before the first run.
TEST_F(Velmorad1, RunsReportSuccessAndFailureThroughTheErrorText) {
    EXPECT_STREQ(get_error_str_(), "");
    fuck_();
    EXPECT_STREQ(get_error_str_(), "");

    Write("cir", "Circuit 1\nR1 1 0 1000\n.end\n");

    // No settings file in the working directory: nothing is written.
    EXPECT_NE(run_main_("cir", "out"), 0);
    EXPECT_STREQ(get_error_str_(), "Cannot open setup.sym file!");
    EXPECT_FALSE(fs::exists("out"));

    fs::copy_file(VORLAN_SETUP_SYM, "setup.sym");
    EXPECT_EQ(run_main_("cir", "out"), 0);
    EXPECT_STREQ(get_error_str_(), "No errors.");
    const std::string script = Bytes("out");
    EXPECT_EQ(script.rfind("% Circuit 1\r\n\r\nR1=1000;\r\n\r\ndetan= \r\n", 0), 0u) << script;
    EXPECT_NE(script.find("\r\n\r\n% Execution time: "), std::string::npos);
    EXPECT_EQ(script.substr(script.size() - 72), std::string(70, ' ') + "\r\n");

    // The netlist is missing: the script is emptied and the path is named.
    EXPECT_NE(run_main_("missing.cir", "out"), 0);
    EXPECT_STREQ(get_error_str_(), "Cannot open cir-file missing.cir");
    EXPECT_EQ(Bytes("out"), "");

    // A refused line names itself.
    Write("cir", "Circuit 1\nR1 1 0 1000\nB2 1 0 5\n.end\n");
    EXPECT_NE(run_main_("cir", "out"), 0);
    EXPECT_STREQ(get_error_str_(), "Cannot execute file! Line 3 \"B2 1 0 5\"");

    EXPECT_NE(run_main_("cir", "/no/such/dir/out"), 0);
    EXPECT_NE(std::string(get_error_str_()).find("Cannot open out-file"), std::string::npos);

    Write("cir", "Circuit 1\nR1 1 0 1000\n.end\n");
    EXPECT_EQ(run_main_("cir", "out"), 0);
    EXPECT_STREQ(get_error_str_(), "No errors.");
}

}  // namespace
