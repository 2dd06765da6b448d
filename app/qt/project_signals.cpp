#include "app/qt/project_signals.h"

CProjectSignals::CProjectSignals(rs::shell::Project& project, QObject* parent) : QObject(parent) {
    project.addObserver(this);
}

void CProjectSignals::projectChanged(const rs::shell::ProjectChange& change) {
    emit changed(change.program, change.followCursor, change.comments);
}
