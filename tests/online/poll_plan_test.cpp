// The poll planner: which device reads cover the bytes a live display needs,
// against hand-worked tables and against an exhaustive search for the fewest
// reads; and which bytes the drawing of a ladder reads.
#include "online/poll_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/device/device_address.h"
#include "online/ladder_spans.h"
#include "sim/watch.h"

namespace rs::online {
namespace {

using device::AccessKind;
using device::deviceAddress;

// The bytes a device text occupies, as a watch reads it.
std::vector<ByteSpan> spansOf(std::initializer_list<const char*> devices) {
    std::vector<ByteSpan> out;
    for (const char* d : devices) {
        std::string problem;
        const auto w = sim::makeWatch(d, problem);
        EXPECT_TRUE(w) << d << ": " << problem;
        if (!w) continue;
        const auto s = watchSpans(*w);
        out.insert(out.end(), s.begin(), s.end());
    }
    return out;
}

struct PlanCase {
    const char* what;
    std::vector<ByteSpan> spans;
    std::vector<DeviceRead> reads;
};

TEST(PollPlan, ReadsTheFewestFramesForEachLayout) {
    const uint32_t d0 = *deviceAddress("D0", AccessKind::Word);
    const uint32_t t0 = *deviceAddress("T0", AccessKind::Loop);
    const uint32_t c200 = *deviceAddress("C200", AccessKind::Loop);
    const std::vector<PlanCase> cases = {
        {"nothing", {}, {}},
        {"one input", spansOf({"X000"}), {{576, 1}}},
        {"eight inputs share a byte", spansOf({"X000", "X003", "X007"}), {{576, 1}}},
        {"neighbouring bytes in one read", spansOf({"X000", "X010", "X020"}), {{576, 3}}},
        {"a gap inside a read's reach is read", spansOf({"Y000", "Y170"}), {{384, 16}}},
        {"one byte beyond the reach takes a second read",
         spansOf({"Y000", "Y200"}),
         {{384, 1}, {400, 1}}},
        {"D0 and D7 fill one read", spansOf({"D0", "D7"}), {{d0, 16}}},
        {"D0 and D8 need two", spansOf({"D0", "D8"}), {{d0, 2}, {d0 + 16, 2}}},
        {"eight words in a row",
         spansOf({"D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7"}),
         {{d0, 16}}},
        {"nine words in a row",
         spansOf({"D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8"}),
         {{d0, 16}, {d0 + 16, 2}}},
        {"a timer: its value and its contact", spansOf({"T0"}), {{512, 1}, {t0, 2}}},
        {"timers T0 to T7: one contact byte", spansOf({"T0", "T7"}), {{512, 1}, {t0, 16}}},
        {"a 32-bit counter reads four bytes",
         spansOf({"C200"}),
         {{*deviceAddress("C200", AccessKind::Word), 1}, {c200, 4}}},
        {"the same device twice is read once", spansOf({"M5", "M5", "M7"}), {{0, 1}}},
        {"special relays", spansOf({"M8000", "M8013"}), {{448, 2}}},
        {"a group's bits: K4M0", {{0, 2}}, {{0, 2}}},
        {"cut at the end of the image", {{32766, 8}}, {{32766, 2}}},
        {"outside the image", {{40000, 2}, {32768, 1}}, {}},
        {"no bytes", {{100, 0}}, {}},
    };
    for (const PlanCase& c : cases) EXPECT_EQ(planReads(c.spans), c.reads) << c.what;
}

TEST(PollPlan, GroupsCoverEveryBitTheyName) {
    std::string problem;
    const auto k1 = sim::parseOperand("K1M6", true, problem);  // M6..M9: bytes 0 and 1
    ASSERT_TRUE(k1);
    EXPECT_EQ(operandSpan(*k1), (ByteSpan{0, 2}));
    const auto k2 = sim::parseOperand("K2Y000", true, problem);  // Y000..Y007
    ASSERT_TRUE(k2);
    EXPECT_EQ(operandSpan(*k2), (ByteSpan{384, 1}));
    const auto k4 = sim::parseOperand("K4X004", true, problem);  // X004..X023: three bytes
    ASSERT_TRUE(k4);
    EXPECT_EQ(operandSpan(*k4), (ByteSpan{576, 3}));
    EXPECT_FALSE(operandSpan(*sim::parseOperand("K10", true, problem)));
    EXPECT_FALSE(operandSpan(*sim::parseOperand("V3", true, problem)));
}

// The fewest windows of kMaxWordBytes bytes that cover the points, found by
// trying every set of window starts (an optimal plan can start each window
// at a wanted byte).
size_t fewestBySearch(const std::vector<uint32_t>& points) {
    const size_t n = points.size();
    size_t best = n;
    for (uint32_t mask = 1; mask < (1u << n); ++mask) {
        const size_t k = static_cast<size_t>(__builtin_popcount(mask));
        if (k >= best) continue;
        bool all = true;
        for (uint32_t p : points) {
            bool covered = false;
            for (size_t i = 0; i < n && !covered; ++i)
                covered = (mask >> i & 1) && p >= points[i] && p - points[i] < kMaxWordBytes;
            all = all && covered;
        }
        if (all) best = k;
    }
    return best;
}

TEST(PollPlan, NoPlanHasFewerReadsAndEveryWantedByteIsRead) {
    std::mt19937 random(26);
    for (int trial = 0; trial < 400; ++trial) {
        std::set<uint32_t> wanted;
        const int n = 1 + static_cast<int>(random() % 10);
        const uint32_t base = random() % 32700;
        while (static_cast<int>(wanted.size()) < n) wanted.insert(base + random() % 60);
        std::vector<ByteSpan> spans;
        for (uint32_t b : wanted) spans.push_back({b, 1});
        std::shuffle(spans.begin(), spans.end(), random);
        const auto reads = planReads(spans);
        const std::vector<uint32_t> points(wanted.begin(), wanted.end());
        EXPECT_EQ(reads.size(), fewestBySearch(points)) << "trial " << trial;
        std::set<uint32_t> read;
        for (size_t i = 0; i < reads.size(); ++i) {
            EXPECT_GE(reads[i].length, 1);
            EXPECT_LE(reads[i].length, kMaxWordBytes);
            EXPECT_TRUE(wanted.count(reads[i].address));  // starts at a wanted byte
            EXPECT_TRUE(
                wanted.count(reads[i].address + static_cast<uint32_t>(reads[i].length) - 1));
            if (i > 0) {
                EXPECT_GT(reads[i].address, reads[i - 1].address + reads[i - 1].length - 1);
            }
            for (int k = 0; k < reads[i].length; ++k) read.insert(reads[i].address + k);
        }
        for (uint32_t b : wanted) EXPECT_TRUE(read.count(b)) << b;
    }
}

TEST(PollPlan, LineBytesCountRequestsAndReplies) {
    const std::vector<DeviceRead> reads = {{0, 1}, {100, 16}};
    EXPECT_EQ(planLineBytes(reads), (13 + 4 + 2) + (13 + 4 + 32));
}

LadderGrid ladderWith(
    std::initializer_list<std::tuple<int, int, int32_t, const char*, CellLinks>> cells) {
    LadderGrid g;
    for (const auto& [r, c, kind, text, links] : cells) g.setCell(r, c, kind, text, links);
    return g;
}

TEST(LadderSpans, ContactsCoilsAndBoxesOfTheRungsInSight) {
    const LadderGrid g = ladderWith({
        {0, 1, OpenContact, "X000", LinkSymbol},
        {0, 2, CloseContact, "T0", LinkSymbol},
        {0, 10, Coil, "Y000", LinkSymbol},
        {1, 1, OpenContact, "M10", LinkSymbol},
        {1, 10, Coil, "T0 K50", LinkSymbol},
        {2, 1, OpenContact, "M8000", LinkSymbol | LinkDown},
        {2, 10, AppInstruction, "MOV D0 D5", LinkSymbol},
        {3, 1, OpenBranch, "X001", LinkSymbol},
        {4, 1, RisingPulse, "X002", LinkSymbol},
        {4, 10, AppInstruction, "ADD K4M0 K1 D9", LinkSymbol},
    });
    const uint32_t t0 = *deviceAddress("T0", AccessKind::Loop);
    const uint32_t d0 = *deviceAddress("D0", AccessKind::Word);
    auto sorted = [](std::vector<ByteSpan> v) {
        std::sort(v.begin(), v.end(),
                  [](const ByteSpan& a, const ByteSpan& b) { return a.first < b.first; });
        v.erase(std::unique(v.begin(), v.end()), v.end());
        return v;
    };
    EXPECT_EQ(sorted(ladderSpans(g, 0, 0)), sorted({{576, 1}, {512, 1}, {t0, 2}}));
    EXPECT_EQ(sorted(ladderSpans(g, 1, 1)), sorted({{1, 1}, {512, 1}, {t0, 2}}));
    // Row 3 is joined to row 2 by its vertical wire: in sight together.
    EXPECT_EQ(rungRows(g, 3, 3).first, 2);
    EXPECT_EQ(sorted(ladderSpans(g, 3, 3)), sorted({{448, 1}, {d0, 2}, {d0 + 10, 2}, {576, 1}}));
    // A group shows no value: only the box's word operand and the contact.
    EXPECT_EQ(sorted(ladderSpans(g, 4, 4)), sorted({{576, 1}, {d0 + 18, 2}}));
    EXPECT_TRUE(ladderSpans(g, 10, 20).empty());
    EXPECT_TRUE(ladderSpans(g, 5, 2).empty());
}

TEST(LadderSpans, AProgramReadsEveryOperandAndEachTimersContact) {
    sim::LoadError error;
    const auto program = sim::loadProgram({{"LD", "X000"},
                                           {"OUT", "T0 K10"},
                                           {"LD", "M8000"},
                                           {"MOV", "D0 D5"},
                                           {"ADD", "K1 V0 D9"},
                                           {"END", ""}},
                                          error);
    ASSERT_TRUE(program) << error.message;
    const uint32_t t0 = *deviceAddress("T0", AccessKind::Loop);
    const uint32_t d0 = *deviceAddress("D0", AccessKind::Word);
    EXPECT_EQ(
        planReads(programSpans(*program)),
        (std::vector<DeviceRead>{{448, 1}, {512, 1}, {576, 1}, {t0, 2}, {d0, 12}, {d0 + 18, 2}}))
        << "M8000, T0's contact, X000, T0's value, D0 with D5, D9 (V0 is no device)";
}

}  // namespace
}  // namespace rs::online
