#pragma once

#include <string>

namespace rs {

// The system clipboard as plain single-byte text. Copy replaces its content;
// paste reads it (empty when it holds no text).
class ClipboardText {
  public:
    virtual ~ClipboardText() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace rs
