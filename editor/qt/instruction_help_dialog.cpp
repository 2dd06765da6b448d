#include "editor/qt/instruction_help_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/instruction_catalogue.h"
#include "editor/qt/upper_case_validator.h"

namespace rs::qt {

namespace {

QString toQ(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Lists the entries, one line each, the mnemonic kept as item data.
void fill(QListWidget* list, const std::vector<const CatalogueEntry*>& entries) {
    list->clear();
    for (const CatalogueEntry* e : entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(catalogueLine(*e)), list);
        item->setData(Qt::UserRole, toQ(e->mnemonic));
    }
}

QListWidget* fixedFontList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return list;
}

// The width a list needs to show its widest entry whole, beside a vertical
// scroll bar.
int widthForEntries(const QListWidget* list) {
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar;
}

}  // namespace

InstructionHelpDialog::InstructionHelpDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Instruction help");
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeRetrievalPage(), "Instruction retrieval");
    m_tabs->addTab(makeSelectionPage(), "Instruction selection");
    m_tabs->setCurrentIndex(0);

    m_details = new QLabel(this);
    m_details->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* details = buttons->addButton("Details", QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(details, &QPushButton::clicked, this,
            [this] { showDetails(m_tabs->currentIndex() == 0 ? m_found : m_instructions); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_details);
    layout->addWidget(buttons);
    showFound(false);  // every instruction until a search narrows it
    // The lists are as wide as their longest entry: the found list holds every
    // instruction now, and the instruction list shows the same lines by type.
    const int instructionWidth = widthForEntries(m_found);
    m_found->setMinimumWidth(instructionWidth);
    m_instructions->setMinimumWidth(instructionWidth);
    m_types->setMinimumWidth(widthForEntries(m_types));
    resize(std::max(640, sizeHint().width()), 420);
}

QWidget* InstructionHelpDialog::makeRetrievalPage() {
    auto* page = new QWidget;
    auto* searchGroup = new QGroupBox("Search instruction", page);
    m_search = new QLineEdit(searchGroup);
    m_search->setValidator(new UpperCaseValidator(m_search));
    m_forward = new QPushButton("Forward match", searchGroup);
    m_partial = new QPushButton("Partial match", searchGroup);
    auto* searchLayout = new QHBoxLayout(searchGroup);
    searchLayout->addWidget(m_search);
    searchLayout->addWidget(m_forward);
    searchLayout->addWidget(m_partial);

    auto* foundGroup = new QGroupBox("Corresponding instruction", page);
    m_found = fixedFontList(foundGroup);
    auto* foundLayout = new QVBoxLayout(foundGroup);
    foundLayout->addWidget(m_found);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(searchGroup);
    layout->addWidget(foundGroup);
    connect(m_forward, &QPushButton::clicked, this, [this] { showFound(false); });
    connect(m_partial, &QPushButton::clicked, this, [this] { showFound(true); });
    connect(m_found, &QListWidget::itemDoubleClicked, this, [this] { showDetails(m_found); });
    return page;
}

QWidget* InstructionHelpDialog::makeSelectionPage() {
    auto* page = new QWidget;
    auto* typeGroup = new QGroupBox("Type list", page);
    m_types = new QListWidget(typeGroup);
    for (std::string_view type : instructionTypes()) m_types->addItem(toQ(type));
    auto* typeLayout = new QVBoxLayout(typeGroup);
    typeLayout->addWidget(m_types);

    auto* listGroup = new QGroupBox("Instruction list", page);
    m_instructions = fixedFontList(listGroup);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_instructions);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(typeGroup, 1);
    layout->addWidget(listGroup, 3);
    connect(m_types, &QListWidget::currentRowChanged, this, &InstructionHelpDialog::showType);
    connect(m_instructions, &QListWidget::itemDoubleClicked, this,
            [this] { showDetails(m_instructions); });
    return page;
}

void InstructionHelpDialog::showFound(bool partial) {
    const std::string text = m_search->text().toStdString();
    fill(m_found, partial ? partialMatch(text) : forwardMatch(text));
    if (m_found->count() > 0) m_found->setCurrentRow(0);
}

void InstructionHelpDialog::showType(int row) {
    const auto& types = instructionTypes();
    if (row < 0 || static_cast<size_t>(row) >= types.size()) return;
    fill(m_instructions, entriesOfType(types[static_cast<size_t>(row)]));
}

void InstructionHelpDialog::showDetails(QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    if (!item) {
        m_details->clear();
        return;
    }
    const std::string mnemonic = item->data(Qt::UserRole).toString().toStdString();
    for (const CatalogueEntry& e : instructionCatalogue()) {
        if (e.mnemonic != mnemonic) continue;
        m_details->setText(QString("%1 (%2)\nOperands: %3\n%4")
                               .arg(toQ(e.mnemonic), toQ(e.type), toQ(e.operands), toQ(e.summary)));
    }
}

}  // namespace rs::qt
