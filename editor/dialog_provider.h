#pragma once

#include <string>

namespace rs {

// The fields of the "Enter symbol" dialog. The editor keeps one set for the
// whole program, so the last entry is what the next opening starts from.
struct SymbolDialogFields {
    int m_nSymbol = -1;     // position in the symbol list, 0 to 9 (kind - 1); -1 for none
    std::string m_strText;  // the device or instruction text
};

// The field of the "Enter list" dialog.
struct ListDialogFields {
    std::string m_strText;
};

// The four dialogs that ask for a number of cells.
enum class LineCountDialog {
    EnterHorizontal,   // "Enter horizontal line"
    EnterVertical,     // "Enter vertical line"
    DeleteHorizontal,  // "Delete horizontal line"
    DeleteVertical,    // "Delete vertical line"
};

// Where the editing commands get the user's answers from. The window runs the
// real modal dialogs; tests answer from a script.
class DialogProvider {
  public:
    virtual ~DialogProvider() = default;
    // "Enter symbol", opened with the fields as preset. Returns true on "OK",
    // with the chosen symbol (-1 when none is selected) and the text as the
    // user left them (letters upper case).
    virtual bool enterSymbol(SymbolDialogFields& fields) = 0;
    // "Enter list", opened with the field as preset; true on "OK".
    virtual bool enterList(ListDialogFields& fields) = 0;
    // One of the count dialogs; true on "OK" with the count, which is 1 when the
    // edit was left empty or held 0.
    virtual bool enterLineCount(LineCountDialog dialog, int& count) = 0;
    // "Instruction help".
    virtual void showInstructionHelp() = 0;
};

}  // namespace rs
