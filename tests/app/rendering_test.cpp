#include <QImage>

#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

// The view at a client size of 1200 x 800: cells of 100 x 100, the right rail
// at 1107. Pixels are read from the viewport's own image.
struct Rendering : test::FrameFixture {
    Rendering() {
        frame->runCommand(CmdNewProject);
        frame->resize(1500, 1100);
        QApplication::processEvents();
        QWidget* vp = view()->viewport();
        const QSize extra = view()->size() - vp->size();
        project()->showNormal();
        project()->setWindowState(Qt::WindowNoState);
        project()->resize(project()->size() - vp->size() + QSize(1200, 800));
        QApplication::processEvents();
        (void)extra;
    }
    QImage image() {
        project()->modelChanged();
        return view()->viewport()->grab().toImage();
    }
    static bool dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }
    // Whether any pixel of the rectangle is dark.
    static bool inked(const QImage& img, QRect r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (dark(img, x, y)) return true;
        return false;
    }
    void enter(Qt::Key k, const std::string& text, int row, int col,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        session().grid().m_nCursorRow = row;
        session().grid().m_nCursorCol = col;
        dialogs.symbol(text);
        key(k, mods);
    }
};

}  // namespace

TEST_F(Rendering, EmptyLadderRailsEndRowAndCursor) {
    ASSERT_EQ(view()->viewport()->size(), QSize(1200, 800));
    const QImage img = image();
    EXPECT_TRUE(dark(img, 100, 400));   // left rail
    EXPECT_TRUE(dark(img, 1107, 400));  // right rail
    EXPECT_FALSE(dark(img, 1106, 400));
    EXPECT_FALSE(dark(img, 1108, 400));
    EXPECT_TRUE(dark(img, 500, 50));  // END line in row 0
    EXPECT_FALSE(dark(img, 500, 150));
    EXPECT_TRUE(inked(img, QRect(1002, 30, 90, 40)));  // "[ END    ]"
    EXPECT_TRUE(inked(img, QRect(28, 33, 112, 33)));   // step label "0"
    EXPECT_TRUE(dark(img, 150, 0));                    // cursor box of (0, 1)
    EXPECT_TRUE(dark(img, 199, 50));
}

TEST_F(Rendering, ContactCoilAndEndBelowThem) {
    enter(Qt::Key_F5, "X0", 0, 1);
    enter(Qt::Key_F7, "Y0", 0, 2);  // moved to column 10, wires between
    const QImage img = image();
    EXPECT_TRUE(dark(img, 120, 50));  // wire into the contact
    EXPECT_TRUE(dark(img, 140, 40));  // bars at 2/5 and 3/5
    EXPECT_TRUE(dark(img, 160, 60));
    EXPECT_FALSE(dark(img, 150, 60));
    EXPECT_TRUE(inked(img, QRect(100, 0, 100, 33)));  // "X000" above
    EXPECT_TRUE(dark(img, 550, 50));                  // horizontal wire cells
    EXPECT_TRUE(inked(img, QRect(1000, 40, 4, 20)));  // left arc of the coil
    EXPECT_TRUE(inked(img, QRect(1100, 40, 5, 20)));  // right arc
    EXPECT_FALSE(dark(img, 1050, 50));                // inside the coil, no wire
    EXPECT_TRUE(dark(img, 500, 150));                 // END moved to row 1
    EXPECT_FALSE(dark(img, 500, 50 + 1));
}

TEST_F(Rendering, InstructionBoxOverItsOperandColumns) {
    enter(Qt::Key_F5, "X0", 0, 1);
    enter(Qt::Key_F5, "X1", 1, 1);
    enter(Qt::Key_F5, "X2", 2, 1);
    enter(Qt::Key_F8, "MOV K10 D0", 2, 2);
    ASSERT_EQ(session().grid().kind(2, 10), AppInstruction) << sink.texts().size();
    const QImage img = image();
    EXPECT_TRUE(dark(img, 800, 250));                   // left bracket at 8 * W
    EXPECT_TRUE(dark(img, 805, 233));                   // its top arm
    EXPECT_TRUE(dark(img, 1101, 250));                  // right bracket
    EXPECT_TRUE(dark(img, 1104, 250));                  // wire to the rail
    EXPECT_FALSE(dark(img, 850, 250));                  // columns 8 and 9 hold no wire
    EXPECT_TRUE(dark(img, 750, 250));                   // column 7 does
    EXPECT_TRUE(inked(img, QRect(850, 235, 150, 30)));  // "MOV K10 D0"
}

TEST_F(Rendering, BranchContactWithItsVerticalWires) {
    enter(Qt::Key_F5, "X0", 0, 1);
    enter(Qt::Key_F5, "X1", 0, 2);
    enter(Qt::Key_F7, "Y0", 0, 3);
    enter(Qt::Key_F5, "X2", 1, 2, Qt::ShiftModifier);  // open branch under X1
    ASSERT_EQ(session().grid().kind(1, 2), OpenBranch);
    const QImage img = image();
    EXPECT_TRUE(dark(img, 200, 100));  // left vertical wire, from row 0's wire to row 1's
    EXPECT_TRUE(dark(img, 300, 100));  // right one
    EXPECT_TRUE(dark(img, 240, 140));  // the branch contact's bar
    EXPECT_FALSE(dark(img, 250, 100));
}

TEST_F(Rendering, StepLabelsClearedAfterAnEdit) {
    enter(Qt::Key_F5, "X0", 0, 1);
    enter(Qt::Key_F7, "Y0", 0, 2);
    enter(Qt::Key_F5, "X1", 1, 1);
    enter(Qt::Key_F7, "Y1", 1, 2);
    key(Qt::Key_F4);
    ASSERT_EQ(session().grid().rowStep(1), "2");
    const QRect label1(28, 133, 70, 33);  // left of the rail
    EXPECT_TRUE(inked(image(), label1));
    enter(Qt::Key_F5, "X2", 2, 1);  // an edit: every label but row 0's goes
    const QImage img = image();
    EXPECT_FALSE(inked(img, label1));
    EXPECT_TRUE(inked(img, QRect(28, 33, 70, 33)));
}

TEST_F(Rendering, ListLinesWithStepsAndCursor) {
    enter(Qt::Key_F5, "X0", 0, 1);
    enter(Qt::Key_F7, "Y0", 0, 2);
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    session().view.m_nListCursor = 1;
    const QImage img = image();
    for (int line = 0; line < 3; ++line)
        EXPECT_TRUE(inked(img, QRect(5, line * 25 + 5, 200, 15))) << line;
    EXPECT_FALSE(inked(img, QRect(5, 3 * 25 + 5, 200, 15)));
    EXPECT_TRUE(dark(img, 4, 30));  // cursor rectangle of line 1
    EXPECT_TRUE(dark(img, 600, 25));
    EXPECT_FALSE(dark(img, 100, 400));  // no rails in the list
}
