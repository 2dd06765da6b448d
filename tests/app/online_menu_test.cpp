// "&Online": "Transfer set&up" opens the modal "Communication" dialog while a
// project is open; "Connection setup..." opens "Connection Setup" at any time.
#include <QDir>
#include <QTimer>

#include "app/model/commands.h"
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
