#include "app/qt/watch_bar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kDeviceColumn = 0;
constexpr int kValueColumn = 1;

// The table, telling whether a value is being typed.
class WatchTable : public QTableWidget {
  public:
    explicit WatchTable(QWidget* parent) : QTableWidget(0, 2, parent) {}
    bool typing() const { return state() == QAbstractItemView::EditingState; }
};

}  // namespace

CWatchBar::CWatchBar(QWidget* parent) : QDockWidget("Watch", parent) {
    setObjectName("Watch");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    m_table = new WatchTable(body);
    m_table->setHorizontalHeaderLabels({"Device", "Value"});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    layout->addWidget(m_table);
    auto* entry = new QHBoxLayout;
    m_device = new QLineEdit(body);
    m_device->setPlaceholderText("Device, as Y000");
    auto* add = new QPushButton("Add", body);
    auto* remove = new QPushButton("Remove", body);
    entry->addWidget(m_device, 1);
    entry->addWidget(add);
    entry->addWidget(remove);
    layout->addLayout(entry);
    setWidget(body);

    auto requestAdd = [this] {
        if (m_device->text().trimmed().isEmpty()) return;
        emit addRequested(m_device->text().trimmed());
    };
    connect(m_device, &QLineEdit::returnPressed, this, requestAdd);
    connect(add, &QPushButton::clicked, this, requestAdd);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() >= 0) emit removeRequested(m_table->currentRow());
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        const size_t i = static_cast<size_t>(row);
        if (column == kValueColumn && m_bEditable && i < m_rows.size() && m_rows[i].bit)
            emit toggleRequested(row);
    });
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == kValueColumn) emit valueEntered(item->row(), item->text());
    });
}

void CWatchBar::showRows(const std::vector<rs::shell::WatchRow>& rows, bool editable) {
    if (static_cast<const WatchTable*>(m_table)->typing()) return;
    m_rows = rows;
    m_bEditable = editable;
    const QSignalBlocker quiet(m_table);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const rs::shell::WatchRow& row = rows[static_cast<size_t>(r)];
        auto* device = new QTableWidgetItem(QString::fromStdString(row.device));
        device->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        const QString value =
            QString::fromStdString(row.value) + (row.forced ? QString(" forced") : QString());
        auto* item = new QTableWidgetItem(value);
        // A word's value is typed over; a bit flips on a double click.
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (editable && !row.bit) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        if (row.forced) {
            item->setForeground(QColor(180, 0, 0));
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        m_table->setItem(r, kDeviceColumn, device);
        m_table->setItem(r, kValueColumn, item);
    }
}
