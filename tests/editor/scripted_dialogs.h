#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/clipboard_text.h"
#include "editor/dialog_provider.h"

namespace rs::test {

// Answers the entry dialogs from a script and records how each was opened.
// An empty script leaves the dialog with "Exit".
class ScriptedDialogs : public DialogProvider {
  public:
    static constexpr int kKeep = -2;  // leave the preset symbol as it is
    struct SymbolAnswer {
        int symbol = kKeep;
        std::string text;
    };

    bool enterSymbol(SymbolDialogFields& fields) override {
        symbolPresets.push_back(fields);
        if (symbols.empty()) return false;
        const std::optional<SymbolAnswer> a = symbols.front();
        symbols.pop_front();
        if (!a) return false;
        if (a->symbol != kKeep) fields.m_nSymbol = a->symbol;
        fields.m_strText = a->text;
        return true;
    }
    bool enterList(ListDialogFields& fields) override {
        listPresets.push_back(fields.m_strText);
        if (lists.empty()) return false;
        const std::optional<std::string> a = lists.front();
        lists.pop_front();
        if (!a) return false;
        fields.m_strText = *a;
        return true;
    }
    bool enterLineCount(LineCountDialog dialog, int& count) override {
        countDialogs.push_back(dialog);
        if (counts.empty()) return false;
        const std::optional<int> a = counts.front();
        counts.pop_front();
        if (!a) return false;
        count = *a == 0 ? 1 : *a;  // an empty or 0 edit gives 1
        return true;
    }
    void showInstructionHelp() override { ++helpShown; }

    // Script: std::nullopt answers "Exit".
    void symbol(std::string text, int symbolPosition = kKeep) {
        symbols.push_back(SymbolAnswer{symbolPosition, std::move(text)});
    }
    void list(std::string text) { lists.push_back(std::move(text)); }
    void count(int n) { counts.push_back(n); }

    std::deque<std::optional<SymbolAnswer>> symbols;
    std::deque<std::optional<std::string>> lists;
    std::deque<std::optional<int>> counts;

    std::vector<SymbolDialogFields> symbolPresets;
    std::vector<std::string> listPresets;
    std::vector<LineCountDialog> countDialogs;
    int helpShown = 0;
};

// The clipboard in memory.
class MemoryClipboard : public ClipboardText {
  public:
    std::string text() const override { return content; }
    void setText(const std::string& text) override { content = text; }
    std::string content;
};

}  // namespace rs::test
