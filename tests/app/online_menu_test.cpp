// "&Online": "Transfer set&up" opens the modal "Communication" dialog while a
// project is open, and downloads from it; "Connection setup..." opens
// "Connection Setup" at any time.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include "app/model/commands.h"
#include "comm/comm_messages.h"
#include "comm/qt/communication_dialog.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct OnlineMenu : test::FrameFixture {
    // The dialogs keep their settings file in the current directory.
    OnlineMenu() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~OnlineMenu() override { QDir::setCurrent(previous); }

    // Runs a command and closes the modal dialog it opens; its title, or
    // empty when none opened.
    QString dialogOpenedBy(int command) {
        QString title;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                title = modal->windowTitle();
                modal->close();
            }
        });
        poll.start(10);
        frame->runCommand(command);
        poll.stop();
        return title;
    }
    QString previous;
};

}  // namespace

TEST_F(OnlineMenu, TransferSetupNeedsAnOpenProject) {
    EXPECT_FALSE(enabled(CmdTransferSetup));
    EXPECT_TRUE(dialogOpenedBy(CmdTransferSetup).isEmpty());
    EXPECT_EQ(dialogOpenedBy(CmdConnectionSetup), "Connection Setup");

    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(project(), nullptr);
    EXPECT_TRUE(enabled(CmdTransferSetup));
    EXPECT_EQ(dialogOpenedBy(CmdTransferSetup), "Communication");
    EXPECT_TRUE(QFile::exists(dir.path() + "/iniProtocol.txt"));
    EXPECT_EQ(dialogOpenedBy(CmdConnectionSetup), "Connection Setup");
}

// A new user's first download: the simulator's pseudo-terminal given with
// --port, a new project, F4, "Transfer set&up", the port picked, "Download".
TEST_F(OnlineMenu, DownloadsTheConvertedProjectFromTheMenu) {
    const QString link = tempPath("plc");
    const QString memory = link + ".mem";
    QProcess sim;
    sim.start(RUNGSMITH_PLCSIM, {"--mode", "2", "--link", link, "--memory", memory});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(link) && QFileInfo::exists(memory); }, 5000));
    CommEnvironment comm;
    comm.protocolFile = tempPath("settings.txt").toStdString();
    comm.probe = [link](const std::vector<std::string>& extra) {
        std::vector<std::string> ports{"/nonexistent/ttyS9", link.toStdString()};
        ports.insert(ports.end(), extra.begin(), extra.end());
        return ports;
    };
    frame->setCommEnvironment(comm);

    key(Qt::Key_N, Qt::ControlModifier);
    key(Qt::Key_F4);
    ASSERT_TRUE(frame->appStore().m_bCompiled);
    sink.clear();
    bool clicked = false;
    QStringList ports;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CCommunication*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (!clicked) {
            for (int i = 0; i < dialog->portList()->count(); ++i)
                ports << dialog->portList()->itemText(i);
            dialog->portList()->setCurrentIndex(1);
            QTest::mouseClick(dialog->downloadButton(), Qt::LeftButton);
            clicked = true;
        } else if (!dialog->transferRunning()) {
            dialog->close();
        }
    });
    user.start(20);
    frame->runCommand(CmdTransferSetup);
    user.stop();
    EXPECT_EQ(ports, (QStringList{"/nonexistent/ttyS9", link}));
    EXPECT_EQ(sink.texts(), std::vector<std::string>{msg::kDownloadSucceed});
    QFile words(memory);
    ASSERT_TRUE(words.open(QIODevice::ReadOnly));
    EXPECT_EQ(words.readAll().trimmed(), "0F00");  // the END word of an empty ladder
    QFile settings(tempPath("settings.txt"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    // The port given on the command line is kept by its path.
    EXPECT_EQ(settings.readAll().toStdString(), "10100\nport=" + link.toStdString());
    sim.terminate();
    sim.waitForFinished(3000);
}
