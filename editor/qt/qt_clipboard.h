#pragma once

#include "editor/clipboard_text.h"

namespace rs::qt {

// The system clipboard's plain text, as single-byte text.
class QtClipboardText : public ClipboardText {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

}  // namespace rs::qt
