#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>

#include "app/model/commands.h"
#include "app/qt/print_commands.h"
#include "app/qt/settings_store.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

// A new project with 20 rungs drawn from the keyboard: 21 rows with END, two
// A4 pages.
struct Print : test::FrameFixture {
    Print() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
        for (int r = 0; r < 20; ++r) {
            session().grid().m_nCursorRow = r;
            session().grid().m_nCursorCol = 1;
            dialogs.symbol("X" + std::to_string(r % 8));
            key(Qt::Key_F5);
            dialogs.symbol("M" + std::to_string(r));
            key(Qt::Key_F7);
        }
        frame->printCommands()->setExportChooser([this](const QString& proposed, const QString&) {
            proposals << proposed;
            return chosen.empty() ? QString() : chosen.front();
        });
    }
    QStringList proposals;
};

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(f.readAll().count("/Type /Page\n"));
}

}  // namespace

TEST_F(Print, ExportWritesThePagesAsPdfAndPng) {
    EXPECT_TRUE(enabled(CmdExportPdf));
    chosen.push_back(tempPath("ladder.pdf"));
    frame->runCommand(CmdExportPdf);
    EXPECT_EQ(proposals, QStringList{"Rungsmith1.pdf"});
    EXPECT_EQ(pdfPages(tempPath("ladder.pdf")), 2);

    chosen.front() = tempPath("ladder.png");
    frame->runCommand(CmdExportPng);
    QImage first(tempPath("ladder.png"));
    EXPECT_EQ(first.size(), QSize(1240, 1754));
    EXPECT_TRUE(QFile::exists(tempPath("ladder-2.png")));
    EXPECT_FALSE(QFile::exists(tempPath("ladder-3.png")));

    // The list prints 65 lines a page: one page for 41 lines.
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    chosen.front() = tempPath("list.pdf");
    frame->runCommand(CmdExportPdf);
    EXPECT_EQ(pdfPages(tempPath("list.pdf")), 1);

    chosen.clear();  // cancelled: nothing written
    frame->runCommand(CmdExportPdf);
    EXPECT_FALSE(QFile::exists(tempPath("Rungsmith1.pdf")));
}

TEST_F(Print, PreviewShowsThePagesAndRemembersPagesSideBySide) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue("Settings/PreviewPages", 1);
    int pages = 0;
    int printDialogs = 0;
    QPrintPreviewWidget::ViewMode opened{};
    frame->printCommands()->setDialogRunner([&](QDialog& dialog) {
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        if (!widget) {  // the print dialog: cancelled
            ++printDialogs;
            return int(QDialog::Rejected);
        }
        widget->updatePreview();
        pages = widget->pageCount();
        opened = widget->viewMode();
        widget->setViewMode(QPrintPreviewWidget::FacingPagesView);
        return int(QDialog::Accepted);
    });
    key(Qt::Key_P, Qt::ControlModifier);  // Ctrl+P opens the print dialog
    EXPECT_EQ(printDialogs, 1);
    frame->runCommand(CmdPrintPreview);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(opened, QPrintPreviewWidget::SinglePageView);
    EXPECT_EQ(settings.value("Settings/PreviewPages").toInt(), 2);
    frame->runCommand(CmdPrintPreview);
    EXPECT_EQ(opened, QPrintPreviewWidget::FacingPagesView);
}
