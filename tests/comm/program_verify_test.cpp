// The comparison of the controller's program with the open program: every
// row whose words the controller does not hold is named once, with the
// list's step and what the controller holds there.
#include "comm/program_verify.h"

#include <gtest/gtest.h>

#include "comm/frames.h"
#include "tests/comm/encode_helpers.h"

namespace rs {
namespace {

using test::Rows;

const Rows kProgram = {{"LD", "X000"},       {"OR", "Y001"},    {"ANI", "X017"}, {"OUT", "Y001"},
                       {"MOV", "K4660 D10"}, {"OUT", "T0 K50"}, {"END", ""}};
const std::vector<int64_t> kSteps = {0, 1, 2, 3, 4, 9, 12};

// What an upload reads of a program: the words in mode 2, the transmitted
// digits of each word in mode 1.
std::vector<uint16_t> heldCode(const Rows& rows, bool mode2) {
    std::vector<uint16_t> words = test::encode(rows, mode2);
    if (mode2) return words;
    std::vector<uint16_t> digits;
    for (size_t i = 0; i < words.size(); ++i)
        digits.push_back(frame::transmittedValue(words.data(), static_cast<int>(i)));
    return digits;
}

Rows with(Rows rows, size_t row, std::string operand) {
    rows[row].second = std::move(operand);
    return rows;
}

struct Case {
    const char* what;
    Rows controller;                     // what the controller was given
    std::vector<int> rows;               // the rows reported, in order
    std::vector<std::string> heldMode2;  // what the controller holds there, in mode 2
};

TEST(ProgramVerify, NamesEveryRowTheControllerDoesNotHold) {
    Rows shorter(kProgram.begin(), kProgram.begin() + 3);
    shorter.push_back({"END", ""});
    Rows longer = kProgram;
    longer.insert(longer.end() - 1, {"OUT", "Y002"});
    const Case cases[] = {
        {"the same program", kProgram, {}, {}},
        {"one contact's device", with(kProgram, 2, "X016"), {2}, {"ANI X016"}},
        {"a constant of a two-word row", with(kProgram, 4, "K4661 D10"), {4}, {"MOV K4661 D10"}},
        {"a timer's set value", with(kProgram, 5, "T0 K51"), {5}, {"OUT T0 K51"}},
        {"a controller program that ends early",
         shorter,
         {3, 4, 5, 6},
         {"END", "nothing", "nothing", "nothing"}},
        {"a controller program that runs on past END", longer, {6}, {"OUT Y002"}},
    };
    for (bool mode2 : {false, true}) {
        auto project = test::tableOf(kProgram);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (mode2 ? ", mode 2" : ", mode 1"));
            const auto d =
                compareWithController(*project, mode2, heldCode(c.controller, mode2), kSteps);
            ASSERT_EQ(d.size(), c.rows.size());
            for (size_t i = 0; i < d.size(); ++i) {
                const size_t row = static_cast<size_t>(c.rows[i]);
                EXPECT_EQ(d[i].row, c.rows[i]);
                EXPECT_EQ(d[i].step, kSteps[row]);
                const auto& [m, p] = kProgram[row];
                EXPECT_EQ(d[i].project, p.empty() ? m : m + " " + p);
                if (mode2)
                    EXPECT_EQ(d[i].held, c.heldMode2[i]);
                else
                    EXPECT_FALSE(d[i].held.empty());
            }
        }
    }
}

// Code that does not decode, and mode-1 code, are shown as the words held.
TEST(ProgramVerify, ShowsWordsInHexWhereTheyDoNotDecode) {
    auto project = test::tableOf(kProgram);
    std::vector<uint16_t> held = heldCode(kProgram, true);
    held[2] = 0xFFFE;
    const auto d = compareWithController(*project, true, held, kSteps);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].row, 2);
    EXPECT_EQ(d[0].held, "FFFE");

    const auto changed = heldCode(with(kProgram, 2, "X016"), false);
    const auto d1 = compareWithController(*project, false, changed, kSteps);
    ASSERT_EQ(d1.size(), 1u);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%04X", changed[2]);
    EXPECT_EQ(d1[0].held, expected);
}

}  // namespace
}  // namespace rs
