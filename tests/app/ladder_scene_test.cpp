#include "app/model/ladder_scene.h"

#include <gtest/gtest.h>

#include "core/ladder_grid.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Ladder : ::testing::Test {
    Ladder() : grid(std::make_unique<LadderGrid>()) {}
    Scene scene(int w = 1200, int h = 800) {
        return ladderScene({*grid, LadderGeometry(w, h), true, 0, kScrollAreaSize, {}, {}});
    }
    std::unique_ptr<LadderGrid> grid;
};

}  // namespace

TEST_F(Ladder, GeometryFollowsTheClientSize) {
    LadderGeometry g(1200, 800);
    EXPECT_EQ(g.W, 100);
    EXPECT_EQ(g.H, 100);
    EXPECT_EQ(g.leftRail(), 100);
    EXPECT_EQ(g.rightRail(), 1107);
    LadderGeometry odd(1001, 803);
    EXPECT_EQ(odd.W, 83);
    EXPECT_EQ(odd.H, 100);
    EXPECT_EQ(odd.rightRail(), 924);
}

TEST_F(Ladder, EmptyLadderShowsRailsEndRowAndCursor) {
    grid->setRowStep(0, "0");
    const Scene s = scene();
    EXPECT_TRUE(s.hasLine({100, 0}, {100, kScrollAreaSize}));
    EXPECT_TRUE(s.hasLine({1107, 0}, {1107, kScrollAreaSize}));
    EXPECT_TRUE(s.hasLine({100, 50}, {1107, 50}));  // END line in row 0
    const auto* end = s.findText("[ END    ]");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->rect, (Rect{1000, 0, 1200, 100}));
    EXPECT_EQ(end->align, Scene::Align::LeftMiddle);
    const auto* step = s.findText("0");
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->rect, (Rect{28, 33, 140, 66}));
    ASSERT_EQ(s.boxes.size(), 1u);
    EXPECT_EQ(s.boxes[0], (Rect{100, 0, 200, 100}));  // new view: row 0, column 1
}

TEST_F(Ladder, ContactCoilAndTheirTexts) {
    grid->setCell(0, 1, OpenContact, "X000", LinkSymbol);
    grid->setCell(0, 2, CloseContact, "X001", LinkSymbol);
    for (int c = 3; c < 10; ++c) grid->setCell(0, c, HorizontalLine, "", LinkWire);
    grid->setCell(0, 10, Coil, "Y000", LinkSymbol);
    grid->setCell(1, 10, CloseContact, "X002", LinkSymbol);  // never drawn in column 10
    grid->m_nLastRow = grid->m_nDrawnLastRow = 1;
    grid->m_nCursorRow = 0;
    grid->m_nCursorCol = 10;
    const Scene s = scene();
    // open contact: wires to the bars at 2/5 and 3/5, bars over the middle third
    EXPECT_TRUE(s.hasLine({100, 50}, {140, 50}));
    EXPECT_TRUE(s.hasLine({140, 33}, {140, 66}));
    EXPECT_TRUE(s.hasLine({160, 33}, {160, 66}));
    EXPECT_TRUE(s.hasLine({160, 50}, {200, 50}));
    EXPECT_TRUE(s.hasLine({266, 33}, {233, 66}));  // slash of the closed contact
    EXPECT_EQ(s.findText("X000")->rect, (Rect{100, 0, 200, 33}));
    EXPECT_TRUE(s.hasLine({300, 50}, {400, 50}));  // wire cell
    ASSERT_EQ(s.arcs.size(), 2u);
    EXPECT_EQ(s.arcs[0].bounds, (Rect{1000, 20, 1105, 80}));
    EXPECT_EQ(s.arcs[0].from, (Point{1002, 20}));
    EXPECT_EQ(s.arcs[1].from, (Point{1103, 80}));
    EXPECT_TRUE(s.hasLine({1105, 50}, {1107, 50}));
    EXPECT_EQ(s.findText("Y000")->rect, (Rect{1010, 0, 1200, 100}));
    EXPECT_EQ(s.findText("X002"), nullptr);
    EXPECT_EQ(s.boxes[0], (Rect{1000, 0, 1107, 100}));  // column 10: up to the right rail
    EXPECT_TRUE(s.hasLine({100, 250}, {1107, 250}));    // END in row 2
}

TEST_F(Ladder, InstructionBoxOverItsOperandColumns) {
    grid->setCell(2, 10, AppInstruction, "MOV K10 D0", LinkSymbol);
    grid->m_nLastRow = grid->m_nDrawnLastRow = 2;
    grid->m_nCursorRow = 2;
    grid->m_nCursorCol = 9;
    const Scene s = scene();
    EXPECT_TRUE(s.hasLine({800, 233}, {800, 266}));  // left bracket at 8 * W
    EXPECT_TRUE(s.hasLine({800, 266}, {811, 266}));
    EXPECT_TRUE(s.hasLine({1101, 233}, {1101, 266}));  // right bracket
    EXPECT_TRUE(s.hasLine({1101, 250}, {1107, 250}));
    EXPECT_EQ(s.findText("MOV K10 D0")->rect, (Rect{1010 - 200 + 40, 200, 1200, 300}));
    EXPECT_EQ(s.boxes[0], (Rect{800, 200, 1107, 300}));  // the whole box
    EXPECT_EQ(instructionTextLeft(LadderGeometry(1200, 800), 0), 1010);
    EXPECT_EQ(instructionTextLeft(LadderGeometry(1200, 800), 1), 940);
    EXPECT_EQ(instructionTextLeft(LadderGeometry(1200, 800), 4), 710);
}

TEST_F(Ladder, BranchContactWiresAndVerticalLinks) {
    grid->setCell(0, 1, OpenContact, "X000", LinkSymbol | LinkDown | LinkBranchStart);
    grid->setCell(0, 2, HorizontalLine, "", LinkWire | LinkDown | LinkBranchEnd);
    grid->setCell(1, 1, OpenBranch, "X001", LinkSymbol);
    grid->setCell(0, 3, OpenBranch, "X009", LinkSymbol);  // row 0: not drawn
    grid->m_nLastRow = grid->m_nDrawnLastRow = 1;
    const Scene s = scene();
    EXPECT_TRUE(s.hasLine({100, 50}, {100, 150}));  // branch wire left, row above to this row
    EXPECT_TRUE(s.hasLine({200, 50}, {200, 150}));  // and right
    EXPECT_NE(s.findText("X001"), nullptr);
    EXPECT_EQ(s.findText("X009"), nullptr);
}

TEST_F(Ladder, CursorBelowTheEndRowIsNotDrawnAndOnlyVisibleRowsAre) {
    grid->m_nLastRow = grid->m_nDrawnLastRow = 3;
    grid->m_nCursorRow = 5;
    grid->m_nCursorCol = 2;
    EXPECT_TRUE(scene().boxes.empty());
    for (int r = 0; r < 40; ++r) grid->setCell(r, 1, OpenContact, "M" + std::to_string(r), 2);
    grid->m_nLastRow = grid->m_nDrawnLastRow = 39;
    const Scene part = ladderScene({*grid, LadderGeometry(1200, 800), true, 1000, 1800, {}, {}});
    EXPECT_EQ(part.findText("M5"), nullptr);
    EXPECT_NE(part.findText("M9"), nullptr);
    EXPECT_NE(part.findText("M18"), nullptr);
    EXPECT_EQ(part.findText("M25"), nullptr);
}

TEST_F(Ladder, ReportMarkOfACell) {
    LadderSceneInput in{*grid, LadderGeometry(1200, 800), true, 0, 800, {}, {}};
    in.mark = {true, false, 3, 4};
    const Scene s = ladderScene(in);
    ASSERT_EQ(s.boxes.size(), 2u);  // the cursor and the mark
    EXPECT_EQ(s.boxes[1], (Rect{400, 300, 500, 400}));
    in.mark.inList = true;
    EXPECT_EQ(ladderScene(in).boxes.size(), 1u);
}

TEST_F(Ladder, DragSelectionStopsAtTheOutputColumn) {
    CellSelection sel{true, 4, 10, 2, 3};
    const Scene s = ladderScene({*grid, LadderGeometry(1200, 800), true, 0, 800, sel, {}});
    ASSERT_EQ(s.highlights.size(), 1u);
    EXPECT_EQ(s.highlights[0], (Rect{300, 200, 1100, 500}));
}
