#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QLabel;

namespace rs::qt {

// "Instruction help": the instructions the editor accepts, found by typing
// the start or a part of a mnemonic ("Instruction retrieval"), or by picking
// a type ("Instruction selection").
class InstructionHelpDialog : public QDialog {
    Q_OBJECT
  public:
    explicit InstructionHelpDialog(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* searchEdit() const { return m_search; }
    QPushButton* forwardButton() const { return m_forward; }
    QPushButton* partialButton() const { return m_partial; }
    QListWidget* foundList() const { return m_found; }
    QListWidget* typeList() const { return m_types; }
    QListWidget* instructionList() const { return m_instructions; }
    QLabel* detailsLabel() const { return m_details; }

  private:
    QWidget* makeRetrievalPage();
    QWidget* makeSelectionPage();
    void showFound(bool partial);
    void showType(int row);
    void showDetails(QListWidget* list);

    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_partial = nullptr;
    QListWidget* m_found = nullptr;
    QListWidget* m_types = nullptr;
    QListWidget* m_instructions = nullptr;
    QLabel* m_details = nullptr;
};

}  // namespace rs::qt
