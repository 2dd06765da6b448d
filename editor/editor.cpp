#include "editor/editor.h"

#include "core/instruction_set.h"
#include "core/messages.h"

namespace rs {

void Editor::refuse(const char* text) {
    msg::refuse(m_s.sink, text);
}

void Editor::deviceMessage() {
    if (m_nDeviceMsgCount != 0) return;
    ++m_nDeviceMsgCount;
    refuse(msg::kDeviceSettingWrong);
}

void Editor::markModified() {
    if (onModified) onModified();
}

int Editor::boxOperands(int row) const {
    if (m_s.view.grid->kind(row, kOutputCol) != AppInstruction) return 0;
    return classifyInstruction(m_s.view.grid->outputMnemonic(row), SelOperandCount, m_s.mode2());
}

bool Editor::insideBox(int row, int col) const {
    return m_s.view.grid->kind(row, kOutputCol) == AppInstruction &&
           col + boxOperands(row) > kOutputCol - 1;
}

void Editor::run(EditCommand command) {
    if (!commandEnabled(command, listMode())) return;
    const int symbol = presetSymbol(command);
    if (symbol >= 0) {
        symbolCommand(symbol);
        return;
    }
    switch (command) {
        case EditCommand::HorizontalLine:
            horizontalLine();
            break;
        case EditCommand::VerticalLine:
            verticalLine();
            break;
        case EditCommand::DeleteHorizontalLine:
            deleteHorizontalLine();
            break;
        case EditCommand::DeleteVerticalLine:
            deleteVerticalLine();
            break;
        case EditCommand::InsertLine:
            insertLine();
            break;
        case EditCommand::DeleteLine:
            deleteLine();
            break;
        case EditCommand::InsertRow:
            insertRow();
            break;
        case EditCommand::DeleteRow:
            deleteRow();
            break;
        case EditCommand::Cut:
            cut();
            break;
        case EditCommand::Copy:
            copy();
            break;
        case EditCommand::Paste:
            paste();
            break;
        case EditCommand::Delete:
            deleteSelection();
            break;
        default:
            break;
    }
}

}  // namespace rs
