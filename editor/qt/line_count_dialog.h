#pragma once

#include <QDialog>

#include "editor/dialog_provider.h"

class QLineEdit;

namespace rs::qt {

// The four dialogs that ask for a number of cells: digits only, at most 7.
class LineCountEntryDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxDigits = 7;

    explicit LineCountEntryDialog(LineCountDialog which, QWidget* parent = nullptr);

    // The number in the edit; 1 when it is empty or 0.
    int count() const;

    QLineEdit* countEdit() const { return m_count; }

  private:
    QLineEdit* m_count = nullptr;
};

// The title of each count dialog.
const char* lineCountTitle(LineCountDialog which);

}  // namespace rs::qt
