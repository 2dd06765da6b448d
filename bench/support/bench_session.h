#pragma once

#include <string>

#include "core/message_sink.h"
#include "core/program_dir.h"
#include "core/session.h"

namespace rs::bench {

// Shows nothing: questions get their default answer, and the last message is
// kept so that a benchmark can tell how an operation ended.
class QuietSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string&, MessageIcon) override { last = text; }
    MessageAnswer ask(const std::string&, const std::string&, MessageButtons,
                      MessageAnswer defaultAnswer, MessageIcon) override {
        return defaultAnswer;
    }
    std::string last;
};

// One program being edited: store, view, quiet sink and the shipped range
// file, with the view started.
struct BenchSession {
    BenchSession() : ranges(defaultRangeFilePath()), s(app, view, sink, ranges) { s.startView(); }
    AppStore app;
    ViewState view;
    QuietSink sink;
    RangeFile ranges;
    Session s;
};

}  // namespace rs::bench
