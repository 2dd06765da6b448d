#pragma once

#include <string>

#include "core/session.h"
#include "project/project_document.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/stderr_sink.h"

namespace rs::cli {

// One program as the command line works on it: store, view, document.
struct ProjectSession {
    explicit ProjectSession(const CommonOptions& options)
        : ranges(rangeFilePath(options)), session(app, view, sink, ranges), document(session) {
        session.startView();
    }

    // Opens a project, takes it over into the table and applies --mode when given.
    bool open(const std::string& path, const CommonOptions& options) {
        if (!document.open(path)) return false;
        document.takeOver();
        if (options.mode != 0) app.setMode2(options.mode == 2);
        return true;
    }
    // A program made here rather than opened takes --mode, mode 2 when not given.
    void startNew(const CommonOptions& options) { app.setMode2(options.mode != 1); }
    size_t recordCount() const { return view.records.m_InstructionList.size(); }

    AppStore app;
    ViewState view;
    StderrSink sink;
    RangeFile ranges;
    Session session;
    ProjectDocument document;
};

}  // namespace rs::cli
