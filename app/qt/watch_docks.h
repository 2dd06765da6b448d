#pragma once

#include <QObject>
#include <functional>

#include "app/model/watch_list.h"
#include "core/message_sink.h"

class CChildFrame;
class CTimingChartBar;
class CWatchBar;
class QMainWindow;

// The watch window and the timing chart of the main window: one watch list
// for both docks, fed by the open project's simulation after every scan. An
// edit of a value goes to the engine through the simulation's input path.
class CWatchDocks : public QObject {
    Q_OBJECT
  public:
    using ProjectWindow = std::function<CChildFrame*()>;

    CWatchDocks(QMainWindow* window, rs::MessageSink& sink, ProjectWindow project);
    // The docks go first: the chart draws from the watch list.
    ~CWatchDocks() override;

    // A project window was made: its simulation feeds the docks.
    void follow(CChildFrame* child);
    // "Add to watch": the device at the cursor, shown in the watch window.
    void addFromCursor();
    // Adds a device by name; a refusal is reported.
    bool add(const std::string& device);
    void toggleWatchWindow();
    void toggleTimingChart();

    CWatchBar* watchBar() const { return m_pWatch; }
    CTimingChartBar* chartBar() const { return m_pChart; }
    const rs::shell::WatchList& watches() const { return m_list; }

  signals:
    // A dock was shown or hidden: menus follow.
    void stateChanged();

  private:
    const rs::sim::Engine* activeEngine() const;
    void edit(int index, const std::string& typed);
    void refresh();

    QMainWindow* m_frame;
    rs::MessageSink& m_sink;
    ProjectWindow m_project;
    rs::shell::WatchList m_list;
    CWatchBar* m_pWatch;
    CTimingChartBar* m_pChart;
};
