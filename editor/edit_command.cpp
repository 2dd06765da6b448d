#include "editor/edit_command.h"

namespace rs {

int presetSymbol(EditCommand command) {
    const int position = static_cast<int>(command) - static_cast<int>(EditCommand::OpenContact);
    return position >= 0 && position <= 9 ? position : -1;
}

bool commandEnabled(EditCommand command, bool listMode) {
    switch (command) {
        case EditCommand::InsertLine:
        case EditCommand::DeleteLine:
        case EditCommand::Cut:
        case EditCommand::Copy:
        case EditCommand::Paste:
        case EditCommand::Delete:
            return true;
        case EditCommand::Undo:
            return false;
        default:
            return !listMode;
    }
}

}  // namespace rs
