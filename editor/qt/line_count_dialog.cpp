#include "editor/qt/line_count_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace rs::qt {

const char* lineCountTitle(LineCountDialog which) {
    switch (which) {
        case LineCountDialog::EnterHorizontal:
            return "Enter horizontal line";
        case LineCountDialog::EnterVertical:
            return "Enter vertical line";
        case LineCountDialog::DeleteHorizontal:
            return "Delete horizontal line";
        case LineCountDialog::DeleteVertical:
            return "Delete vertical line";
    }
    return "";
}

LineCountEntryDialog::LineCountEntryDialog(LineCountDialog which, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(lineCountTitle(which));
    m_count = new QLineEdit(this);
    m_count->setMaxLength(kMaxDigits);
    m_count->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,7}"), m_count));

    auto* ok = new QPushButton("OK", this);
    auto* exit = new QPushButton("Exit", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_count);
    layout->addLayout(buttons);
    m_count->setFocus();
}

int LineCountEntryDialog::count() const {
    const int n = m_count->text().toInt();
    return n > 0 ? n : 1;
}

}  // namespace rs::qt
