#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace rs::qt {

// "Enter list": one instruction line of the list.
class EnterListDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EnterListDialog(QWidget* parent = nullptr);

    void preset(const std::string& text);
    std::string text() const;

    QLineEdit* textEdit() const { return m_text; }
    QPushButton* helpButton() const { return m_help; }

  private:
    QLineEdit* m_text = nullptr;
    QPushButton* m_help = nullptr;
};

}  // namespace rs::qt
