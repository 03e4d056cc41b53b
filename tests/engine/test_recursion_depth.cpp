// Deep expansions on a small stack. Every nested call of the expansion
// either splits on an element (a two-terminal goes, or a four-terminal's
// weight turns negative) or takes at least one factor out, so the nesting
// is bounded by 2 x two-terminals + four-terminals + four-terminals of
// positive weight, about 420 for full tables with the drivers' added unit
// elements. The element lists live on the heap: a level costs a few hundred
// bytes of stack. The circuits below nest close to that bound for their
// size and run on a thread with a 1 MiB stack (an eighth of the default),
// painted beforehand, so that the bytes used can be checked and shown.
#include <gtest/gtest.h>

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

#include "expansion_harness.h"
#include "run.h"

namespace vorlan::test {
namespace {

constexpr std::size_t kStackSize = std::size_t{1} << 20;
constexpr unsigned char kPaint = 0xA5;
// Stack allowed per unit of the nesting bound: ample for every build (a
// level takes about 0.5 KiB, 1 KiB with the address sanitizer) and still
// under 8 MiB for the largest circuit the tables hold.
constexpr std::size_t kBytesPerLevel = 2048;

// Node numbers from the reserved label of the visited mark on move up by one.
int Node(int i) { return LabelOfNode(i) >= kVisitedMark ? i + 1 : i; }

// A thread stack of our own, with a guard page below it.
class PaintedStack {
public:
    PaintedStack() {
        page_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        void* block = ::mmap(nullptr, kStackSize + page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) return;
        block_ = static_cast<unsigned char*>(block);
        ::mprotect(block_, page_, PROT_NONE);
    }
    ~PaintedStack() {
        if (block_) ::munmap(block_, kStackSize + page_);
    }
    PaintedStack(const PaintedStack&) = delete;
    PaintedStack& operator=(const PaintedStack&) = delete;

    // Runs `work` on a thread over this stack; the bytes of the stack it
    // touched, or 0 when no thread could be started.
    std::size_t Run(const std::function<void()>& work) {
        if (!block_) return 0;
        unsigned char* stack = block_ + page_;
        std::memset(stack, kPaint, kStackSize);
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstack(&attr, stack, kStackSize);
        pthread_t thread;
        auto body = [](void* arg) -> void* {
            (*static_cast<const std::function<void()>*>(arg))();
            return nullptr;
        };
        const int started = pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&work));
        pthread_attr_destroy(&attr);
        if (started != 0) return 0;
        pthread_join(thread, nullptr);
        return kStackSize - Untouched(stack);
    }

private:
    // The stack grows down: the painted bytes left at its low end.
#if defined(__SANITIZE_ADDRESS__)
    __attribute__((no_sanitize_address))
#endif
    static std::size_t Untouched(unsigned char* stack) {
#if defined(__SANITIZE_ADDRESS__)
        __asan_unpoison_memory_region(stack, kStackSize);
#endif
        std::size_t n = 0;
        while (n < kStackSize && stack[n] == kPaint) ++n;
        return n;
    }

    std::size_t page_ = 0;
    unsigned char* block_ = nullptr;
};

int NestingBound(const TestCircuit& c) {
    int positive = 0;
    for (const FourTerminal& f : c.four)
        if (f.weight > 0) ++positive;
    return 2 * static_cast<int>(c.two.size()) + static_cast<int>(c.four.size()) + positive;
}

// The expression's value against the nodal reference over a few draws:
// the same non-zero value up to one sign.
void ExpectValueOfReference(const TestCircuit& circuit, const std::string& text) {
    std::mt19937 random(3);
    int sign = 0;
    for (int draw = 0; draw < 3; ++draw) {
        const ValueMap values = RandomValues(circuit, random);
        const long double reference = NodalDeterminant(circuit.two, circuit.four, values).value;
        ASSERT_NE(reference, 0.0L);
        const long double ratio = EvaluateExpression(text, values).value / reference;
        EXPECT_NEAR(static_cast<double>(std::fabs(ratio)), 1.0, 1e-9) << text.substr(0, 300);
        if (sign == 0) sign = ratio > 0 ? 1 : -1;
        EXPECT_EQ(ratio > 0 ? 1 : -1, sign);
    }
}

void ExpectDeepExpansionFits(const std::string& name, const TestCircuit& circuit) {
    std::string text;
    PaintedStack stack;
    const std::size_t used = stack.Run([&] { text = ExpandToText(circuit); });
    ASSERT_GT(used, 0u) << name << ": no thread";
    std::cout << "[stack] " << name << ": " << used << " bytes, nesting bound " << NestingBound(circuit) << "\n";
    EXPECT_LE(used, kBytesPerLevel * NestingBound(circuit)) << name;
    ExpectValueOfReference(circuit, text);
}

// A ring of admittances is split one element at a time (shorted, then
// opened), each short taken out as a factor: two levels per element.
TEST(DeepExpansion, RingOfOneHundredAdmittances) {
    TestCircuit c;
    static const char kKinds[] = {'g', 'y', 'Y'};
    for (int i = 1; i <= kElementCapacity; ++i)
        c.Two(Node(i - 1), Node(i % kElementCapacity), kKinds[i % 3] + std::to_string(i));
    ExpectDeepExpansionFits("ring of 100 admittances", c);
}

// The same ring of transconductances, each steered by its own pair: every
// split is on a four-terminal (expanded, then released).
TEST(DeepExpansion, RingOfOneHundredTransconductances) {
    TestCircuit c;
    for (int i = 1; i <= kElementCapacity; ++i) {
        const int a = Node(i - 1), b = Node(i % kElementCapacity);
        c.Four(a, b, a, b, "G" + std::to_string(i));
    }
    ExpectDeepExpansionFits("ring of 100 transconductances", c);
}

// A whole run with both element tables full: the ring of admittances and a
// cascade of 100 voltage amplifiers hung on it, on the small stack.
TEST(DeepExpansion, WholeRunWithFullTables) {
    namespace fs = std::filesystem;
    const fs::path home = fs::current_path();
    const fs::path dir = fs::temp_directory_path() / ("vorlan_depth_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    fs::copy_file(VORLAN_SETUP_SYM, "setup.sym", fs::copy_options::overwrite_existing);

    TestCircuit c;
    std::string netlist = "full tables\n";
    for (int i = 1; i <= kElementCapacity; ++i) {
        const int a = Node(i - 1), b = Node(i % kElementCapacity);
        c.Two(a, b, "g" + std::to_string(i));
        netlist += "g" + std::to_string(i) + " " + std::to_string(a) + " " + std::to_string(b) + " 1\n";
    }
    for (int i = 1; i <= kElementCapacity; ++i) {
        const int out = Node(kElementCapacity - 1 + i), in = Node(kElementCapacity - 2 + i);
        c.Four(out, 0, in, 0, "K" + std::to_string(i));
        netlist += "K" + std::to_string(i) + " " + std::to_string(out) + " 0 " + std::to_string(in) + " 0 2\n";
    }
    netlist += ".end\n";
    std::ofstream("cir", std::ios::binary | std::ios::trunc) << netlist;

    int result = -1;
    PaintedStack stack;
    const std::size_t used = stack.Run([&] { result = RunMain("cir", "out"); });
    std::ifstream in("out", std::ios::binary);
    const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fs::current_path(home);
    fs::remove_all(dir);

    ASSERT_GT(used, 0u) << "no thread";
    std::cout << "[stack] whole run, 100 + 100 elements: " << used << " bytes, nesting bound " << NestingBound(c)
              << "\n";
    EXPECT_EQ(result, 0);
    EXPECT_LE(used, kBytesPerLevel * NestingBound(c));
    const std::string head = "\r\ndetan= \r\n";
    const std::size_t start = script.find(head);
    ASSERT_NE(start, std::string::npos);
    std::string text;
    for (std::size_t i = start + head.size(); i < script.size() && script[i] != ';'; ++i)
        if (script[i] != ' ' && script[i] != '\r' && script[i] != '\n') text.push_back(script[i]);
    ExpectValueOfReference(c, text);
}

}  // namespace
}  // namespace vorlan::test
