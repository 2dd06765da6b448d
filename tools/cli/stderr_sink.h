#pragma once

#include <cstdio>
#include <string>

#include "core/message_sink.h"

namespace rs::cli {

// Prints the program's messages to standard error, one a line, in the order
// they were shown; questions get their default answer.
class StderrSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string&, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    MessageAnswer ask(const std::string& text, const std::string&, MessageButtons,
                      MessageAnswer defaultAnswer, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return defaultAnswer;
    }
};

}  // namespace rs::cli
