#include "editor/qt/enter_list_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/qt/entry_buttons.h"
#include "editor/qt/upper_case_validator.h"

namespace rs::qt {

EnterListDialog::EnterListDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Enter list");
    m_text = new QLineEdit(this);
    m_text->setValidator(new UpperCaseValidator(m_text));
    m_text->setMinimumWidth(300);

    QHBoxLayout* buttons = makeEntryButtons(this, &m_help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
}

void EnterListDialog::preset(const std::string& text) {
    m_text->setText(QString::fromLatin1(text.c_str()));
    m_text->setFocus();
}

std::string EnterListDialog::text() const {
    return m_text->text().toLatin1().toStdString();
}

}  // namespace rs::qt
