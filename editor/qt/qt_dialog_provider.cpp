#include "editor/qt/qt_dialog_provider.h"

#include "editor/qt/enter_list_dialog.h"
#include "editor/qt/enter_symbol_dialog.h"
#include "editor/qt/instruction_help_dialog.h"
#include "editor/qt/line_count_dialog.h"

namespace rs::qt {

bool QtDialogProvider::enterSymbol(SymbolDialogFields& fields) {
    EnterSymbolDialog dialog(m_parent);
    dialog.preset(fields);
    if (dialog.exec() != QDialog::Accepted) return false;
    fields = dialog.fields();
    return true;
}

bool QtDialogProvider::enterList(ListDialogFields& fields) {
    EnterListDialog dialog(m_parent);
    dialog.preset(fields.m_strText);
    if (dialog.exec() != QDialog::Accepted) return false;
    fields.m_strText = dialog.text();
    return true;
}

bool QtDialogProvider::enterLineCount(LineCountDialog which, int& count) {
    LineCountEntryDialog dialog(which, m_parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    count = dialog.count();
    return true;
}

void QtDialogProvider::showInstructionHelp() {
    InstructionHelpDialog dialog(m_parent);
    dialog.exec();
}

}  // namespace rs::qt
