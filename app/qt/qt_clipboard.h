#pragma once

#include "editor/clipboard_text.h"

// The system clipboard's plain text, as single-byte text.
class QtClipboardText : public rs::ClipboardText {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
};
