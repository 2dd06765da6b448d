#pragma once

#include <QPointer>
#include <QWidget>

#include "core/message_sink.h"

// Shows the program's messages and questions in message boxes with the
// system's texts, captions and icons.
class QtMessageSink : public rs::MessageSink {
  public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    void inform(const std::string& text, const std::string& caption, rs::MessageIcon icon) override;
    rs::MessageAnswer ask(const std::string& text, const std::string& caption,
                          rs::MessageButtons buttons, rs::MessageAnswer defaultAnswer,
                          rs::MessageIcon icon) override;

  private:
    QPointer<QWidget> m_parent;
};
