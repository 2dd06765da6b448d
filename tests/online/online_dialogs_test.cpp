// The device test and the batch monitor driven as a user would, against
// rungsmith-plcsim on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "comm/code_encoder.h"
#include "core/program_dir.h"
#include "online/list_report_model.h"
#include "online/online_messages.h"
#include "online/qt/batch_monitor_dialog.h"
#include "online/qt/device_port_box.h"
#include "online/qt/device_test_dialog.h"
#include "online/qt/list_report.h"
#include "tests/support/recording_sink.h"

namespace {

// The range file shipped beside the program, as the window passes it.
const rs::RangeFile& shippedRanges() {
    static const rs::RangeFile ranges(rs::defaultRangeFilePath());
    return ranges;
}

bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void spin(int ms) {
    waitFor([] { return false; }, ms);
}

// rungsmith-plcsim linked at a path in a private folder.
struct Simulator {
    explicit Simulator(const QStringList& settings = {}, const QStringList& more = {}) {
        link = dir.path() + "/plc";
        QStringList args{"--link", link};
        for (const QString& s : settings) args << "--set" << s;
        args << more;
        process.start(RUNGSMITH_PLCSIM, args);
        EXPECT_TRUE(waitFor([this] { return QFile::exists(link); }));
    }
    ~Simulator() { stop(); }
    // Stops the stand-in; what it reports of the frames it saw.
    QString stop() {
        if (process.state() == QProcess::NotRunning) return report;
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        process.waitForFinished(3000);
        report = QString::fromUtf8(process.readAllStandardError());
        return report;
    }
    QTemporaryDir dir;
    QString link;
    QProcess process;
    QString report;
};

void useSimulator(DevicePortBox* box, const Simulator& sim) {
    box->setCurrentText(sim.link);
}

void setText(QLineEdit* box, const QString& text) {
    box->setText(text);
}

// A double click as the window system delivers it: press, release, double
// click, release.
void doubleClick(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at, 1000);
    const QPointF local(at), global(w->mapToGlobal(at));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w, &dbl);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// With RUNGSMITH_SCREENSHOTS naming a folder, the dialog's picture is kept
// there (the pictures of the documentation).
void keepPicture(QWidget* dialog, const QString& name) {
    const QString folder = qEnvironmentVariable("RUNGSMITH_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QApplication::processEvents();
    dialog->grab().save(folder + "/" + name + ".png");
}

QString line(const CListReport* list, int r) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c) cells << list->CellText(r, c);
    return cells.join('|');
}

TEST(DeviceDialogs, ForceY0OnAndSeeItsBitInTheMonitor) {
    Simulator sim;
    rs::test::RecordingSink sink;
    CDeviceTest test(sink, shippedRanges());
    test.show();
    useSimulator(test.portBox(), sim);
    setText(test.bitDeviceBox(), "Y0");
    QTest::mouseClick(test.button("Force on"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 1; }));
    EXPECT_EQ(line(test.history(), 0), "Y0|Force on");
    test.reject();

    CDeviceBatchMonitor monitor(sink, shippedRanges());
    monitor.show();
    EXPECT_EQ(monitor.portBox()->port(), sim.link.toStdString());  // the port used last
    setText(monitor.deviceBox(), "Y0");
    QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return monitor.table()->topLevelItemCount() == 16; }));
    ASSERT_TRUE(waitFor([&] { return monitor.table()->CellText(0, 1).endsWith("1"); }));
    EXPECT_EQ(monitor.table()->CellText(0, 0), "Y0");
    EXPECT_EQ(monitor.table()->CellText(0, 1).toStdString(),
              rs::online::bitText(1, rs::online::MonitorLayout::BitOrWord));
    EXPECT_EQ(monitor.table()->CellText(1, 0), "Y20");
    EXPECT_EQ(monitor.table()->CellText(0, 2), "1");
    EXPECT_TRUE(sink.shown.empty());
    // Every heading shows whole, whatever the font.
    const QHeaderView* header = monitor.table()->header();
    for (int c = 0; c < 3; ++c)
        EXPECT_GT(header->sectionSize(c),
                  header->fontMetrics().horizontalAdvance(monitor.table()->headerItem()->text(c)))
            << c;
    keepPicture(&monitor, "device-batch-monitor-bits");

    // Closing stops the polling: the stand-in sees no frame after it.
    monitor.reject();
    EXPECT_FALSE(monitor.monitor().polling());
    spin(150);
    const long sent = monitor.monitor().requestsSent();
    spin(400);
    EXPECT_EQ(monitor.monitor().requestsSent(), sent);
}

TEST(DeviceDialogs, WriteD100AndReadItBack) {
    Simulator sim;
    rs::test::RecordingSink sink;
    CDeviceTest test(sink, shippedRanges());
    test.show();
    useSimulator(test.portBox(), sim);
    setText(test.bitDeviceBox(), "Y000");
    QTest::mouseClick(test.button("Force on"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 1; }));
    setText(test.wordDeviceBox(), "D100");
    setText(test.byteCountBox(), "4");
    setText(test.dataBox(0), "1234");
    setText(test.dataBox(1), "70000");  // no word holds it: refused, nothing sent
    QTest::mouseClick(test.button("Write"), Qt::LeftButton);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{rs::msg::kValueOutOfRange});
    sink.clear();
    setText(test.dataBox(1), "-2");  // its two's complement, 65534
    QTest::mouseClick(test.button("Write"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 2; }));
    QTest::mouseClick(test.button("Read"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 3; }));
    // The newest line is on top.
    EXPECT_EQ(line(test.history(), 0), "D100|WORD READ 04D2H=1234 FFFEH=65534");
    EXPECT_EQ(line(test.history(), 1), "D100| WORD WRITE");
    EXPECT_EQ(line(test.history(), 2), "Y000|Force on");
    keepPicture(&test, "device-test");
    test.reject();

    CDeviceBatchMonitor monitor(sink, shippedRanges());
    monitor.show();
    setText(monitor.deviceBox(), "D100");
    monitor.radio("Word")->click();
    QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return monitor.table()->CellText(0, 1) == "1234"; }))
        << line(monitor.table(), 0).toStdString() << " " << monitor.monitor().requestsSent();
    EXPECT_EQ(monitor.table()->headerItem()->text(8), "+7");
    EXPECT_EQ(monitor.table()->CellText(0, 2), "65534");
    EXPECT_EQ(monitor.table()->CellText(1, 0), "D108");
    keepPicture(&monitor, "device-batch-monitor-words");
    monitor.radio("HEX")->click();
    EXPECT_EQ(monitor.table()->CellText(0, 1), "04d2");
    monitor.radio("32bit intege")->click();
    EXPECT_EQ(monitor.table()->CellText(0, 1), "fffe04d2");
    EXPECT_EQ(monitor.table()->columnCount(), 5);
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DeviceDialogs, AWrongDeviceSendsNothing) {
    Simulator sim({"D5=7"});
    rs::test::RecordingSink sink;
    {
        CDeviceTest test(sink, shippedRanges());
        useSimulator(test.portBox(), sim);
        setText(test.bitDeviceBox(), "Z0");
        QTest::mouseClick(test.button("Force on"), Qt::LeftButton);
        setText(test.wordDeviceBox(), "d5");
        QTest::mouseClick(test.button("Read"), Qt::LeftButton);
        setText(test.wordDeviceBox(), "D5");
        setText(test.byteCountBox(), "17");
        QTest::mouseClick(test.button("Write"), Qt::LeftButton);
        CDeviceBatchMonitor monitor(sink, shippedRanges());
        setText(monitor.deviceBox(), "X18");
        QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
        spin(200);
        EXPECT_EQ(test.history()->topLevelItemCount(), 0);
        EXPECT_EQ(monitor.table()->topLevelItemCount(), 0);
    }
    EXPECT_EQ(sink.texts(),
              (std::vector<std::string>{rs::msg::kWrongDevice, rs::msg::kWrongDevice,
                                        rs::msg::kLengthTooLong, rs::msg::kDeviceIncorrect}));
    EXPECT_EQ(sink.shown[0].caption, "Error");
    EXPECT_TRUE(sim.stop().startsWith("frames 0,")) << sim.report.toStdString();
}

TEST(DeviceDialogs, HistoryHidesAndADoubleClickPicksItsDevice) {
    Simulator sim;
    rs::test::RecordingSink sink;
    CDeviceTest test(sink, shippedRanges());
    test.show();
    useSimulator(test.portBox(), sim);
    setText(test.bitDeviceBox(), "M8000");
    QTest::mouseClick(test.button("Force off"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 1; }));
    setText(test.bitDeviceBox(), "X1");
    CListReport* history = test.history();
    const QPoint first = history->visualItemRect(history->topLevelItem(0)).center();
    doubleClick(history->viewport(), first);
    EXPECT_EQ(test.bitDeviceBox()->text(), "M8000");

    const int full = test.height();
    QTest::mouseClick(test.button("Hide history"), Qt::LeftButton);
    EXPECT_FALSE(test.historyShown());
    EXPECT_NE(test.button("Show history"), nullptr);
    EXPECT_LT(test.height(), full);
    EXPECT_FALSE(history->isEnabled());
    QTest::mouseClick(test.button("Show history"), Qt::LeftButton);
    EXPECT_EQ(test.height(), full);
    EXPECT_TRUE(history->isEnabled());
}

TEST(ListReport, CellsAnswerClicksAndTheOwnerDrawnRowHighlights) {
    CListReport list(0, true);
    list.resize(300, 200);
    EXPECT_EQ(list.InsertColumn("Device", 0), 0);
    EXPECT_EQ(list.header()->sectionSize(0), list.fontMetrics().horizontalAdvance("Device") + 15);
    list.InsertColumn("Check", 60);
    ASSERT_TRUE(list.SetCell(0, 0, "X0", rs::online::textDescriptor(true, 255)));
    ASSERT_TRUE(list.SetCell(0, 1, "7", "1"));
    ASSERT_TRUE(list.SetCell(1, 0, "X1", "0"));
    EXPECT_FALSE(list.SetCell(3, 0, "X3", "0"));
    EXPECT_FALSE(list.SetCell(2, 1, "1", "1"));  // no such line yet
    list.show();
    int presses = 0, doubles = 0;
    QObject::connect(&list, &CListReport::leftButtonPressed, [&] { ++presses; });
    QObject::connect(&list, &CListReport::leftButtonDoubleClicked, [&] { ++doubles; });

    const QRect box = list.visualRect(list.model()->index(0, 1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    EXPECT_EQ(list.CellText(0, 1), "1");  // "7" becomes "1", not "0"
    // Far enough apart not to make a double click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, box.center(), 1000);
    EXPECT_EQ(list.CellText(0, 1), "0");
    doubleClick(list.viewport(), box.center());
    EXPECT_EQ(list.CellText(0, 1), "0");  // press and double click: twice
    EXPECT_EQ(presses, 3);
    EXPECT_EQ(doubles, 1);

    // The clicked row is drawn in the highlight colour, the other in the window's.
    const QImage shot = list.viewport()->grab().toImage();
    const QRect other = list.visualRect(list.model()->index(1, 1));
    EXPECT_EQ(shot.pixelColor(box.right() - 2, box.top() + 1),
              list.palette().color(QPalette::Highlight));
    EXPECT_EQ(shot.pixelColor(other.right() - 2, other.top() + 1),
              list.palette().color(QPalette::Base));
    // The bold red descriptor draws red text; the plain one the window-text colour.
    const auto reds = [&](const QRect& cell) {
        int n = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            }
        return n;
    };
    EXPECT_GT(reds(list.visualRect(list.model()->index(0, 0))), 10);
    EXPECT_EQ(reds(list.visualRect(list.model()->index(1, 0))), 0);

    EXPECT_TRUE(list.DeleteRow(0));
    EXPECT_EQ(list.CellText(0, 0), "X1");
    EXPECT_EQ(*list.cellModel().descriptor(0, 0), "0");
    EXPECT_TRUE(list.DeleteAll());
    EXPECT_EQ(list.cellModel().rows(), 0u);
}

TEST(DeviceDialogs, ValuesShowWholeAndAColumnKeepsTheWidthGivenIt) {
    Simulator sim({"D100=65535", "D101=12345"});
    rs::test::RecordingSink sink;
    CDeviceBatchMonitor monitor(sink, shippedRanges());
    monitor.show();
    useSimulator(monitor.portBox(), sim);
    setText(monitor.deviceBox(), "D100");
    monitor.radio("Word")->click();
    QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return monitor.table()->CellText(0, 1) == "65535"; }));
    const QFontMetrics metrics = monitor.table()->fontMetrics();
    const auto whole = [&](int column) {
        const QString text = monitor.table()->CellText(0, column);
        return rs::online::fittedText(
                   text.toStdString(), monitor.table()->header()->sectionSize(column),
                   [&](std::string_view t) {
                       return metrics.horizontalAdvance(QString::fromUtf8(t.data(), t.size()));
                   }) == text.toStdString();
    };
    EXPECT_TRUE(whole(1));
    EXPECT_TRUE(whole(2));
    // A column the user widened stays so when the table is shown again.
    monitor.table()->header()->resizeSection(2, 150);
    monitor.radio("HEX")->click();
    monitor.radio("DEC")->click();
    spin(300);  // replies come and go
    EXPECT_EQ(monitor.table()->header()->sectionSize(2), 150);
    EXPECT_EQ(monitor.statusLine()->text(), "");
    EXPECT_TRUE(sink.shown.empty());
}

// A mode-1 controller answers no device frame: the monitor greys its table,
// says so in its status line and once in a message; the device test logs
// "no answer".
TEST(DeviceDialogs, AControllerThatDoesNotAnswerIsShownSo) {
    Simulator sim({}, {"--mode", "1"});
    rs::test::RecordingSink sink;
    {
        CDeviceBatchMonitor monitor(sink, shippedRanges());
        monitor.show();
        useSimulator(monitor.portBox(), sim);
        setText(monitor.deviceBox(), "D100");
        QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return !sink.shown.empty(); }, 5000));
        EXPECT_EQ(sink.texts(), std::vector<std::string>{rs::msg::kNeedsModeTwo});
        EXPECT_EQ(monitor.statusLine()->text(), rs::msg::kNoAnswer);
        EXPECT_TRUE(monitor.monitor().table().stale);
        const std::string* cell = monitor.table()->cellModel().descriptor(0, 2);
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(rs::online::parseDescriptor(*cell).colour.has_value());  // greyed
        keepPicture(&monitor, "device-batch-monitor-no-answer");
    }
    sink.clear();
    CDeviceTest test(sink, shippedRanges());
    test.show();
    useSimulator(test.portBox(), sim);
    setText(test.bitDeviceBox(), "Y000");
    QTest::mouseClick(test.button("Force on"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return test.history()->topLevelItemCount() == 1; }));
    EXPECT_EQ(line(test.history(), 0), "Y000|no answer");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{rs::msg::kNeedsModeTwo});
}

}  // namespace

// The stand-in runs the program in its memory: forcing X0 with the device test
// makes Y0 follow in the batch monitor.
TEST(DeviceDialogs, TheStandInRunsItsProgramAndY0FollowsX0) {
    rs::InstructionTable table;
    table.setRow(0, "LD", "X000", 0, 1);
    table.setRow(1, "OUT", "Y000", 0, 1);
    table.setRow(2, "END", "", 0, 0);
    rs::CodeEncoder encoder(true);
    ASSERT_EQ(encoder.encodeProgram(table), rs::EncodeStatus::Ok);
    QTemporaryDir dir;
    QFile words(dir.path() + "/program.txt");
    ASSERT_TRUE(words.open(QIODevice::WriteOnly));
    for (int i = 0; i <= encoder.codeEnd(); ++i)
        words.write(QString("%1\n").arg(encoder.code()[i], 4, 16, QChar('0')).toLatin1());
    words.close();
    Simulator sim({}, {"--load", words.fileName()});

    rs::test::RecordingSink sink;
    // One dialog at a time uses the line, as in the window.
    auto monitorY0 = [&](const char* value) {
        CDeviceBatchMonitor monitor(sink, shippedRanges());
        monitor.show();
        useSimulator(monitor.portBox(), sim);
        setText(monitor.deviceBox(), "Y0");
        QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
        const bool seen = waitFor([&] {
            return monitor.table()->topLevelItemCount() == 16 &&
                   monitor.table()->CellText(0, 2) == value;
        });
        monitor.reject();
        spin(100);
        return seen;
    };
    auto force = [&](const char* button) {
        CDeviceTest test(sink, shippedRanges());
        test.show();
        useSimulator(test.portBox(), sim);
        setText(test.bitDeviceBox(), "X0");
        QTest::mouseClick(test.button(button), Qt::LeftButton);
        const bool answered = waitFor([&] { return test.history()->topLevelItemCount() == 1; });
        test.reject();
        return answered;
    };
    EXPECT_TRUE(monitorY0("0"));
    ASSERT_TRUE(force("Force on"));
    EXPECT_TRUE(monitorY0("1")) << "Y0 follows X0";
    ASSERT_TRUE(force("Force off"));
    EXPECT_TRUE(monitorY0("0"));
    EXPECT_TRUE(sim.stop().contains("running 3 rows")) << sim.report.toStdString();
}

// Given the project's names, the monitor ends each row with the name of its
// first device; without a named row it has no such column.
TEST(DeviceDialogs, TheMonitorNamesEachRowsFirstDevice) {
    Simulator sim;
    rs::test::RecordingSink sink;
    CDeviceBatchMonitor monitor(sink, shippedRanges());
    monitor.show();
    useSimulator(monitor.portBox(), sim);
    monitor.setCommentOf([](const std::string& device) {
        return device == "D108" ? std::string("Batch count") : std::string();
    });
    setText(monitor.deviceBox(), "D100");
    monitor.radio("Word")->click();
    QTest::mouseClick(monitor.button("Start monitor"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return monitor.table()->topLevelItemCount() > 1; }));
    EXPECT_EQ(monitor.table()->columnCount(), 10);
    EXPECT_EQ(monitor.table()->headerItem()->text(9), "Comment");
    EXPECT_EQ(monitor.table()->CellText(1, 9), "Batch count");
    EXPECT_EQ(monitor.table()->CellText(0, 9), "");
    monitor.setCommentOf([](const std::string&) { return std::string(); });
    EXPECT_EQ(monitor.table()->columnCount(), 9);
    monitor.reject();
}
