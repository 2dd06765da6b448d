#include "app/qt/comment_commands.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMainWindow>
#include <QStatusBar>

#include "app/model/comment_text.h"
#include "app/qt/child_frame.h"
#include "core/limits.h"

namespace {

constexpr int kNoteMilliseconds = 6000;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CCommentDialog::CCommentDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Comment");
    m_device = new QLineEdit(this);
    m_comment = new QLineEdit(this);
    auto* form = new QFormLayout(this);
    form->addRow("&Device:", m_device);
    form->addRow("&Comment:", m_comment);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    // Wide enough to show the longest comment.
    m_comment->setMinimumWidth(m_comment->fontMetrics().averageCharWidth() * rs::kMaxCommentChars);
}

CCommentCommands::CCommentCommands(QMainWindow* frame, ProjectWindow project)
    : QObject(frame),
      m_frame(frame),
      m_project(std::move(project)),
      m_pBar(new CDeviceCommentsBar(frame)),
      m_runDialog([](CCommentDialog& d) { return d.exec(); }) {
    frame->addDockWidget(Qt::RightDockWidgetArea, m_pBar);
    m_pBar->hide();
    // Queued: the table is filled again after the edit that changed it has ended.
    connect(
        m_pBar, &CDeviceCommentsBar::commentEdited, this,
        [this](const QString& device, const QString& comment) {
            if (!setComment(device, comment)) refresh();  // the table shows what is kept
        },
        Qt::QueuedConnection);
    connect(m_pBar, &CDeviceCommentsBar::deviceRefused, this,
            [this](const QString& text) { note(QString("\"%1\" is not a device.").arg(text)); });
    connect(m_pBar, &QDockWidget::visibilityChanged, this, &CCommentCommands::stateChanged);
}

void CCommentCommands::note(const QString& text) {
    m_frame->statusBar()->showMessage(text, kNoteMilliseconds);
}

void CCommentCommands::editComment() {
    CChildFrame* project = m_project();
    if (!project) return;
    CCommentDialog dialog(m_frame);
    const std::string device = rs::shell::cursorDevice(project->session());
    dialog.deviceEdit()->setText(qs(device));
    dialog.commentEdit()->setText(qs(project->document().comments().findText(device)));
    if (device.empty())
        dialog.deviceEdit()->setFocus();
    else
        dialog.commentEdit()->setFocus();
    dialog.commentEdit()->selectAll();
    if (m_runDialog(dialog) != QDialog::Accepted) return;
    setComment(dialog.deviceEdit()->text(), dialog.commentEdit()->text());
}

bool CCommentCommands::setComment(const QString& device, const QString& comment) {
    CChildFrame* project = m_project();
    if (!project) return false;
    const std::string text = comment.trimmed().toStdString();
    const rs::CommentProblem problem = rs::checkComment(text);
    if (problem != rs::CommentProblem::None) {
        note(QString("Not kept: %1.").arg(rs::commentProblemText(problem)));
        return false;
    }
    if (device.trimmed().isEmpty()) {
        note("No device given.");
        return false;
    }
    if (!project->project().setComment(device.toStdString(), text)) {
        note(QString("\"%1\" is not a device.").arg(device.trimmed()));
        return false;
    }
    return true;
}

void CCommentCommands::toggleBar() {
    m_pBar->setVisible(!m_pBar->isVisibleTo(m_frame));
    refresh();
}

void CCommentCommands::refresh() {
    if (!m_pBar->isVisibleTo(m_frame)) return;
    CChildFrame* project = m_project();
    if (!project) {
        m_pBar->refresh(nullptr, nullptr);
        return;
    }
    m_pBar->refresh(&project->document().comments(), &project->session());
}
