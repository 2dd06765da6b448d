#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "editor/search/find.h"

// One of the three find dialogs (device, instruction, string): the text, the
// direction group and "Find Next". It stays open while the user searches;
// each "Find Next" asks the frame to search.
class CFindDialog : public QDialog {
    Q_OBJECT
  public:
    CFindDialog(rs::search::FindKind kind, QWidget* parent = nullptr);

    rs::search::FindQuery query() const;
    QLineEdit* textEdit() const { return m_text; }
    QRadioButton* upButton() const { return m_up; }

  signals:
    void findNext(const rs::search::FindQuery& query);

  private:
    rs::search::FindKind m_kind;
    QLineEdit* m_text;
    QRadioButton* m_up;
    QRadioButton* m_down;
};

// "Replace device": the device to rename and its new name.
class CReplaceDeviceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CReplaceDeviceDialog(QWidget* parent = nullptr);
    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* toEdit() const { return m_to; }

  private:
    QLineEdit* m_from;
    QLineEdit* m_to;
};
