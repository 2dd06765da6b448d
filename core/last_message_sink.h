#pragma once

#include <string>

#include "core/message_sink.h"

namespace rs {

// Shows nothing: keeps the text of the last message or question, and
// questions get their default answer. For callers that report how an
// operation ended in their own way.
class LastMessageSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string&, MessageIcon) override { last = text; }
    MessageAnswer ask(const std::string& text, const std::string&, MessageButtons,
                      MessageAnswer defaultAnswer, MessageIcon) override {
        last = text;
        return defaultAnswer;
    }
    std::string last;
};

}  // namespace rs
