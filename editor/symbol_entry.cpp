
#include "core/address.h"
#include "core/instruction_set.h"
#include "core/line_check.h"
#include "core/messages.h"
#include "editor/editor.h"
#include "editor/entry_text.h"

namespace rs {

namespace {

constexpr int kCoilSymbol = Coil - 1;
constexpr int kAppSymbol = AppInstruction - 1;

// The dialog's list has ten glyphs; any other position selects nothing.
int listPosition(int symbol) {
    return symbol >= 0 && symbol <= 9 ? symbol : -1;
}

}  // namespace

EntryResult Editor::cellEntry(int r, int c) {
    LadderGrid& g = grid();
    if (!LadderGrid::inside(r, c)) return EntryResult::Outside;
    // The END row must stay inside the grid below whatever is entered.
    if (r > kLastLadderRow) {
        refuse(msg::kExceedsEditRange);
        return EntryResult::Outside;
    }
    m_nDeviceMsgCount = 0;
    m_s.view.m_nUnsupportedErrors = 0;
    m_symbolDialog.m_nSymbol = listPosition(m_symbolDialog.m_nSymbol);
    m_symbolDialog.m_strText = g.text(r, m_symbolDialog.m_nSymbol == kAppSymbol ? kOutputCol : c);
    const int s0 = m_symbolDialog.m_nSymbol;
    if (!m_dialogs.enterSymbol(m_symbolDialog)) return EntryResult::Cancelled;
    g.m_nLastRow = r;

    if (!onlyLettersDigitsBlanks(m_symbolDialog.m_strText)) {
        refuse(msg::kDeviceSettingWrong);
        return EntryResult::Refused;
    }
    const std::string text = normaliseBlanks(m_symbolDialog.m_strText);
    if (text.size() > kMaxCellText) {
        deviceMessage();
        return EntryResult::Refused;
    }
    m_symbolDialog.m_strText = text;

    const int s = listPosition(m_symbolDialog.m_nSymbol);
    std::string mnemonic;
    std::string operand = text;
    if (s == kCoilSymbol) {
        mnemonic = "OUT";
    } else if (s == kAppSymbol) {
        const size_t blank = text.find(' ');
        mnemonic = text.substr(0, blank);
        operand = blank == std::string::npos ? std::string() : text.substr(blank + 1);
        const int n = classifyInstruction(mnemonic, SelOperandCount, m_s.mode2());
        if (g.hasSymbol(r, kOutputCol - n) && c + n > kOutputCol) {
            refuse(msg::kExceedsEditRange);
            return EntryResult::Refused;
        }
    } else if (s == -1) {
        if (c != 0) {  // only the row label takes a text without a symbol
            deviceMessage();
            return EntryResult::Refused;
        }
    } else {
        if (s0 == kAppSymbol) {  // a contact chosen where an instruction was asked for
            deviceMessage();
            return EntryResult::Refused;
        }
        mnemonic = g.kind(r - 1, kOutputCol) == OpenContact ? "AND" : "LD";
    }

    const std::string completed = completeXYAddresses(operand);
    const std::string stored =
        s == kAppSymbol ? (completed.empty() ? mnemonic : mnemonic + " " + completed) : completed;

    LineChecker checker(m_s);
    if (!checker.validate(mnemonic, operand, ReportPlace{false, r, c})) return EntryResult::Refused;

    const int32_t oldKind = g.kind(r, c);
    const std::string oldText = g.text(r, c);
    const CellLinks oldLinks = g.links(r, c);
    m_symbolDialog.m_strText = stored;
    g.setKind(r, c, s + 1);
    g.setText(r, c, stored);
    g.addLinks(r, c, LinkWire | LinkSymbol);
    if (c == kOutputCol) {
        g.m_nCursorRow = r + 1;
        g.m_nCursorCol = 1;
    } else {
        g.m_nCursorRow = r;
        g.m_nCursorCol = c + 1;
    }
    m_s.commit();

    // Branches need a rung above them; contacts never stand in the output column.
    // A refused cell gets back its kind, text and links.
    const bool branchInRowZero = r == 0 && isBranchKind(s + 1);
    const bool contactInOutput = c == kOutputCol && isSerialContactKind(s + 1);
    if (branchInRowZero || contactInOutput) {
        if (branchInRowZero)
            refuse(msg::kEditPositionIncorrect);
        else
            deviceMessage();
        g.setCell(r, c, oldKind, oldText, oldLinks);
        return EntryResult::Refused;
    }
    return EntryResult::Stored;
}

void Editor::symbolCommand(int symbol) {
    m_symbolDialog.m_nSymbol = symbol;
    cellEntry(grid().m_nCursorRow, grid().m_nCursorCol);
}

void Editor::cellEdit(int r, int c) {
    // A refused entry reopens the dialog, preset from the cell as it now stands,
    // until an entry is stored or the dialog is left.
    for (;;) {
        const LadderGrid& g = grid();
        m_nDeviceMsgCount = 0;
        const int n = classifyInstruction(g.outputMnemonic(r), SelOperandCount, m_s.mode2());
        const bool underBox = g.kind(r, c) == Empty && c > kOutputCol - 1 - n;
        const int from = underBox ? kOutputCol : c;
        m_symbolDialog.m_strText = g.text(r, from);
        m_symbolDialog.m_nSymbol = listPosition(g.kind(r, from) - 1);
        if (g.text(r, c) == "END") m_symbolDialog.m_nSymbol = kAppSymbol;
        if (cellEntry(r, c) != EntryResult::Refused) return;
    }
}

}  // namespace rs
