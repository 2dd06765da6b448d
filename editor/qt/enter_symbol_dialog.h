#pragma once

#include <QDialog>

#include "editor/dialog_provider.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace rs::qt {

// "Enter symbol": the ten symbol glyphs and the device or instruction text.
class EnterSymbolDialog : public QDialog {
    Q_OBJECT
  public:
    // The longest text the edit takes.
    static constexpr int kMaxText = 199;

    explicit EnterSymbolDialog(QWidget* parent = nullptr);

    // Opens with the fields as preset; a symbol outside the list selects none.
    void preset(const SymbolDialogFields& fields);
    // The symbol selected (-1 for none) and the text as they stand.
    SymbolDialogFields fields() const;

    QComboBox* symbolList() const { return m_symbols; }
    QLineEdit* textEdit() const { return m_text; }
    QPushButton* helpButton() const { return m_help; }

  private:
    QComboBox* m_symbols = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_help = nullptr;
};

}  // namespace rs::qt
