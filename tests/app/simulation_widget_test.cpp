// The window's simulation mode as a user drives it: Online > "Start
// simulation" on a converted ladder, a double click on the X000 contact, and
// the coil Y000 drawn energized.
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>

#include "app/model/commands.h"
#include "core/messages.h"
#include "core/device/device_address.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Simulation : test::FrameFixture {
    Simulation() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
    }
    LadderGrid& grid() { return session().grid(); }
    QPoint cellCentre(int row, int col) {
        const auto g = view()->geometry();
        return QPoint(col * g.W + g.W / 2, row * g.H + g.H / 2);
    }
    void doubleClick(QPoint at) {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
            QMouseEvent e(type, at, view()->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view()->viewport(), &e);
        }
        QApplication::processEvents();
    }
    void enter(Qt::Key k, const std::string& text) {
        dialogs.symbol(text);
        key(k);
    }
    // Green pixels of the live drawing inside a rectangle of the viewport.
    int greenPixels(QRect r) {
        const QImage img = view()->viewport()->grab().toImage();
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.green() - c.red() > 30 && c.green() - c.blue() > 30;
            }
        return n;
    }
    QRect coilArea(int row) {
        const auto g = view()->geometry();
        return QRect(10 * g.W, row * g.H, g.W + 10, g.H);
    }
    bool y000() {
        return project()->simulation().memory().bit(
            *device::deviceAddress("Y000", device::AccessKind::Bit));
    }
    QString status() {
        for (QLabel* l : frame->statusBar()->findChildren<QLabel*>())
            if (l->text().contains("scans")) return l->text();
        return {};
    }
};

}  // namespace

TEST_F(Simulation, ToggleX0AndSeeY0DrawnEnergized) {
    enter(Qt::Key_F5, "X0");
    grid().m_nCursorCol = 2;
    enter(Qt::Key_F7, "Y0");

    frame->runCommand(CmdStartSimulation);
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().text, msg::kNotCompiled);
    EXPECT_FALSE(project()->simulation().active());

    key(Qt::Key_F4);
    ASSERT_TRUE(enabled(CmdStartSimulation));
    EXPECT_FALSE(enabled(CmdStopSimulation));
    frame->runCommand(CmdStartSimulation);
    ASSERT_TRUE(project()->simulation().running());
    EXPECT_FALSE(enabled(CmdStartSimulation));
    EXPECT_TRUE(enabled(CmdStopSimulation));
    for (int c : {CmdConvert, CmdCut, CmdPaste, CmdOpenContact, CmdInsertLine, CmdUndo})
        EXPECT_FALSE(enabled(c)) << "editing is locked: " << c;
    EXPECT_TRUE(enabled(CmdInstructionList));

    QTest::qWait(80);
    EXPECT_FALSE(y000());
    EXPECT_EQ(greenPixels(coilArea(0)), 0);

    const size_t dialogsBefore = dialogs.symbolPresets.size();
    doubleClick(cellCentre(0, 1));
    EXPECT_EQ(dialogs.symbolPresets.size(), dialogsBefore) << "no entry dialog while simulating";
    // The next scan switches Y000 on, the next repaint draws it (well within
    // a second, however busy the machine).
    EXPECT_TRUE(QTest::qWaitFor([&] { return y000() && greenPixels(coilArea(0)) > 20; }, 3000))
        << "the coil is drawn energized";
    EXPECT_TRUE(status().contains("scans")) << status().toStdString();

    // The list marks the rows whose result is on.
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return greenPixels(QRect(0, 0, 200, kListLineHeight)) > 50; }, 3000));
    key(Qt::Key_F1, Qt::AltModifier);

    doubleClick(cellCentre(0, 1));  // the input goes off again
    EXPECT_TRUE(QTest::qWaitFor([&] { return !y000(); }, 3000));

    frame->runCommand(CmdStopSimulation);
    EXPECT_FALSE(project()->simulation().active());
    EXPECT_TRUE(enabled(CmdConvert));
    EXPECT_EQ(greenPixels(coilArea(0)), 0);
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(Simulation, SingleScanStartsPausedAndStepsTheClock) {
    enter(Qt::Key_F5, "X0");
    grid().m_nCursorCol = 2;
    enter(Qt::Key_F7, "T0 K5");
    key(Qt::Key_F4);
    frame->runCommand(CmdSingleScan);
    ASSERT_TRUE(project()->simulation().active());
    EXPECT_FALSE(project()->simulation().running());
    EXPECT_TRUE(enabled(CmdStartSimulation));
    doubleClick(cellCentre(0, 1));
    for (int i = 0; i < 11; ++i) frame->runCommand(CmdSingleScan);
    const auto& engine = project()->simulation().engine();
    EXPECT_EQ(engine.scans(), 12);
    EXPECT_EQ(engine.clockMs(), 110);
    EXPECT_EQ(project()->simulation().memory().word(
                  *device::deviceAddress("T0", device::AccessKind::Loop)),
              1);
}
