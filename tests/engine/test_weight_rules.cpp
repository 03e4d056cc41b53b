#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "weight_rules.h"

namespace vorlan {
namespace {

// Four-terminals as text: "E1 abcd 999" (name, four nodes, weight).
FourTerminalList Four(const std::vector<std::string>& items) {
    FourTerminalList list;
    for (const std::string& item : items) {
        const std::size_t blank = item.find(' ');
        const std::string nodes = item.substr(blank + 1, 4);
        AddFourTerminal(nodes[0], nodes[1], nodes[2], nodes[3], std::stoi(item.substr(blank + 6)),
                        item.substr(0, blank), list);
    }
    return list;
}

std::vector<std::string> Text(const FourTerminalList& list) {
    std::vector<std::string> items;
    for (const FourTerminal& f : list)
        items.push_back(f.name + " " + std::string{char(f.n1), char(f.n2), char(f.n3), char(f.n4)} + " " +
                        std::to_string(f.weight));
    return items;
}

// ---- ReleaseFourTerminal ------------------------------------------------

struct ReleaseCase {
    const char* name;
    std::vector<std::string> before;
    int index;
    int result;
    std::vector<std::string> after;
};

class ReleaseTable : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(ReleaseTable, ResultAndList) {
    const ReleaseCase& c = GetParam();
    FourTerminalList list = Four(c.before);
    EXPECT_EQ(ReleaseFourTerminal(c.index, list), c.result);
    EXPECT_EQ(Text(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReleaseTable,
    ::testing::Values(
        ReleaseCase{"UnitElement", {"1 abab -1", "E1 cdef 999"}, 0, 2, {"1 abab -1", "E1 cdef 999"}},
        ReleaseCase{"PinnedIdeal", {"E1 abcd -999", "J1 cdef 999"}, 0, 2, {"E1 abcd -999", "J1 cdef 999"}},
        ReleaseCase{"NegatedControlled", {"K1 abcd -2"}, 0, 2, {"K1 abcd -2"}},
        // No marking, although exactly one 999 remains.
        ReleaseCase{"Controlled", {"G1 abcd 1", "E1 cdef 999"}, 0, 3, {"G1 abcd 0", "E1 cdef 999"}},
        ReleaseCase{"MergedWeight", {"E1 cdef 999", "K1 abcd 2"}, 1, 3, {"E1 cdef 999", "K1 abcd 0"}},
        ReleaseCase{"AlreadyReleased", {"F1 abcd 0"}, 0, 3, {"F1 abcd 0"}},
        ReleaseCase{"IdealWithAnother", {"E1 abcd 999", "J1 efgh 999"}, 0, 1, {"1 abab -1", "J1 efgh -999"}},
        ReleaseCase{"CurrentIdealRemoved", {"E1 efgh -999", "J1 abcd 999", "K1 abcd 1"}, 1, 1,
                    {"E1 efgh -999", "K1 abcd 1"}},
        ReleaseCase{"MeterRemovedTwoLeft", {"U1 abcd 999", "I1 abcd 999", "J1 efgh 999"}, 1, 1,
                    {"U1 abcd 999", "J1 efgh 999"}},
        ReleaseCase{"VoltageMeterToUnit", {"I1 efgh 999", "U1 abcd 999"}, 1, 1, {"I1 efgh -999", "1 abab -1"}},
        ReleaseCase{"OnlyIdeal", {"K1 abcd 1", "E1 abcd 999"}, 1, 2, {"K1 abcd 1", "E1 abcd -999"}},
        ReleaseCase{"OtherKindOfWeightIdeal", {"G1 abcd 999", "E1 efgh 999"}, 0, 1,
                    {"G1 abcd 999", "E1 efgh 999"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Release, CallersIndexIsNotMoved) {
    FourTerminalList list = Four({"J1 abcd 999", "J2 efgh 999"});
    const int index = 0;
    EXPECT_EQ(ReleaseFourTerminal(index, list), 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(Text(list), (std::vector<std::string>{"J2 efgh -999"}));
}

// ---- neutralising ---------------------------------------------------------

struct NeutraliseCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
};

class NeutraliseTable : public ::testing::TestWithParam<NeutraliseCase> {};

TEST_P(NeutraliseTable, BothEntryPoints) {
    const NeutraliseCase& c = GetParam();
    for (auto neutralise : {&NeutraliseIdealSources, &NeutraliseOtherIdealSources}) {
        FourTerminalList list = Four(c.before);
        neutralise(list);
        EXPECT_EQ(Text(list), c.after);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NeutraliseTable,
    ::testing::Values(
        NeutraliseCase{"Empty", {}, {}},
        NeutraliseCase{"TwoAdjacentRemovals", {"J1 abcd 999", "I1 cdef 999", "K1 abcd 1"}, {"K1 abcd 1"}},
        NeutraliseCase{"RemovalThenReplacement", {"J1 abcd 999", "E1 cdef 999", "I1 ghab 999", "U1 efgh 999"},
                       {"1 cdcd -1", "1 efef -1"}},
        NeutraliseCase{"PinnedAndOthersStay",
                       {"E1 abcd -999", "J1 abcd -999", "G1 abcd 999", "K1 abcd 1", "F1 abcd 0", "1 abab -1"},
                       {"E1 abcd -999", "J1 abcd -999", "G1 abcd 999", "K1 abcd 1", "F1 abcd 0", "1 abab -1"}},
        NeutraliseCase{"MixedWithPinned", {"E2 efgh -999", "E1 abcd 999", "J1 abcd 999", "G1 abcd 1"},
                       {"E2 efgh -999", "1 abab -1", "G1 abcd 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- marking and the other-ideal test --------------------------------------

TEST(MarkLastIdealSource, OnlyASingle999IsMarked) {
    struct Case {
        std::vector<std::string> before, after;
    };
    const Case cases[] = {
        {{}, {}},
        {{"K1 abcd 1", "E1 abab 999"}, {"K1 abcd 1", "E1 abab -999"}},
        {{"J1 abcd 999", "E1 abab -999"}, {"J1 abcd -999", "E1 abab -999"}},
        {{"J1 abcd 999", "E1 abab 999"}, {"J1 abcd 999", "E1 abab 999"}},
        {{"J1 abcd -999", "K1 abab 1"}, {"J1 abcd -999", "K1 abab 1"}},
    };
    for (const Case& c : cases) {
        FourTerminalList list = Four(c.before);
        MarkLastIdealSource(list);
        EXPECT_EQ(Text(list), c.after);
    }
}

TEST(HasOtherIdealSource, SkipsTheGivenIndex) {
    const FourTerminalList list = Four({"E1 abcd 999", "K1 abcd 1", "J1 abcd -999", "1 abab -1"});
    EXPECT_TRUE(HasOtherIdealSource(0, list));   // the -999
    EXPECT_TRUE(HasOtherIdealSource(2, list));   // the 999
    EXPECT_TRUE(HasOtherIdealSource(1, list));
    EXPECT_FALSE(HasOtherIdealSource(0, Four({"E1 abcd 999", "K1 abcd 998", "G1 abcd -998"})));
    EXPECT_FALSE(HasOtherIdealSource(0, Four({"E1 abcd 999"})));
}

}  // namespace
}  // namespace vorlan
