#include "editor/qt/enter_symbol_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/qt/entry_buttons.h"
#include "editor/qt/upper_case_validator.h"

namespace rs::qt {

EnterSymbolDialog::EnterSymbolDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Enter symbol");
    m_symbols = new QComboBox(this);
    m_symbols->addItems(
        {"-| |-", "-|/|-", "+| |+", "+|/|+", "-( )-", "-[ ]-", "-|P|-", "-|F|-", "+|P|+", "+|F|+"});
    m_text = new QLineEdit(this);
    m_text->setMaxLength(kMaxText);
    m_text->setValidator(new UpperCaseValidator(m_text));
    m_text->setMinimumWidth(260);

    auto* entry = new QHBoxLayout;
    entry->addWidget(m_symbols);
    entry->addWidget(m_text, 1);
    QHBoxLayout* buttons = makeEntryButtons(this, &m_help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons);
}

void EnterSymbolDialog::preset(const SymbolDialogFields& fields) {
    const bool listed = fields.m_nSymbol >= 0 && fields.m_nSymbol < m_symbols->count();
    m_symbols->setCurrentIndex(listed ? fields.m_nSymbol : -1);
    m_text->setText(QString::fromLatin1(fields.m_strText.c_str()));
    m_text->setFocus();
}

SymbolDialogFields EnterSymbolDialog::fields() const {
    return {m_symbols->currentIndex(), m_text->text().toLatin1().toStdString()};
}

}  // namespace rs::qt
