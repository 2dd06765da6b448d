#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/model/command_handlers.h"
#include "app/qt/print_pages.h"

class CChildFrame;
class QMainWindow;
class CChildFrame;
class QDialog;

// "&Print...", "Print pre&view", "Export as PDF..." and "Export as PNG..."
// of the open project. The preview keeps the number of pages it shows side
// by side in the settings store ("Settings/PreviewPages").
class CPrintCommands : public QObject {
    Q_OBJECT
  public:
    // Chooses the file to export to (empty: cancelled).
    using ExportChooser = std::function<QString(const QString& proposed, const QString& filter)>;
    // Runs a modal dialog (the print dialog, the preview); tests replace it.
    using DialogRunner = std::function<int(QDialog&)>;

    // The open project window, or null.
    using ProjectWindow = std::function<CChildFrame*()>;

    CPrintCommands(QMainWindow* window, ProjectWindow project);

    // Runs one of the commands above.
    void run(rs::shell::PrintOutput output);

    void setExportChooser(ExportChooser chooser) { m_choose = std::move(chooser); }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

  private:
    CPrintPages pagesOf(CChildFrame& project) const;
    void print();
    void preview();
    void exportPdf();
    void exportPng();
    void note(const QString& text);

    QMainWindow* m_frame;
    ProjectWindow m_project;
    ExportChooser m_choose;
    DialogRunner m_runDialog;
};
