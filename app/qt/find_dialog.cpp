#include "app/qt/find_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using rs::search::FindKind;

namespace {

const char* titleOf(FindKind kind) {
    switch (kind) {
        case FindKind::Device:
            return "Find device";
        case FindKind::Instruction:
            return "Find instruction";
        case FindKind::Text:
            return "Find string";
    }
    return "";
}

const char* labelOf(FindKind kind) {
    switch (kind) {
        case FindKind::Device:
            return "&Device:";
        case FindKind::Instruction:
            return "&Instruction:";
        case FindKind::Text:
            return "&String:";
    }
    return "";
}

}  // namespace

CFindDialog::CFindDialog(FindKind kind, QWidget* parent) : QDialog(parent), m_kind(kind) {
    setWindowTitle(titleOf(kind));
    m_text = new QLineEdit(this);
    auto* form = new QFormLayout;
    form->addRow(labelOf(kind), m_text);

    auto* direction = new QGroupBox("Direction", this);
    m_up = new QRadioButton("&Up", direction);
    m_down = new QRadioButton("D&own", direction);
    m_down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* next = new QPushButton("&Find Next", this);
    auto* cancel = new QPushButton("Cancel", this);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { emit findNext(query()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(direction);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);
    m_text->setFocus();
}

rs::search::FindQuery CFindDialog::query() const {
    return {m_kind, m_text->text().toStdString(), !m_up->isChecked()};
}

CReplaceDeviceDialog::CReplaceDeviceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Replace device");
    m_from = new QLineEdit(this);
    m_to = new QLineEdit(this);
    auto* form = new QFormLayout;
    form->addRow("Fi&nd device:", m_from);
    form->addRow("Re&place with:", m_to);
    auto* replace = new QPushButton("Replace &All", this);
    auto* cancel = new QPushButton("Cancel", this);
    replace->setDefault(true);
    connect(replace, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(replace);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_from->setFocus();
}
