#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/message_sink.h"

namespace rs::test {

// Records every message and answers questions from a script (default answer
// when the script is empty).
class RecordingSink : public MessageSink {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override {
        shown.push_back({text, caption, icon});
    }
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons,
                      MessageAnswer def, MessageIcon icon) override {
        shown.push_back({text, caption, icon});
        if (answers.empty()) return def;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown) out.push_back(s.text);
        return out;
    }
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
};

}  // namespace rs::test
