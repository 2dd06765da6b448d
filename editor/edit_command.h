#pragma once

namespace rs {

// The editing commands that menus, shortcuts, toolbar buttons and the
// context menu reach.
enum class EditCommand {
    // Symbol commands, in the order of the menu and of the symbol list.
    OpenContact,         // F5
    CloseContact,        // F6
    OpenBranch,          // Shift+F5
    CloseBranch,         // Shift+F6
    Coil,                // F7
    AppInstruction,      // F8
    RisingPulse,         // Shift+F7
    FallingPulse,        // Shift+F8
    RisingPulseBranch,   // Alt+F7
    FallingPulseBranch,  // Alt+F8
    // Wires.
    HorizontalLine,        // F9
    VerticalLine,          // Shift+F9
    DeleteHorizontalLine,  // Ctrl+F9
    DeleteVerticalLine,    // Ctrl+F10
    // Lines (grid rows or list lines) and rows (grid columns).
    InsertLine,  // Shift+Ins
    DeleteLine,  // Shift+Del
    InsertRow,   // Ctrl+Ins
    DeleteRow,   // Ctrl+Del
    // Clipboard and the Delete key.
    Cut,     // Ctrl+X
    Copy,    // Ctrl+C
    Paste,   // Ctrl+V
    Delete,  // Delete key
    Undo,    // Ctrl+Z, Alt+Backspace: no action
};

// The symbol list position (kind - 1) a symbol command presets; -1 for the
// other commands.
int presetSymbol(EditCommand command);

// Whether the command is enabled: the symbol, wire and row (column) commands
// only while the ladder is shown; the line, clipboard and Delete commands
// always; Undo never.
bool commandEnabled(EditCommand command, bool listMode);

}  // namespace rs
