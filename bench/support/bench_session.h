#pragma once

#include "core/last_message_sink.h"
#include "core/program_dir.h"
#include "core/session.h"

namespace rs::bench {

// One program being edited: store, view, a sink that shows nothing and the
// shipped range file, with the view started.
struct BenchSession {
    BenchSession() : ranges(defaultRangeFilePath()), s(app, view, sink, ranges) { s.startView(); }
    AppStore app;
    ViewState view;
    LastMessageSink sink;
    RangeFile ranges;
    Session s;
};

}  // namespace rs::bench
