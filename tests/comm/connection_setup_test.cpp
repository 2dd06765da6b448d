// "Connection Setup" and "PC side I/F Serial setting": what the settings file
// holds is shown, "Serial" changes it, and the "Communication" dialog then
// starts with that port and speed.
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "comm/qt/communication_dialog.h"
#include "comm/qt/connection_setup_dialog.h"
#include "comm/qt/serial_setting_dialog.h"
#include "tests/comm/dialog_fixture.h"

using namespace rs;
using namespace rs::test;

namespace {

using ConnectionSetup = DialogFixture;

QStringList texts(QWidget* dialog) {
    QStringList out;
    for (QObject* child : dialog->children()) {
        if (auto* label = qobject_cast<QLabel*>(child)) out << label->text();
        if (auto* button = qobject_cast<QPushButton*>(child)) out << "[" + button->text() + "]";
    }
    return out;
}

// Answers the next modal "PC side I/F Serial setting" with a port text and a
// speed, then OK.
void answerSerialSetting(const QString& port, const QString& speed, QStringList* seenItems) {
    QTimer::singleShot(0, [=] {
        auto* serial = qobject_cast<PCSideSerrialSetting*>(QApplication::activeModalWidget());
        ASSERT_NE(serial, nullptr);
        if (seenItems) {
            for (int i = 0; i < serial->portList()->count(); ++i)
                *seenItems << serial->portList()->itemText(i);
            for (int i = 0; i < serial->speedList()->count(); ++i)
                *seenItems << serial->speedList()->itemText(i);
            *seenItems << "selected:" + serial->portList()->currentText() + "," +
                              serial->speedList()->currentText();
        }
        serial->portList()->setEditText(port);
        serial->speedList()->setCurrentIndex(serial->speedList()->findText(speed));
        serial->accept();
    });
}

}  // namespace

TEST_F(ConnectionSetup, ControlsAndTheirTexts) {
    CConnectionSetup setup(true, env);
    EXPECT_EQ(setup.windowTitle(), "Connection Setup");
    EXPECT_EQ(texts(&setup),
              (QStringList{"PC side I/F", "PLC side I/F", "Other station", "Network route",
                           "Co－existence \n network", "[Serial]", "COM", "Transmisson",
                           "[Connection channel list]", "[PLC direct coupled setting]",
                           "[Connection test]", "[System image]", "PLC type", "PLC N0.", "[OK]",
                           "[Close]"}));
    EXPECT_EQ(setup.plcTypeField()->text(), "mode2");
    EXPECT_TRUE(setup.comField()->isReadOnly());
    CConnectionSetup mode1(false, env);
    EXPECT_EQ(mode1.plcTypeField()->text(), "mode1");
    EXPECT_EQ(mode1.plcNumberField()->text(), "01");

    PCSideSerrialSetting serial(env);
    EXPECT_EQ(serial.windowTitle(), "PC side I/F Serial setting");
    EXPECT_EQ(texts(&serial), (QStringList{"[OK]", "[Cancel]", "COM port", "Transmission"}));
}

TEST_F(ConnectionSetup, SerialChoosesWhatTheCommunicationDialogStartsWith) {
    PtyPort b, a;
    systemPorts = {b.path, a.path};  // listed in the probe's order
    writeSettings("00100");
    CConnectionSetup setup(true, env);
    EXPECT_EQ(setup.comField()->text().toStdString(), b.path);
    EXPECT_EQ(setup.transmissionField()->text(), "9600");

    // A port the system lists, at 19200: the two sorted lists, the file's choice.
    QStringList seen;
    answerSerialSetting(QString::fromStdString(a.path), "19200", &seen);
    QTest::mouseClick(setup.serialButton(), Qt::LeftButton);
    QStringList sortedPorts{QString::fromStdString(a.path), QString::fromStdString(b.path)};
    sortedPorts.sort();
    const QStringList expected =
        sortedPorts +
        QStringList{"19200", "9600", "selected:" + QString::fromStdString(b.path) + ",9600"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(settingsText(), "11100");  // port and speed; the rest kept
    EXPECT_EQ(setup.comField()->text().toStdString(), a.path);
    EXPECT_EQ(setup.transmissionField()->text(), "19200");
    {
        CCommunication communication(app, sink, env);
        EXPECT_EQ(communication.portList()->currentText().toStdString(), a.path);
        EXPECT_EQ(communication.baudList()->currentText(), "19200");
        EXPECT_EQ(communication.parityList()->currentText(), "Even");
    }

    // A typed path (a pseudo-terminal the system does not list) is kept too.
    PtyPort typed;
    answerSerialSetting(QString::fromStdString(typed.path), "9600", nullptr);
    QTest::mouseClick(setup.serialButton(), Qt::LeftButton);
    EXPECT_EQ(settingsText(), "20100\nport=" + typed.path);
    EXPECT_EQ(setup.comField()->text().toStdString(), typed.path);
    CCommunication communication(app, sink, env);
    EXPECT_EQ(communication.portList()->currentText().toStdString(), typed.path);
    EXPECT_EQ(communication.portList()->currentIndex(), 2);
    EXPECT_TRUE(communication.portOpen());
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ConnectionSetup, ASavedPathThatIsGoneSelectsNothing) {
    PtyPort a;
    systemPorts = {a.path};
    writeSettings("10100\nport=" + tempPath("unplugged").toStdString());
    CConnectionSetup setup(true, env);
    EXPECT_TRUE(setup.comField()->text().isEmpty());
    CCommunication communication(app, sink, env);
    EXPECT_EQ(communication.portList()->count(), 1);
    EXPECT_EQ(communication.portList()->currentIndex(), -1);
    EXPECT_FALSE(communication.portOpen());
    EXPECT_TRUE(sink.shown.empty());
}
