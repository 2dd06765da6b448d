// The watch window's list: devices added by name or from the cursor, bounded,
// shown with their values, and edited through the engine's input path.
#include "app/model/watch_list.h"

#include <gtest/gtest.h>

#include "app/model/comment_text.h"
#include "core/cell.h"
#include "tests/sim/sim_rig.h"
#include "tests/support/test_session.h"

using namespace rs;
using namespace rs::shell;

namespace {

const char* const kLatch = "LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nOUT T0 K10\nEND";

TEST(WatchList, AddsNamesOnceAndRefusesWhatCannotBeWatched) {
    WatchList list;
    std::string problem;
    for (const char* name : {"Y000", "t0", "D0", "X017", "C200", "M8000", "V1"})
        EXPECT_TRUE(list.add(name, problem)) << name << ": " << problem;
    EXPECT_EQ(list.watches()[1].name, "T0") << "names are kept in upper case";
    EXPECT_FALSE(list.add("X17", problem)) << "X017 is listed: one device, one line";
    EXPECT_EQ(problem, "X017 is watched already");
    EXPECT_TRUE(list.add("y1", problem));
    EXPECT_EQ(list.watches().back().name, "Y001");
    list.remove(7);
    const struct {
        const char* name;
        const char* words;
    } refused[] = {{"Y000", "watched already"},
                   {"y000", "watched already"},
                   {"X8", "octal"},
                   {"K10", "no device"},
                   {"P0", "no device"},
                   {"", "empty"},
                   {"Q7", ""}};
    for (const auto& r : refused) {
        problem.clear();
        EXPECT_FALSE(list.add(r.name, problem)) << r.name;
        EXPECT_NE(problem.find(r.words), std::string::npos) << r.name << ": " << problem;
    }
    EXPECT_EQ(list.size(), 7u);
    EXPECT_EQ(list.history().tracedSignals().size(), 9u) << "T0 and C200 bring their contacts";

    list.remove(0);
    list.remove(99);  // no such line: nothing happens
    EXPECT_EQ(list.watches().front().name, "T0");
    EXPECT_EQ(list.history().tracedSignals().front().name, "T0");
}

TEST(WatchList, HoldsAtMostTheBoundOfDevices) {
    WatchList list;
    std::string problem;
    for (int i = 0; i < kMaxWatches; ++i)
        ASSERT_TRUE(list.add("D" + std::to_string(i), problem)) << problem;
    EXPECT_FALSE(list.add("D100", problem));
    EXPECT_NE(problem.find(std::to_string(kMaxWatches)), std::string::npos) << problem;
    EXPECT_EQ(list.size(), static_cast<size_t>(kMaxWatches));
    list.remove(3);
    EXPECT_TRUE(list.add("D100", problem)) << "a removed line makes room";
}

TEST(WatchList, RowsShowValuesWhileSimulatingAndForcedInputs) {
    sim::test::Rig rig(kLatch);
    WatchList list;
    std::string problem;
    for (const char* name : {"X000", "X001", "Y000", "T0"}) ASSERT_TRUE(list.add(name, problem));
    for (const WatchRow& row : list.rows(nullptr)) {
        EXPECT_TRUE(row.value.empty()) << row.device;
        EXPECT_FALSE(row.forced);
    }
    rig.set("X000", true);
    rig.scan(0);
    for (int i = 0; i < 10; ++i) rig.scan(100);
    const auto rows = list.rows(&rig.engine);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::tuple<std::string, std::string, bool, bool>> expected = {
        {"X000", "1", true, true},
        {"X001", "0", true, false},
        {"Y000", "1", true, false},
        {"T0", "10 on", false, false}};
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(std::make_tuple(rows[i].device, rows[i].value, rows[i].bit, rows[i].forced),
                  expected[i])
            << i;
}

// An edit asks for the write a script's set makes: the engine's input path.
TEST(WatchList, EditsFlipBitsAndTakeTypedWords) {
    sim::test::Rig rig(kLatch);
    WatchList list;
    std::string problem;
    for (const char* name : {"X000", "Y000", "T0", "D5", "V0", "C200"})
        ASSERT_TRUE(list.add(name, problem));
    rig.scan(0);
    auto write = list.edit(0, "", rig.engine, problem);
    ASSERT_TRUE(write) << problem;
    EXPECT_EQ(write->device.name, "X000");
    EXPECT_EQ(write->value, 1);
    rig.engine.write(write->device.value, write->value);
    rig.scan(10);
    EXPECT_TRUE(rig.bit("Y000"));
    write = list.edit(0, "", rig.engine, problem);
    EXPECT_EQ(write->value, 0) << "a second edit flips it back";

    const struct {
        size_t line;
        const char* typed;
        std::optional<int32_t> value;
        const char* words;
    } words[] = {
        {2, "7", 7, ""},         {2, " 0x10 ", 16, ""},         {3, "-32768", -32768, ""},
        {3, "65535", 65535, ""}, {3, "65536", {}, "no value"},  {3, "12a", {}, "no value"},
        {3, "", {}, "no value"}, {4, "3", {}, "cannot be set"}, {5, "100000", {}, "no value"},
        {5, "40000", 40000, ""},
    };
    for (const auto& w : words) {
        problem.clear();
        const auto e = list.edit(w.line, w.typed, rig.engine, problem);
        ASSERT_EQ(e.has_value(), w.value.has_value()) << w.typed << ": " << problem;
        if (e)
            EXPECT_EQ(e->value, *w.value) << w.typed;
        else
            EXPECT_NE(problem.find(w.words), std::string::npos) << w.typed << ": " << problem;
    }
    const auto c200 = list.edit(5, "40000", rig.engine, problem);
    rig.engine.write(c200->device.value, c200->value);
    EXPECT_EQ(list.rows(&rig.engine)[5].value, "40000") << "a 32-bit counter takes the value";
    EXPECT_FALSE(list.edit(9, "1", rig.engine, problem)) << "no such line";
}

// The trace starts again with each run; its values are those the rows show.
TEST(WatchList, TraceFollowsTheScansOfARun) {
    sim::test::Rig rig(kLatch);
    WatchList list;
    std::string problem;
    ASSERT_TRUE(list.add("Y000", problem));
    rig.set("X000", true);
    for (int i = 0; i < 5; ++i) {
        rig.scan(i == 0 ? 0 : 10);
        list.sampled(rig.engine);
    }
    EXPECT_EQ(list.history().lastMs(), 40);
    EXPECT_EQ(list.history().valueAt(0, 40), 1);
    rig.engine.load(rig.engine.program());
    rig.memory.clear();
    rig.scan(0);
    list.sampled(rig.engine);
    ASSERT_EQ(list.history().changes(0).size(), 1u) << "a new run starts the trace anew";
    EXPECT_EQ(list.history().changes(0).front().value, 0);
}

TEST(WatchList, TheCursorNamesTheDeviceToAdd) {
    test::TestSession t;
    LadderGrid& g = *t.view.grid;
    g.setCell(0, 1, OpenContact, "X000", LinkSymbol);
    g.setCell(0, 10, Coil, "T0 K10", LinkSymbol);
    g.setCell(1, 10, AppInstruction, "MOV K5 D3", LinkSymbol);
    g.setCell(2, 10, AppInstruction, "MOV K5 K6", LinkSymbol);
    const struct {
        int row, col;
        const char* device;
    } cells[] = {{0, 1, "X000"}, {0, 10, "T0"}, {1, 10, "D3"}, {2, 10, ""}, {0, 2, ""}};
    for (const auto& c : cells) {
        g.m_nCursorRow = c.row;
        g.m_nCursorCol = c.col;
        EXPECT_EQ(cursorDevice(t.session), c.device) << c.row << "," << c.col;
    }
    t.view.m_bListMode = 1;
    t.app.table->m_Instruction[4] = "ld";
    t.app.table->m_Parameter[4] = "y001";
    t.app.table->m_Instruction[5] = "END";
    t.view.m_nListCursor = 4;
    EXPECT_EQ(cursorDevice(t.session), "Y001");
    t.view.m_nListCursor = 5;
    EXPECT_EQ(cursorDevice(t.session), "");
    t.view.m_nListCursor = -1;
    EXPECT_EQ(cursorDevice(t.session), "");
}

}  // namespace
