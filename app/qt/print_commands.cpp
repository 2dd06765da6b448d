#include "app/qt/print_commands.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QStatusBar>

#include "app/qt/child_frame.h"
#include "app/qt/print_pages.h"
#include "app/qt/settings_store.h"

using namespace rs::shell;

namespace {

constexpr int kNoteMilliseconds = 6000;
constexpr const char* kPreviewPagesKey = "Settings/PreviewPages";

}  // namespace

CPrintCommands::CPrintCommands(QMainWindow* frame, ProjectWindow project)
    : QObject(frame), m_frame(frame), m_project(std::move(project)) {
    m_choose = [frame](const QString& proposed, const QString& filter) {
        return QFileDialog::getSaveFileName(frame, "Export", proposed, filter);
    };
    m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
}

void CPrintCommands::run(PrintOutput output) {
    switch (output) {
        case PrintOutput::Printer:
            print();
            return;
        case PrintOutput::Preview:
            preview();
            return;
        case PrintOutput::Pdf:
            exportPdf();
            return;
        case PrintOutput::Png:
            exportPng();
            return;
    }
}

CPrintPages CPrintCommands::pagesOf(CChildFrame& project) const {
    return CPrintPages(project.session(), QString::fromStdString(project.document().title()),
                       QDate::currentDate().toString(Qt::ISODate), &project.document().comments());
}

void CPrintCommands::note(const QString& text) {
    m_frame->statusBar()->showMessage(text, kNoteMilliseconds);
}

void CPrintCommands::print() {
    CChildFrame* project = m_project();
    if (!project) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_frame);
    if (m_runDialog(dialog) != QDialog::Accepted) return;
    pagesOf(*project).print(printer);
}

void CPrintCommands::preview() {
    CChildFrame* project = m_project();
    if (!project) return;
    const CPrintPages pages = pagesOf(*project);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_frame);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&pages](QPrinter* target) { pages.print(*target); });
    // The preview opens showing as many pages side by side as it did last time.
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    auto* widget = dialog.findChild<QPrintPreviewWidget*>();
    if (widget)
        widget->setViewMode(settings.value(kPreviewPagesKey, 1).toInt() == 2
                                ? QPrintPreviewWidget::FacingPagesView
                                : QPrintPreviewWidget::SinglePageView);
    m_runDialog(dialog);
    if (widget)
        settings.setValue(kPreviewPagesKey,
                          widget->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
}

void CPrintCommands::exportPdf() {
    CChildFrame* project = m_project();
    if (!project) return;
    const QString proposed = QString::fromStdString(project->document().title()) + ".pdf";
    const QString path = m_choose(proposed, "PDF (*.pdf)");
    if (path.isEmpty()) return;
    if (pagesOf(*project).writePdf(path))
        note(QString("Exported to %1.").arg(QDir::toNativeSeparators(path)));
    else
        note(QString("Could not write %1.").arg(QDir::toNativeSeparators(path)));
}

void CPrintCommands::exportPng() {
    CChildFrame* project = m_project();
    if (!project) return;
    const QString proposed = QString::fromStdString(project->document().title()) + ".png";
    const QString path = m_choose(proposed, "PNG (*.png)");
    if (path.isEmpty()) return;
    const QStringList files = pagesOf(*project).writePng(path);
    if (files.isEmpty())
        note(QString("Could not write %1.").arg(QDir::toNativeSeparators(path)));
    else
        note(QString("Exported %1 pages to %2.")
                 .arg(files.size())
                 .arg(QDir::toNativeSeparators(path)));
}
