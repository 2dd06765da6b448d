// The watch window and the timing chart as a user drives them: a latch with
// a timer, Y000 and T0 added from the cursor with Ctrl+Shift+W, X000 added by
// name and switched on from the watch window, D0 typed, and the waveforms
// drawn in the chart.
#include <QAction>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

#include "app/model/commands.h"
#include "app/model/timing_chart.h"
#include "app/qt/timing_chart_bar.h"
#include "app/qt/watch_bar.h"
#include "app/qt/watch_docks.h"
#include "core/device/device_address.h"
#include "tests/app/widget_fixture.h"
#include "translations/language.h"

using namespace rs;
using namespace rs::shell;

namespace {

// The pictures of the documentation are taken in English.
struct EnglishWhenPictured {
    EnglishWhenPictured() : english(!qEnvironmentVariableIsEmpty("RUNGSMITH_SCREENSHOTS")) {
        if (english) rs::qt::installEnglish(true);
    }
    ~EnglishWhenPictured() {
        if (english) rs::qt::installEnglish(false);
    }
    bool english;
};

struct Watching : EnglishWhenPictured, test::FrameFixture {
    Watching() {
        frame->resize(1280, 860);
        frame->runCommand(CmdNewProject);
        view()->setFocus();
        key(Qt::Key_F1, Qt::AltModifier);
        int line = 0;
        for (const char* text : {"LD X0", "OR Y0", "ANI X1", "OUT Y0", "LD Y0", "OUT T0 K10"}) {
            dialogs.list(text);
            doubleClickLine(line++);
        }
        key(Qt::Key_F1, Qt::AltModifier);
        key(Qt::Key_F4);
    }
    void doubleClickLine(int line) {
        const QPoint at(20, line * kListLineHeight + 5);
        QMouseEvent e(QEvent::MouseButtonDblClick, at, view()->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &e);
        QApplication::processEvents();
    }
    // Puts the ladder cursor on the cell whose text starts with a device.
    bool cursorOn(const std::string& device) {
        LadderGrid& g = session().grid();
        for (int r = 0; r <= g.m_nLastRow; ++r)
            for (int c = 0; c < kGridCols; ++c)
                if (g.hasSymbol(r, c) && g.text(r, c).rfind(device, 0) == 0 &&
                    g.kind(r, c) == Coil) {
                    g.m_nCursorRow = r;
                    g.m_nCursorCol = c;
                    return true;
                }
        return false;
    }
    CWatchBar* bar() const { return frame->watchDocks()->watchBar(); }
    QTableWidget* table() const { return bar()->table(); }
    QString cell(int row, int col) const {
        const QTableWidgetItem* item = table()->item(row, col);
        return item ? item->text() : QString();
    }
    int rowOf(const QString& device) const {
        for (int r = 0; r < table()->rowCount(); ++r)
            if (cell(r, 0) == device) return r;
        return -1;
    }
    void doubleClickValue(int row) {
        QApplication::processEvents();  // the table laid out in its dock
        const QRect r = table()->visualItemRect(table()->item(row, 1));
        // As a mouse makes it: a click, then the second press as a double click.
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseRelease(table()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QApplication::processEvents();
    }
    // An input the watch window does not list, set as a script sets it.
    void press(const char* input, int32_t value) {
        std::string problem;
        project()->simulation().writeDevice(sim::makeWatch(input, problem)->value, value);
    }
    void scans(int n) {
        for (int i = 0; i < n; ++i) frame->runCommand(CmdSingleScan);
    }
    int word(const char* device, device::AccessKind kind) {
        return static_cast<int16_t>(
            project()->simulation().memory().word(*device::deviceAddress(device, kind)));
    }
    // Pixels of a colour family in a picture of a widget.
    static int pixels(const QImage& img, bool (*is)(const QColor&)) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += is(img.pixelColor(x, y));
        return n;
    }
    void keepPicture(const QString& name) {
        const QString folder = qEnvironmentVariable("RUNGSMITH_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QApplication::processEvents();
        frame->grab().save(folder + "/" + name + ".png");
    }
};

bool green(const QColor& c) {
    return c.green() > 100 && c.red() < 60 && c.blue() < 60;
}
bool blue(const QColor& c) {
    return c.blue() > 140 && c.red() < 60 && c.green() < 60;
}

}  // namespace

TEST_F(Watching, AddFromTheCursorEditWhileSimulatingAndSeeTheWaveforms) {
    ASSERT_FALSE(session().view.m_bListMode);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_FALSE(checked(CmdWatchWindow));

    ASSERT_TRUE(cursorOn("Y000"));
    key(Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(cursorOn("T0"));
    frame->runCommand(CmdAddToWatch);
    EXPECT_TRUE(bar()->isVisible()) << "adding shows the watch window";
    EXPECT_TRUE(checked(CmdWatchWindow));
    ASSERT_EQ(table()->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), "Y000");
    EXPECT_EQ(cell(1, 0), "T0");
    EXPECT_EQ(cell(1, 1), "") << "no values before a simulation";

    // Typed into the dock; a second time is refused with the reason.
    bar()->deviceEdit()->setText("x0");
    QTest::keyClick(bar()->deviceEdit(), Qt::Key_Return);
    EXPECT_TRUE(bar()->deviceEdit()->text().isEmpty());
    bar()->deviceEdit()->setText("X000");
    QTest::keyClick(bar()->deviceEdit(), Qt::Key_Return);
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().text, "X000 is watched already");
    bar()->deviceEdit()->setText("D0");
    QTest::keyClick(bar()->deviceEdit(), Qt::Key_Return);
    ASSERT_EQ(table()->rowCount(), 4);

    frame->runCommand(CmdSingleScan);
    ASSERT_TRUE(project()->simulation().active());
    EXPECT_EQ(cell(rowOf("Y000"), 1), "0");
    EXPECT_EQ(cell(rowOf("T0"), 1), "0");

    // Start pressed from the watch window: the input shows forced, the latch holds.
    scans(9);
    doubleClickValue(rowOf("X000"));
    EXPECT_EQ(cell(rowOf("X000"), 1), "1 forced");
    scans(10);
    doubleClickValue(rowOf("X000"));
    EXPECT_EQ(cell(rowOf("X000"), 1), "0");
    scans(100);
    EXPECT_EQ(cell(rowOf("Y000"), 1), "1");
    EXPECT_EQ(cell(rowOf("T0"), 1), "10 on");

    // A word typed over.
    table()->item(rowOf("D0"), 1)->setText("42");
    QApplication::processEvents();
    EXPECT_EQ(word("D0", device::AccessKind::Word), 42);
    EXPECT_EQ(cell(rowOf("D0"), 1), "42");
    table()->item(rowOf("D0"), 1)->setText("4x");
    QApplication::processEvents();
    EXPECT_EQ(sink.shown.back().text, "\"4x\" is no value for D0");
    EXPECT_EQ(cell(rowOf("D0"), 1), "42");

    // Stop pressed at 2 s, start again at 2.5 s: the chart shows both runs of T0.
    scans(70);
    press("X001", 1);
    scans(10);
    press("X001", 0);
    scans(40);
    doubleClickValue(rowOf("X000"));
    scans(10);
    doubleClickValue(rowOf("X000"));
    scans(150);
    keepPicture("screenshot-watch-window");

    frame->runCommand(CmdTimingChart);
    CTimingChartBar* chart = frame->watchDocks()->chartBar();
    ASSERT_TRUE(chart->isVisible());
    EXPECT_TRUE(checked(CmdTimingChart));
    frame->resizeDocks({chart}, {260}, Qt::Vertical);
    QApplication::processEvents();
    EXPECT_EQ(chart->chart()->chartView().endMs, 10000) << "the first ten seconds, live";
    for (QAction* a : chart->findChildren<QAction*>())
        if (a->text() == "Zoom in") a->trigger();
    EXPECT_EQ(chart->chart()->chartView().spanMs, 5000);
    chart->pauseAction()->trigger();
    ASSERT_TRUE(chart->control().paused());
    scans(200);
    EXPECT_EQ(chart->chart()->chartView().endMs, 5000) << "paused at the end it had";
    QImage img = chart->chart()->grab().toImage();
    EXPECT_GT(pixels(img, green), 200) << "bit waveforms drawn";
    EXPECT_GT(pixels(img, blue), 100) << "word waveforms drawn";
    // A click puts the time cursor there; the names show the values at it.
    const int lanes = chart->chart()->width() - kChartNameWidth - kChartRightMargin;
    QTest::mouseClick(chart->chart(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(kChartNameWidth + lanes * 1500 / 5000, 10));
    const auto cursor = chart->chart()->chartView().cursorMs;
    ASSERT_TRUE(cursor);
    EXPECT_NEAR(static_cast<double>(*cursor), 1500.0, 5000.0 / lanes + 1);
    keepPicture("screenshot-timing-chart");
    chart->pauseAction()->trigger();
    EXPECT_EQ(chart->chart()->chartView().endMs, 5990) << "live again";

    // Removing a line leaves the others and their traces.
    table()->setCurrentCell(rowOf("D0"), 0);
    for (QPushButton* b : bar()->findChildren<QPushButton*>())
        if (b->text() == "Remove") b->click();
    EXPECT_EQ(rowOf("D0"), -1);
    EXPECT_EQ(frame->watchDocks()->watches().history().tracedSignals().size(), 4u);

    frame->runCommand(CmdStopSimulation);
    EXPECT_EQ(cell(rowOf("Y000"), 1), "") << "no values once stopped";
}

TEST_F(Watching, TheCursorOnNothingToWatchIsRefused) {
    LadderGrid& g = session().grid();
    g.m_nCursorRow = g.m_nLastRow + 2;
    g.m_nCursorCol = 3;
    frame->runCommand(CmdAddToWatch);
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().text, "The cursor names no device to watch");
    EXPECT_EQ(table()->rowCount(), 0);
}
