#include "editor/qt/entry_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "editor/qt/instruction_help_dialog.h"

namespace rs::qt {

QHBoxLayout* makeEntryButtons(QDialog* dialog, QPushButton** help) {
    auto* ok = new QPushButton("OK", dialog);
    auto* exit = new QPushButton("Exit", dialog);
    *help = new QPushButton("Help", dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(exit, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(*help, &QPushButton::clicked, dialog, [dialog] {
        InstructionHelpDialog helpDialog(dialog);
        helpDialog.exec();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    buttons->addWidget(*help);
    return buttons;
}

}  // namespace rs::qt
