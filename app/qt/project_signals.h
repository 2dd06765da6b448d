#pragma once

#include <QObject>

#include "app/model/project.h"

// Turns a project's notifications into a Qt signal, for the widgets that show it.
class CProjectSignals : public QObject, public rs::shell::ProjectObserver {
    Q_OBJECT
  public:
    CProjectSignals(rs::shell::Project& project, QObject* parent);

    void projectChanged(const rs::shell::ProjectChange& change) override;

  signals:
    // `comments`: a device comment changed, the program perhaps not.
    void changed(bool program, bool followCursor, bool comments);
};
