#pragma once

#include <string>

namespace rs {

enum class MessageIcon { Information, Question, Warning, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Everything the system tells or asks the user in a message box goes through
// this interface: the window shows a message box, tests record and answer.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void inform(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    virtual MessageAnswer ask(const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageAnswer defaultAnswer,
                              MessageIcon icon) = 0;
};

}  // namespace rs
