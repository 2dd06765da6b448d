// The ladder's display agrees with the list: on generated ladders, converted
// as F4 converts them, the coils and boxes the power flow shows energized are
// the outputs the engine's scan of the list switched on.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/list_text.h"
#include "core/device/device_address.h"
#include "sim/ladder_flow.h"
#include "sim/watch.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::sim {
namespace {

using Outputs = std::vector<std::pair<std::string, bool>>;

Outputs listOutputs(const Engine& engine) {
    Outputs out;
    const Program& p = engine.program();
    for (size_t r = 0; r < p.rows.size(); ++r) {
        const Op op = p.rows[r].op;
        if (op != Op::Out && op < Op::Mov) continue;
        const auto& text = p.text[r];
        const std::string name = op == Op::Out ? text.operand : text.mnemonic + " " + text.operand;
        out.emplace_back(name, engine.rowResults()[r] == 1);
    }
    std::sort(out.begin(), out.end());
    return out;
}

Outputs gridOutputs(const LadderGrid& grid, const LadderFlow& flow) {
    Outputs out;
    for (int r = 0; r < flow.rows(); ++r) {
        const int32_t kind = grid.kind(r, kOutputCol);
        if (kind != Coil && kind != AppInstruction) continue;
        out.emplace_back(grid.text(r, kOutputCol), flow.cell(r, kOutputCol).energized);
    }
    std::sort(out.begin(), out.end());
    return out;
}

void checkFamily(const test::GenOptions& options, uint32_t firstSeed, int count) {
    test::TestSession t;
    std::mt19937 random(firstSeed);
    int checked = 0;
    for (uint32_t seed = firstSeed; seed < firstSeed + static_cast<uint32_t>(count); ++seed) {
        const test::GenLadder ladder = test::generateLadder(seed, options);
        test::drawLadder(ladder, t.session.grid(), 64);
        t.session.commit();
        tidyGrid(t.session);
        if (!convertLadder(t.session).compiled) continue;
        LoadError error;
        auto program = loadProgram(eval::tableRows(t.session.table()), error);
        ASSERT_TRUE(program) << "seed " << seed << ": " << error.message;
        device::DeviceMemory memory;
        Engine engine(memory);
        engine.load(std::move(*program));
        LadderFlow flow;
        flow.prepare(t.session.grid());
        for (int vector = 0; vector < 8; ++vector) {
            for (const std::string& input : ladder.inputs)
                memory.setBit(*device::deviceAddress(input, device::AccessKind::Bit), random() & 1);
            ASSERT_TRUE(engine.scan(10)) << engine.stopped()->message;
            flow.update(t.session.grid(), engine);
            ASSERT_EQ(gridOutputs(t.session.grid(), flow), listOutputs(engine))
                << "seed " << seed << "\n"
                << listText(t.session.table());
        }
        ++checked;
    }
    EXPECT_GT(checked, count / 2);
}

TEST(SimGridAgainstList, SeriesParallelAndNestedBlocks) {
    test::GenOptions o;
    o.outputBranches = false;
    checkFamily(o, 1, 400);
}

TEST(SimGridAgainstList, OutputBranches) {
    test::GenOptions o;
    o.maxDepth = 1;
    checkFamily(o, 200001, 400);
}

TEST(SimGridAgainstList, PoweredEdgesFollowTheContacts) {
    test::TestSession t;
    LadderGrid& g = t.session.grid();
    // X000 then X001 in series into Y000.
    g.setCell(0, 1, OpenContact, "X000", LinkWire | LinkSymbol);
    g.setCell(0, 2, OpenContact, "X001", LinkWire | LinkSymbol);
    g.setCell(0, kOutputCol, Coil, "Y000", LinkWire | LinkSymbol);
    for (int c = 3; c <= 9; ++c) g.setCell(0, c, HorizontalLine, "", LinkWire);
    g.m_nLastRow = 0;
    t.session.commit();
    tidyGrid(t.session);
    ASSERT_TRUE(convertLadder(t.session).compiled);
    LoadError error;
    auto program = loadProgram(eval::tableRows(t.session.table()), error);
    ASSERT_TRUE(program);
    device::DeviceMemory memory;
    Engine engine(memory);
    engine.load(std::move(*program));
    LadderFlow flow;
    flow.prepare(g);
    memory.setBit(*device::deviceAddress("X000", device::AccessKind::Bit), true);
    engine.scan(0);
    flow.update(g, engine);
    EXPECT_TRUE(flow.cell(0, 1).left);
    EXPECT_TRUE(flow.cell(0, 1).closed);
    EXPECT_TRUE(flow.cell(0, 1).right);
    EXPECT_TRUE(flow.cell(0, 2).left);
    EXPECT_FALSE(flow.cell(0, 2).closed);
    EXPECT_FALSE(flow.cell(0, 2).right);
    EXPECT_FALSE(flow.cell(0, 5).left);
    EXPECT_FALSE(flow.cell(0, kOutputCol).energized);
    memory.setBit(*device::deviceAddress("X001", device::AccessKind::Bit), true);
    engine.scan(10);
    flow.update(g, engine);
    EXPECT_TRUE(flow.cell(0, 5).left);
    EXPECT_TRUE(flow.cell(0, kOutputCol).energized);
    EXPECT_EQ(deviceValueText(engine, "Y000"), "Y000=1");
}

}  // namespace
}  // namespace rs::sim
