// The "Communication" dialog driven as a user drives it, over pseudo-terminals
// to rungsmith-plcsim: downloads in both modes, the settings file, a missing
// port, a controller that falls silent, and closing during a transfer.
#include "comm/qt/communication_dialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include "comm/comm_messages.h"
#include "core/messages.h"
#include "tests/comm/dialog_fixture.h"

using namespace rs;
using namespace rs::test;

namespace {

using Communication = DialogFixture;

QStringList items(QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
}

void typePort(CCommunication& dialog, const QString& path) {
    dialog.portList()->lineEdit()->selectAll();
    QTest::keyClicks(dialog.portList()->lineEdit(), path);
}

}  // namespace

TEST_F(Communication, ControlsInTheirOrderAndTexts) {
    CCommunication dialog(app, sink, env);
    EXPECT_EQ(dialog.windowTitle(), "Communication");
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels,
              (QStringList{"COM Port", "Baud Rate", "Parity Bit", "Data Length", "Stop Bit"}));
    EXPECT_EQ(items(dialog.baudList()), (QStringList{"9600", "19200"}));
    EXPECT_EQ(items(dialog.parityList()), (QStringList{"Odd", "Even", "None"}));
    EXPECT_EQ(items(dialog.dataLengthList()), (QStringList{"7", "8"}));
    EXPECT_EQ(items(dialog.stopBitList()), (QStringList{"1", "2"}));
    EXPECT_EQ(dialog.downloadButton()->text(), "Download");
    EXPECT_TRUE(dialog.downloadButton()->isEnabled());
    EXPECT_EQ(dialog.uploadButton()->text(), "Upload");
    EXPECT_FALSE(dialog.uploadButton()->isEnabled());
    EXPECT_EQ(dialog.comDebugBox()->text(), "ComDebug");
    EXPECT_FALSE(dialog.comDebugBox()->isEnabled());
    EXPECT_FALSE(dialog.comDebugBox()->isChecked());
    // Tab order: the five lists, then the buttons.
    std::vector<QWidget*> order;
    for (QWidget* w = dialog.portList(); order.size() < 8; w = w->nextInFocusChain())
        if (w->parentWidget() == &dialog && (w->focusPolicy() & Qt::TabFocus)) order.push_back(w);
    EXPECT_EQ(order[1], dialog.baudList());
    EXPECT_EQ(order[4], dialog.stopBitList());
    EXPECT_EQ(order[5], dialog.downloadButton());
}

// Each case: the settings file (none when null), what the five lists select,
// whether the selected port is open.
TEST_F(Communication, StartSelectsWhatTheSettingsFileSays) {
    PtyPort a, b, c;
    systemPorts = {a.path, b.path, c.path};
    struct Case {
        const char* file;
        CommSelection selected;
        bool open;
    };
    const Case cases[] = {
        {nullptr, {2, 0, 1, 0, 0}, true},  // first start: last port, 9600 Even 7 1
        {"00100", {0, 0, 1, 0, 0}, true},   {"11011", {1, 1, 0, 1, 1}, true},
        {"21211", {2, 1, 2, 1, 1}, true},   {"junk\n10200\n", {1, 0, 2, 0, 0}, true},
        {"31000", {-1, 1, 0, 0, 0}, false},  // a port index beyond the three found
        {"02999", {0, 0, 1, 0, 0}, true},    // line settings outside their lists keep defaults
    };
    for (const Case& k : cases) {
        std::remove(env.protocolFile.c_str());
        if (k.file) writeSettings(k.file);
        sink.clear();
        CCommunication dialog(app, sink, env);
        const CommSelection got{
            dialog.portList()->currentIndex(), dialog.baudList()->currentIndex(),
            dialog.parityList()->currentIndex(), dialog.dataLengthList()->currentIndex(),
            dialog.stopBitList()->currentIndex()};
        EXPECT_EQ(got, k.selected) << (k.file ? k.file : "no file");
        EXPECT_EQ(dialog.portOpen(), k.open) << (k.file ? k.file : "no file");
        EXPECT_EQ(items(dialog.portList()).size(), 3);
        if (k.selected.port < 0) {
            EXPECT_TRUE(dialog.portList()->currentText().isEmpty());
        }
        EXPECT_TRUE(sink.shown.empty()) << sink.texts().front();
    }
    // A missing file is created empty.
    std::remove(env.protocolFile.c_str());
    CCommunication dialog(app, sink, env);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(env.protocolFile)));
    EXPECT_EQ(settingsText(), "");
}

TEST_F(Communication, DownloadsIntoTheSimulatorInBothModes) {
    PtyPort system;
    systemPorts = {system.path};
    for (bool mode2 : {false, true}) {
        SCOPED_TRACE(mode2 ? "mode 2" : "mode 1");
        Simulator sim(tempPath(mode2 ? "plc2" : "plc1"), mode2);
        ASSERT_TRUE(sim.started);
        load(sampleProgram(), mode2);
        std::remove(env.protocolFile.c_str());
        sink.clear();

        CCommunication dialog(app, sink, env);
        dialog.show();
        typePort(dialog, sim.link);
        dialog.baudList()->setCurrentIndex(1);
        QSignalSpy finished(&dialog, &CCommunication::transferFinished);
        std::vector<int> shown;
        QObject::connect(dialog.progressBar(), &QProgressBar::valueChanged,
                         [&](int v) { shown.push_back(v); });
        // The window keeps serving its events while the words go out.
        QElapsedTimer clock;
        qint64 last = 0, longestGap = 0;
        QTimer beat;
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        beat.start(10);

        QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
        ASSERT_TRUE(dialog.transferRunning());
        EXPECT_EQ(dialog.downloadButton()->isEnabled(), mode2);  // mode 1 disables it
        // A second click while the transfer runs starts nothing.
        QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
        QTest::qWait(100);  // nothing arrives from a second transfer

        EXPECT_EQ(sink.texts(), std::vector<std::string>{msg::kDownloadSucceed});
        EXPECT_EQ(sink.shown.front().caption, msg::kDownloadCaption);
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(sim.words(), encoded());
        const int range = static_cast<int>(encoded().size());
        EXPECT_EQ(dialog.progressBar()->maximum(), range);
        EXPECT_EQ(dialog.progressBar()->value(), range);
        ASSERT_FALSE(shown.empty());
        EXPECT_LE(*std::max_element(shown.begin(), shown.end()), range);
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
        EXPECT_GT(shown.size(), mode2 ? 1u : 10u);  // per word in mode 1
        EXPECT_TRUE(dialog.downloadButton()->isEnabled());
        EXPECT_LT(longestGap, 150);

        // The settings are kept: the typed path after the one port found.
        EXPECT_EQ(settingsText(), "11100\nport=" + sim.link.toStdString());
        dialog.close();
        EXPECT_FALSE(dialog.portOpen());
        CCommunication again(app, sink, env);
        EXPECT_EQ(again.portList()->currentText(), sim.link);
        EXPECT_EQ(again.portList()->currentIndex(), 1);
        EXPECT_EQ(again.baudList()->currentText(), "19200");
        EXPECT_TRUE(again.portOpen());
    }
}

// A port offered on the command line (--port) is not one the system lists:
// the next start, without it, still finds it by its path.
TEST_F(Communication, APortFromTheCommandLineIsKeptByItsPath) {
    PtyPort system;
    Simulator sim(tempPath("plc"), true);
    ASSERT_TRUE(sim.started);
    systemPorts = {system.path, sim.link.toStdString()};
    load(sampleProgram(), true);
    {
        CCommunication dialog(app, sink, env);
        dialog.portList()->setCurrentIndex(1);  // chosen from the list, not typed
        QSignalSpy finished(&dialog, &CCommunication::transferFinished);
        QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
    }
    EXPECT_EQ(sink.texts(), std::vector<std::string>{msg::kDownloadSucceed});
    EXPECT_EQ(settingsText(), "10100\nport=" + sim.link.toStdString());
    systemPorts = {system.path};
    CCommunication again(app, sink, env);
    EXPECT_EQ(again.portList()->currentText(), sim.link);
    EXPECT_TRUE(again.portOpen());
}

TEST_F(Communication, APortThatCannotBeOpenedSendsNothing) {
    systemPorts = {tempPath("no-such-port").toStdString()};
    load(sampleProgram(), true);
    writeSettings("00100");
    CCommunication dialog(app, sink, env);
    ASSERT_EQ(sink.texts(), std::vector<std::string>{msg::kCannotOpenPort});
    EXPECT_FALSE(dialog.portOpen());
    sink.clear();
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{msg::kCannotOpenPort});
    EXPECT_FALSE(dialog.transferRunning());
    EXPECT_TRUE(dialog.downloadButton()->isEnabled());
    EXPECT_EQ(settingsText(), "00100");  // not rewritten

    // No port at all: said so, nothing written.
    sink.clear();
    dialog.portList()->setEditText({});
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{msg::kNoPort});
    EXPECT_EQ(settingsText(), "00100");
}

TEST_F(Communication, AControllerThatStopsAnswering) {
    Simulator sim(tempPath("plc"), true, {"--fault", "silent-after=4"});
    ASSERT_TRUE(sim.started);
    systemPorts = {sim.link.toStdString()};
    load(sampleProgram(), true);
    CCommunication dialog(app, sink, env);
    QSignalSpy finished(&dialog, &CCommunication::transferFinished);
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_EQ(sink.texts(), std::vector<std::string>{msg::kInterruption});
    EXPECT_EQ(sink.shown.front().caption, msg::kErrorCaption);
    EXPECT_FALSE(dialog.transferRunning());
    EXPECT_TRUE(dialog.downloadButton()->isEnabled());
    EXPECT_LE(dialog.progressBar()->value(), dialog.progressBar()->maximum());
}

TEST_F(Communication, ClosingDuringATransferAsksFirst) {
    for (bool mode2 : {false, true}) {
        SCOPED_TRACE(mode2 ? "mode 2" : "mode 1");
        Simulator sim(tempPath(mode2 ? "plc2" : "plc1"), mode2);
        ASSERT_TRUE(sim.started);
        systemPorts = {sim.link.toStdString()};
        load(longProgram(mode2 ? 2000 : 300), mode2);
        // The last round's port, kept by its path, is gone with its stand-in.
        std::remove(env.protocolFile.c_str());
        sink.clear();
        auto dialog = std::make_unique<CCommunication>(app, sink, env);
        dialog->show();
        QTest::mouseClick(dialog->downloadButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->progressBar()->value() >= 64; }, 10000));

        // No: the dialog stays and the transfer goes on.
        sink.answers = {MessageAnswer::No};
        dialog->reject();
        ASSERT_EQ(sink.texts(), std::vector<std::string>{kStopTransferQuestion});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->transferRunning());
        const int before = dialog->progressBar()->value();
        QTest::qWait(200);
        EXPECT_GT(dialog->progressBar()->value(), before);

        // Yes (the close box): the transfer stops (mode 2 first releases the
        // program bit), the port closes, and the dialog says that the
        // controller holds part of the program.
        sink.clear();
        sink.answers = {MessageAnswer::Yes};
        dialog->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 2000));
        const std::vector<std::string> said{kStopTransferQuestion, msg::kPartialProgram};
        EXPECT_EQ(sink.texts(), said);
        EXPECT_EQ(sink.shown.back().caption, msg::kErrorCaption);
        EXPECT_FALSE(dialog->transferRunning());
        EXPECT_FALSE(dialog->portOpen());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        const int stoppedAt = dialog->progressBar()->value();
        QTest::qWait(700);  // past two retry periods: no timer, no reply reaches it
        EXPECT_EQ(dialog->progressBar()->value(), stoppedAt);
        dialog.reset();
        QTest::qWait(300);
        EXPECT_EQ(sink.texts(), said);
        EXPECT_LT(sim.words().size(), encoded().size());  // the controller got part of it
    }

    // With no transfer running, closing asks nothing.
    PtyPort idlePort;
    systemPorts = {idlePort.path};
    sink.clear();
    CCommunication idle(app, sink, env);
    idle.show();
    idle.close();
    EXPECT_FALSE(idle.isVisible());
    EXPECT_TRUE(sink.shown.empty());
}
