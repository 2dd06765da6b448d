#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace rs::qt {

// The OK, Exit and Help row of the entry dialogs: OK accepts (and is the
// default button), Exit rejects, Help opens the instruction help. The Help
// button is handed back for the dialog to keep.
QHBoxLayout* makeEntryButtons(QDialog* dialog, QPushButton** help);

}  // namespace rs::qt
