// The window's monitor mode against rungsmith-plcsim running a latch with a
// timer: Online > "Start monitor" draws the ladder from the controller, a
// double click on X000 forces it, the latch and the timer's count appear in
// the ladder and the list is marked, editing is locked, and a vanished port ends the monitor with
// "Communication interruption!".
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>

#include "app/model/commands.h"
#include "app/qt/write_value_dialog.h"
#include "comm/code_encoder.h"
#include "comm/comm_messages.h"
#include "core/device/device_address.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Monitor : test::FrameFixture {
    ~Monitor() override {
        if (plc.state() != QProcess::NotRunning) {
            plc.terminate();
            plc.waitForFinished(3000);
        }
    }
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
    void at(int row, int col) {
        session().grid().m_nCursorRow = row;
        session().grid().m_nCursorCol = col;
    }
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
    QString status() {
        for (QLabel* l : frame->statusBar()->findChildren<QLabel*>())
            if (l->text().startsWith("Monitor") || l->text().startsWith("No answer"))
                return l->text();
        return {};
    }
    // The latch of X000 (X001 releases it) and a timer on Y000, converted,
    // encoded and loaded into a stand-in started on a pseudo-terminal.
    void latchInController() {
        key(Qt::Key_N, Qt::ControlModifier);
        view()->setFocus();
        enter(Qt::Key_F5, "X0");
        at(0, 2);
        enter(Qt::Key_F6, "X1");
        at(0, 3);
        enter(Qt::Key_F7, "Y0");
        at(1, 1);
        dialogs.symbol("Y0");
        key(Qt::Key_F5, Qt::ShiftModifier);  // an open branch: Y000 beside X000
        at(2, 1);
        enter(Qt::Key_F5, "Y0");
        at(2, 2);
        enter(Qt::Key_F7, "T0 K30");
        at(3, 1);
        enter(Qt::Key_F5, "X2");
        at(3, 2);
        enter(Qt::Key_F7, "C0 K10");
        key(Qt::Key_F4);
        ASSERT_TRUE(frame->appStore().m_bCompiled);
        std::vector<std::string> rows;
        for (int r = 0; r < 9; ++r)
            rows.push_back(frame->appStore().table->m_Instruction[static_cast<size_t>(r)] + " " +
                           frame->appStore().table->m_Parameter[static_cast<size_t>(r)]);
        ASSERT_EQ(rows,
                  (std::vector<std::string>{"LD X000", "OR Y000", "ANI X001", "OUT Y000", "LD Y000",
                                            "OUT T0 K30", "LD X002", "OUT C0 K10", "END "}));
        CodeEncoder encoder(true);
        ASSERT_EQ(encoder.encodeProgram(*frame->appStore().table), EncodeStatus::Ok);
        QFile words(tempPath("program.hex"));
        ASSERT_TRUE(words.open(QIODevice::WriteOnly));
        QTextStream out(&words);
        for (int i = 0; i <= encoder.codeEnd(); ++i)
            out << QString("%1\n").arg(encoder.code()[static_cast<size_t>(i)], 4, 16, QChar('0'));
        words.close();
        link = tempPath("plc");
        plc.start(RUNGSMITH_PLCSIM, {"--mode", "2", "--link", link, "--load", words.fileName()});
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(link); }, 5000));
        CommEnvironment comm;
        comm.protocolFile = tempPath("settings.txt").toStdString();
        const std::string port = link.toStdString();
        comm.probe = [port](const std::vector<std::string>&) {
            return std::vector<std::string>{port};
        };
        frame->setCommEnvironment(comm);
    }
    uint16_t valueOf(const char* device) const {
        return project()->monitor().poll().image().word(
            *device::deviceAddress(device, device::AccessKind::Loop));
    }
    uint16_t timerValue() const { return valueOf("T0"); }
    QProcess plc;
    QString link;
};

}  // namespace

TEST_F(Monitor, ForceX0AndWatchTheLatchAndTheTimerCount) {
    EXPECT_FALSE(enabled(CmdStartMonitor));
    latchInController();
    ASSERT_TRUE(enabled(CmdStartMonitor));
    EXPECT_FALSE(enabled(CmdStopMonitor));
    frame->runCommand(CmdStartMonitor);
    ASSERT_TRUE(project()->monitor().active())
        << (sink.shown.empty() ? "" : sink.shown.back().text);
    EXPECT_FALSE(enabled(CmdStartMonitor));
    EXPECT_TRUE(enabled(CmdStopMonitor));
    EXPECT_FALSE(enabled(CmdStartSimulation));
    for (int c : {CmdConvert, CmdCut, CmdPaste, CmdOpenContact, CmdInsertLine, CmdUndo})
        EXPECT_FALSE(enabled(c)) << "editing is locked: " << c;
    ASSERT_TRUE(QTest::qWaitFor([&] { return project()->monitor().poll().rounds() >= 2; }, 5000));
    EXPECT_EQ(greenPixels(coilArea(0)), 0);
    EXPECT_TRUE(status().startsWith("Monitor")) << status().toStdString();

    const size_t dialogsBefore = dialogs.symbolPresets.size();
    doubleClick(cellCentre(0, 1));  // force X000 on
    EXPECT_EQ(dialogs.symbolPresets.size(), dialogsBefore) << "no entry dialog while monitoring";
    // The stand-in's program latches Y000 and runs the timer; the monitor
    // draws the latch and the count.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return greenPixels(coilArea(0)) > 20 && timerValue() >= 5; }, 8000))
        << "the latch holds and the timer counts";
    // The picture of the documentation: X000 forced on, the latch holding, T0 counting.
    const QString folder = qEnvironmentVariable("RUNGSMITH_SCREENSHOTS");
    if (!folder.isEmpty()) frame->grab().save(folder + "/screenshot-monitor.png");
    // The list marks the rows that are on, from one scan over the controller's devices.
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return greenPixels(QRect(0, 0, 200, kListLineHeight)) > 50; }, 5000));
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_FALSE(session().view.m_bListMode);

    doubleClick(cellCentre(0, 1));  // X000 off again: the latch holds on its own contact
    QTest::qWait(300);
    EXPECT_GT(greenPixels(coilArea(0)), 20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timerValue() == 30; }, 8000));

    frame->runCommand(CmdStopMonitor);
    EXPECT_FALSE(project()->monitor().active());
    EXPECT_TRUE(enabled(CmdConvert));
    EXPECT_EQ(greenPixels(coilArea(0)), 0);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Monitor, AWordOperandTakesAWrittenValue) {
    latchInController();
    frame->runCommand(CmdStartMonitor);
    ASSERT_TRUE(project()->monitor().active());
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<CWriteValueDialog*>(QApplication::activeModalWidget())) {
            d->valueEdit()->setText("70000");  // refused: the dialog stays
            d->accept();
            if (d->isVisible()) {
                d->valueEdit()->setText("-2");
                d->accept();
            }
        }
    });
    answer.start(20);
    doubleClick(cellCentre(3, kOutputCol));  // the counter's coil: its current value
    answer.stop();
    // The counter counts only rising edges of X002: the value written stays.
    EXPECT_TRUE(QTest::qWaitFor([&] { return valueOf("C0") == 0xFFFE; }, 5000));
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Monitor, AVanishedPortEndsTheMonitor) {
    latchInController();
    frame->runCommand(CmdStartMonitor);
    ASSERT_TRUE(QTest::qWaitFor([&] { return project()->monitor().poll().rounds() >= 1; }, 5000));
    plc.terminate();
    plc.waitForFinished(3000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !project()->monitor().active(); }, 5000));
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().text, msg::kInterruption);
    EXPECT_TRUE(enabled(CmdConvert));
}
