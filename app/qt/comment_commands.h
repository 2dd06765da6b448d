#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QObject>
#include <functional>

#include "app/qt/device_comments_bar.h"

class CChildFrame;
class QMainWindow;

// "Comment...": a device and the comment it is given.
class CCommentDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CCommentDialog(QWidget* parent = nullptr);
    QLineEdit* deviceEdit() const { return m_device; }
    QLineEdit* commentEdit() const { return m_comment; }

  private:
    QLineEdit* m_device;
    QLineEdit* m_comment;
};

// The device comment commands of the main window: "Comment..." on the
// cursor's device and the "Device comments" dock. Every change is one step
// of the open project's history.
class CCommentCommands : public QObject {
    Q_OBJECT
  public:
    using ProjectWindow = std::function<CChildFrame*()>;
    // Runs the comment dialog; tests replace it.
    using DialogRunner = std::function<int(CCommentDialog&)>;

    CCommentCommands(QMainWindow* window, ProjectWindow project);

    // "Comment...": the dialog for the device under the cursor.
    void editComment();
    void toggleBar();
    // Gives a device of the open project its comment; a refusal is noted in
    // the status bar.
    bool setComment(const QString& device, const QString& comment);
    // Lists the open project's devices again while the dock shows.
    void refresh();

    CDeviceCommentsBar* bar() const { return m_pBar; }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

  signals:
    // The dock was shown or hidden.
    void stateChanged();

  private:
    void note(const QString& text);

    QMainWindow* m_frame;
    ProjectWindow m_project;
    CDeviceCommentsBar* m_pBar;
    DialogRunner m_runDialog;
};
