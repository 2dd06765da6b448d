#include "core/evaluate/list_eval.h"

#include <gtest/gtest.h>

#include "core/evaluate/power_flow.h"

namespace rs::eval {

void PrintTo(const Output& o, std::ostream* os) {
    *os << o.name << (o.on ? "=on" : "=off");
}

namespace {

std::vector<ListRow> parse(const std::vector<std::string>& lines) {
    std::vector<ListRow> rows;
    for (const auto& l : lines) {
        const size_t sp = l.find(' ');
        if (l.back() == ':')
            rows.push_back({"", l.substr(0, l.size() - 1)});
        else if (sp == std::string::npos)
            rows.push_back({l, ""});
        else
            rows.push_back({l.substr(0, sp), l.substr(sp + 1)});
    }
    return rows;
}

DeviceReader only(std::vector<std::string> on) {
    return [on](const std::string& d) {
        for (const auto& x : on)
            if (x == d) return true;
        return false;
    };
}

TEST(ListEval, BlocksAndStacks) {
    const auto rows = parse({"LD X0", "LD X1", "ORI X2", "ANB", "MPS", "AND X3", "OUT Y0", "MRD",
                             "OUT Y1", "MPP", "ANI X3", "OUT Y2", "LD X4", "OUT Y3", "END"});
    const ListResult r = runList(rows, only({"X0", "X3"}));
    ASSERT_TRUE(r.ok) << r.problem;
    const std::vector<Output> want{{"Y0", true}, {"Y1", true}, {"Y2", false}, {"Y3", false}};
    EXPECT_EQ(r.outputs, want);
}

TEST(ListEval, ContinuedOutputsAndApplicationRows) {
    const auto rows = parse({"LD X0", "OUT Y0", "AND X1", "OUT Y1", "MPS", "MOV K1 D0", "MPP",
                             "OUT Y2", "FEND", "P0:", "LDI X1", "OUT Y3", "END"});
    const ListResult r = runList(rows, only({"X0"}));
    ASSERT_TRUE(r.ok) << r.problem;
    const std::vector<Output> want{
        {"Y0", true}, {"Y1", false}, {"MOV K1 D0", false}, {"Y2", false}, {"Y3", true}};
    EXPECT_EQ(r.outputs, want);
}

// After an output the rung's result stays: Convert writes MPS right after an
// output, and a block loaded after an output and joined to its condition.
TEST(ListEval, RungGoesOnAfterAnOutput) {
    const auto split =
        parse({"LD X0", "OUT Y0", "MPS", "AND X1", "OUT Y1", "MPP", "AND X2", "OUT Y2", "END"});
    ListResult r = runList(split, only({"X0", "X2"}));
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y0", true}, {"Y1", false}, {"Y2", true}}));

    const auto joined = parse({"LD X0", "OUT Y0", "LD X1", "OR X2", "ANB", "OUT Y1", "END"});
    r = runList(joined, only({"X2"}));
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y0", false}, {"Y1", false}}));
    r = runList(joined, only({"X0", "X2"}));
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y0", true}, {"Y1", true}}));

    // ORB joins too; blocks nested above the held result join first.
    const auto ored =
        parse({"LD X0", "OUT Y0", "LD X1", "LD X2", "ORI X3", "ANB", "ORB", "OUT Y1", "END"});
    r = runList(ored, only({"X1", "X3"}));
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y0", false}, {"Y1", false}}));
    r = runList(ored, only({"X1"}));
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y0", false}, {"Y1", true}}));

    // Joined inside an open point: the branch goes on from its output.
    const auto inPoint = parse({"LD X0", "MPS", "AND X1", "OUT Y1", "LD X2", "OR X3", "ANB",
                                "OUT Y2", "MPP", "OUT Y3", "END"});
    r = runList(inPoint, only({"X0", "X3"}));
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.outputs, (std::vector<Output>{{"Y1", false}, {"Y2", false}, {"Y3", true}}));

    // A load reaching an output or MPS unjoined starts a new rung.
    const auto newRungs = parse({"LD X0", "OUT Y0", "LD X1", "AND X2", "OUT Y1", "LDI X0", "MPS",
                                 "OUT Y2", "MPP", "OUT Y3", "END"});
    r = runList(newRungs, only({"X1", "X2"}));
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.outputs,
              (std::vector<Output>{{"Y0", false}, {"Y1", true}, {"Y2", true}, {"Y3", true}}));
}

TEST(ListEval, RefusesMalformedLists) {
    const std::vector<std::pair<std::vector<std::string>, int>> bad{
        {{"LD X0", "LD X1", "OUT Y0", "END"}, 2},            // block left open at an output
        {{"LD X0", "ANB", "OUT Y0", "END"}, 1},              // ANB without two blocks
        {{"LD X0", "ORB", "OUT Y0", "END"}, 1},              // ORB without two blocks
        {{"LD X0", "MRD", "OUT Y0", "END"}, 1},              // MRD without MPS
        {{"LD X0", "OUT Y0", "MPP", "END"}, 2},              // MPP without MPS
        {{"LD X0", "MPS", "OUT Y0", "END"}, 3},              // MPS open at END
        {{"AND X0", "OUT Y0", "END"}, 0},                    // no block to work on
        {{"LD X0", "END"}, 1},                               // block without output
        {{"LD X0", "MPS", "OUT Y0", "LD X1", "END"}, 3},     // new rung with MPS open
        {{"LD X0", "LD X0", "OUT Y0", "OUT Y1", "END"}, 2},  // a row emitted twice
        {{"LD X0", "MPS", "AND X1", "OUT Y0", "LD X2", "OUT Y1", "MPP", "END"}, 4},  // same
        {{"LD X0", "MPS", "OUT Y0", "LD X1", "MPS", "OUT Y1", "MPP", "MPP", "END"}, 3},
        {{"LD X0", "OUT Y0", "LD X1", "LD X2", "ANB", "ANB", "ANB", "END"}, 6},  // one ANB too many
        {{"LD X0", "OUT Y0", "LD X1", "MPP", "END"}, 3},    // MPP with a block open
        {{"LD X0", "OUT Y0", "LD X1", "OR X2", "END"}, 4},  // joined block without output
    };
    for (const auto& [lines, row] : bad) {
        const ListResult r = runList(parse(lines), only({}));
        EXPECT_FALSE(r.ok) << lines[row];
        EXPECT_EQ(r.errorRow, row) << r.problem;
    }
}

TEST(PowerFlow, ParallelBranchesAndOutputSplits) {
    auto g = std::make_unique<LadderGrid>();
    // X0 in parallel with X1 (branch contact), then a split at column 2 to two coils.
    g->setCell(0, 1, OpenContact, "X0", LinkWire | LinkSymbol);
    g->setCell(1, 1, OpenBranch, "X1", LinkWire | LinkSymbol);
    g->setLinks(0, 1, LinkWire | LinkSymbol | LinkDown);
    g->addLinks(0, 2, LinkDown);
    for (int c = 2; c <= 9; ++c) g->addLinks(0, c, LinkWire);
    g->setCell(0, 10, Coil, "Y0", LinkWire | LinkSymbol);
    g->setCell(2, 2, CloseContact, "X2", LinkWire | LinkSymbol);
    g->addLinks(1, 2, LinkDown);
    for (int c = 3; c <= 9; ++c) g->setCell(2, c, HorizontalLine, {}, LinkWire);
    g->setCell(2, 10, Coil, "Y1", LinkWire | LinkSymbol);
    g->m_nDrawnLastRow = 2;
    EXPECT_EQ(runGrid(*g, only({"X1", "X2"})), (std::vector<Output>{{"Y0", true}, {"Y1", false}}));
    EXPECT_EQ(runGrid(*g, only({})), (std::vector<Output>{{"Y0", false}, {"Y1", false}}));
    EXPECT_EQ(runGrid(*g, only({"X0"})), (std::vector<Output>{{"Y0", true}, {"Y1", true}}));
}

}  // namespace
}  // namespace rs::eval
