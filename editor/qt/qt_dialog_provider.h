#pragma once

#include "editor/dialog_provider.h"

class QWidget;

namespace rs::qt {

// The entry dialogs as real modal Qt dialogs over the given window (which
// may be set once the main window exists).
class QtDialogProvider : public DialogProvider {
  public:
    explicit QtDialogProvider(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    bool enterSymbol(SymbolDialogFields& fields) override;
    bool enterList(ListDialogFields& fields) override;
    bool enterLineCount(LineCountDialog dialog, int& count) override;
    void showInstructionHelp() override;

  private:
    QWidget* m_parent;
};

}  // namespace rs::qt
