// Device comments in the window: "Comment..." from the context menu, the
// "Device comments" dock, the cross reference, find and the exported pages.
#include <QFile>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "app/model/commands.h"
#include "app/qt/comment_commands.h"
#include "app/qt/print_commands.h"
#include "app/qt/search_commands.h"
#include "tests/app/widget_fixture.h"
#include "translations/language.h"

using namespace rs;
using namespace rs::shell;

namespace {

// A ladder drawn from the keyboard: X000 and X001 to Y000, X000 to T0.
struct CommentsUi : test::FrameFixture {
    CommentsUi() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
        place(0, 1);
        enter(Qt::Key_F5, "X0");
        enter(Qt::Key_F5, "X1");
        enter(Qt::Key_F7, "Y0");
        place(1, 1);
        enter(Qt::Key_F5, "X0");
        enter(Qt::Key_F7, "T0 K50");
        place(0, 1);
        comments().setDialogRunner([this](CCommentDialog& d) {
            shownDevice = d.deviceEdit()->text();
            if (answer.isNull()) return int(QDialog::Rejected);
            d.commentEdit()->setText(answer);
            return int(QDialog::Accepted);
        });
    }
    void place(int row, int col) {
        session().grid().m_nCursorRow = row;
        session().grid().m_nCursorCol = col;
    }
    void enter(Qt::Key k, const std::string& text) {
        dialogs.symbol(text);
        key(k);
    }
    CCommentCommands& comments() { return *frame->commentCommands(); }
    std::string comment(const std::string& device) {
        return std::string(project()->document().comments().findText(device));
    }
    QPoint cellCentre(int row, int col) const {
        const auto g = view()->geometry();
        return {col * g.W + g.W / 2, row * g.H + g.H / 2};
    }
    // Chooses an entry of the view's context menu at a cell.
    void contextCommand(int row, int col, const QString& text) {
        QTimer::singleShot(0, [text] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (a->text() == text) menu->setActiveAction(a);
            if (menu->activeAction())
                QTest::keyClick(menu, Qt::Key_Return);
            else
                menu->close();
        });
        const QPoint at = cellCentre(row, col);
        QMouseEvent press(QEvent::MouseButtonPress, at, view()->viewport()->mapToGlobal(at),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &press);
        QApplication::processEvents();
    }
    QString answer;
    QString shownDevice;
};

}  // namespace

TEST_F(CommentsUi, CommentFromTheContextMenuIsUndoable) {
    answer = "Start button";
    place(1, 1);
    contextCommand(1, 1, "Comment...");
    EXPECT_EQ(shownDevice, "X000");
    EXPECT_EQ(comment("X000"), "Start button");

    // From the menu on a cell without a device the dialog asks for one.
    place(3, 5);
    answer = "Motor K1";
    frame->runCommand(CmdComment);
    EXPECT_EQ(shownDevice, "");
    EXPECT_EQ(frame->statusBar()->currentMessage(), "No device given.");
    answer = QString(33, QChar('x'));  // one character too many
    place(0, 10);
    frame->runCommand(CmdComment);
    EXPECT_EQ(shownDevice, "Y000");
    EXPECT_EQ(comment("Y000"), "");
    EXPECT_EQ(frame->statusBar()->currentMessage(),
              "Not kept: the comment is longer than 32 characters.");

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(comment("X000"), "");
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(comment("X000"), "Start button");
}

TEST_F(CommentsUi, TheDockListsDevicesAndTakesCommentsAndNewDevices) {
    EXPECT_FALSE(checked(CmdDeviceComments));
    frame->runCommand(CmdDeviceComments);
    EXPECT_TRUE(checked(CmdDeviceComments));
    QTableWidget* table = comments().bar()->table();
    QStringList devices;
    for (int r = 0; r < table->rowCount(); ++r) devices << table->item(r, 0)->text();
    EXPECT_EQ(devices, (QStringList{"X000", "X001", "Y000", "T0", ""}));
    EXPECT_EQ(table->item(0, 2)->text(), "row 0, column 1; row 1, column 1");

    table->item(2, 1)->setText("Motor K1");
    QApplication::processEvents();
    EXPECT_EQ(comment("Y000"), "Motor K1");
    EXPECT_EQ(comments().bar()->rowOf("Y000"), 2);
    EXPECT_EQ(table->item(2, 1)->text(), "Motor K1");

    // A device typed in the last row gets its own row, then its comment.
    table->item(table->rowCount() - 1, 0)->setText("m100");
    QApplication::processEvents();
    const int m = comments().bar()->rowOf("M100");
    ASSERT_GE(m, 0);
    table->item(m, 1)->setText("Running");
    QApplication::processEvents();
    EXPECT_EQ(comment("M100"), "Running");
    table->item(table->rowCount() - 1, 0)->setText("K5");
    QApplication::processEvents();
    EXPECT_EQ(frame->statusBar()->currentMessage(), "\"K5\" is not a device.");

    // Undo takes the last comment back; the table follows.
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(comment("M100"), "");
    EXPECT_EQ(table->item(comments().bar()->rowOf("M100"), 1)->text(), "");
}

TEST_F(CommentsUi, CrossReferenceFindAndPagesShowTheNames) {
    ASSERT_TRUE(comments().setComment("X1", "Stop button"));
    ASSERT_TRUE(comments().setComment("T0", "Star-delta delay"));
    frame->runCommand(CmdCrossReference);
    QTreeWidget* tree = frame->searchCommands()->crossReferenceBar()->tree();
    const auto named = [tree](const QString& device) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == device) return tree->topLevelItem(i)->text(3);
        return QString("(not listed)");
    };
    EXPECT_EQ(named("X001"), "Stop button");
    EXPECT_EQ(named("T0"), "Star-delta delay");
    EXPECT_EQ(named("X000"), "");

    // Find string reads the comments.
    auto* dialog = frame->searchCommands()->findDialog(search::FindKind::Text);
    dialog->textEdit()->setText("delay");
    emit dialog->findNext(dialog->query());
    EXPECT_EQ(session().grid().m_nCursorRow, 1);
    EXPECT_EQ(session().grid().m_nCursorCol, 10);

    // The exported ladder has its page and a device list page.
    frame->printCommands()->setExportChooser(
        [this](const QString&, const QString&) { return tempPath("named.pdf"); });
    frame->runCommand(CmdExportPdf);
    QFile pdf(tempPath("named.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n"), 2);
}

namespace {

struct English {
    English() { rs::qt::installEnglish(true); }
    ~English() { rs::qt::installEnglish(false); }
};
struct CommentsPicture : English, CommentsUi {};

// Pixels of the comments' colour (green well above red and blue) in a
// rectangle of the view.
int greenPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++n;
        }
    return n;
}

}  // namespace

// The names are drawn in the band under each contact and coil. With
// RUNGSMITH_SCREENSHOTS naming a folder the window's picture is kept there.
TEST_F(CommentsPicture, TheLadderIsDrawnWithItsNames) {
    frame->resize(1280, 860);
    QApplication::processEvents();
    const auto g = view()->geometry();
    const QRect underX001(2 * g.W, g.H * 2 / 3, g.W, g.H / 3);
    EXPECT_EQ(greenPixels(view()->viewport()->grab().toImage(), underX001), 0);
    const std::vector<std::pair<QString, QString>> names = {{"X0", "Start button"},
                                                            {"X1", "Stop button"},
                                                            {"Y0", "Motor K1"},
                                                            {"T0", "Star-delta delay"}};
    for (const auto& [device, name] : names) ASSERT_TRUE(comments().setComment(device, name));
    frame->runCommand(CmdDataList);  // hidden: the ladder takes the width
    frame->runCommand(CmdCrossReference);
    frame->runCommand(CmdDeviceComments);
    frame->resizeDocks({frame->searchCommands()->crossReferenceBar(), comments().bar()}, {360, 360},
                       Qt::Horizontal);
    frame->resizeDocks({frame->searchCommands()->crossReferenceBar(), comments().bar()}, {250, 450},
                       Qt::Vertical);
    place(1, 10);
    QApplication::processEvents();
    const auto named = view()->geometry();
    const QRect under(2 * named.W, named.H * 2 / 3, named.W, named.H / 3);
    EXPECT_GT(greenPixels(view()->viewport()->grab().toImage(), under), 0);
    const QString folder = qEnvironmentVariable("RUNGSMITH_SCREENSHOTS");
    if (!folder.isEmpty()) frame->grab().save(folder + "/screenshot-comments.png");
}
