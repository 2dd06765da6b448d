#pragma once

#include <QAbstractScrollArea>
#include <QPainter>
#include <functional>

#include "app/model/ladder_geometry.h"
#include "app/model/view_input.h"
#include "core/session.h"
#include "project/device_comments.h"

// The project's view: shows the ladder or the instruction list of a session on
// a scrolling area that reaches one screen past the END row (or END line) and
// follows the window's size, moves the cursor with keys and mouse, records a
// dragged selection and opens the context menu. Every rule it follows lives
// in the plain model; this widget turns events into calls and scenes into
// pixels.
class CCorvaneElectricPLCView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CCorvaneElectricPLCView(rs::Session& session, QWidget* parent = nullptr);

    rs::Session& session() { return m_session; }
    rs::shell::LadderGeometry geometry() const;
    // Repaints after the model changed (every edit ends here). The scroll
    // range follows the program; a switch between the ladder and the list
    // opens the other one at its top, or where its cursor is, and drops the
    // mark of an earlier report.
    void refresh();
    // Scrolls so that the given scrolled y is the top of the client area.
    void scrollToY(int y);
    // Scrolls so that the ladder cursor cell (or the list cursor line) is visible.
    void scrollToCursor();
    const rs::shell::PointerState& pointer() const { return m_pointer; }
    // Whether a context menu command can be chosen now.
    void setCommandEnabled(std::function<bool(int)> isEnabled) {
        m_isEnabled = std::move(isEnabled);
    }
    // Drawn after the ladder or list, with the scene just drawn (a running
    // simulation's live state).
    using Overlay =
        std::function<void(QPainter&, const rs::shell::Scene& drawn, int firstY, int lastY)>;
    void setOverlay(Overlay overlay) { m_overlay = std::move(overlay); }
    // The device comments shown under the ladder's contacts and coils and
    // beside the list's lines; none when null.
    void setComments(const rs::DeviceComments* comments) { m_pComments = comments; }

  signals:
    // A command chosen in the context menu; the frame runs it.
    void commandRequested(int command);
    // A double-click asks to edit the ladder cell (row, column), or the list
    // line under the list cursor.
    void cellEditRequested(int row, int col);
    void lineEditRequested();
    // The Delete key.
    void deleteRequested();
    // A left click in the margin of list line or ladder row `row`.
    void marginPressed(int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    rs::shell::Point scrolled(const QPoint& p) const;
    void showContextMenu(const QPoint& globalPos);
    void applyMove(const rs::shell::CursorMove& move);
    void updateScrollRange();

    rs::Session& m_session;
    rs::shell::PointerState m_pointer;
    std::function<bool(int)> m_isEnabled;
    Overlay m_overlay;
    const rs::DeviceComments* m_pComments = nullptr;
    bool m_bSelecting = false;  // a drag is in progress: its highlight is drawn
    int m_nShownListMode = -1;  // the presentation shown at the last refresh
};
