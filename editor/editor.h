#pragma once

#include <functional>

#include "core/session.h"
#include "editor/clipboard_text.h"
#include "editor/dialog_provider.h"
#include "editor/edit_command.h"

namespace rs {

// The last grid row a rung may use: the END row below it must stay inside the grid.
constexpr int kLastLadderRow = kGridRows - 2;

// How a cell entry ended.
enum class EntryResult {
    Stored,     // the text was accepted and placed
    Cancelled,  // the dialog was left with "Exit"; nothing changed
    Refused,    // the text or the position was refused (with its message)
    Outside,    // the cell lies outside the ladder; no dialog was opened
};

// The editing commands of the ladder and the instruction list. Each works on
// the session's grid and store, asks the dialog provider for the user's
// answers, reports refusals through the session's message sink and reads or
// writes the clipboard. The view repaints (and so tidies the grid) after every
// command.
class Editor {
  public:
    Editor(Session& session, DialogProvider& dialogs, ClipboardText& clipboard)
        : m_s(session), m_dialogs(dialogs), m_clipboard(clipboard) {}

    // A menu, shortcut, toolbar or context menu command, acting on the ladder
    // or on the instruction list as the view shows it. Disabled commands do
    // nothing.
    void run(EditCommand command);

    // Symbol and instruction entry.
    EntryResult cellEntry(int row, int col);  // with the preset symbol of the dialog fields
    void symbolCommand(int symbol);           // F5 ... Alt+F8 at the cursor cell
    void cellEdit(int row, int col);          // Enter or double-click on a ladder cell
    void editListLine(int line);              // Enter or double-click on a list line
    bool lineEntry(int line);                 // stores the "Enter list" text; false: nothing stored

    // Wires from the cursor cell, each asking its count dialog.
    void horizontalLine();
    void verticalLine();
    void deleteHorizontalLine();
    void deleteVerticalLine();

    // Lines, rows (columns of a rung block), Delete key, clipboard.
    void insertLine();
    void deleteLine();
    void insertRow();
    void deleteRow();
    void deleteSelection();
    void copy();
    void cut();
    void paste();

    // The fields of the two entry dialogs, kept from one opening to the next.
    SymbolDialogFields m_symbolDialog;
    ListDialogFields m_listDialog;
    // Set by the view's mouse handling: the mouse moved with the left button
    // held since the last press, so the selection of the view state is valid.
    bool m_bDragged = false;
    // Times the shared "Device setting is wrong!" has been shown in this entry.
    int m_nDeviceMsgCount = 0;
    // Size of the last ladder block copied or pasted.
    int m_nClipRows = 0;
    int m_nClipCols = 0;
    // Called when an edit changes what the project file holds (the document's
    // modified flag).
    std::function<void()> onModified;

  private:
    LadderGrid& grid() { return m_s.grid(); }
    InstructionTable& table() { return m_s.table(); }
    bool listMode() const { return m_s.view.m_bListMode != 0; }
    void refuse(const char* text);
    void deviceMessage();  // the shared device error message, once per entry
    void markModified();
    int boxOperands(int row) const;  // operands of the row's application instruction
    bool insideBox(int row, int col) const;

    void insertLadderLine();
    bool insertListLineAt(int line);
    bool insertBlankListLine(int line);  // a NOP line, the document not yet marked
    void deleteLadderLine();
    void deleteListLineAt(int line);
    void deleteLadderSelection();
    void deleteListSelection();
    bool copyLadder();
    bool copyList();
    void pasteLadder();
    void pasteList();

    Session& m_s;
    DialogProvider& m_dialogs;
    ClipboardText& m_clipboard;
};

}  // namespace rs
