#include "app/qt/device_comments_bar.h"

#include <QHeaderView>

#include "app/model/comment_text.h"
#include "editor/search/cross_reference.h"

namespace {

constexpr int kDeviceColumn = 0;
constexpr int kCommentColumn = 1;
constexpr int kWhereColumn = 2;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CDeviceCommentsBar::CDeviceCommentsBar(QWidget* parent) : QDockWidget("Device comments", parent) {
    setObjectName("Device comments");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels({"Device", "Comment", "Where used"});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setWordWrap(false);  // one line a device; long place lists end in "..."
    setWidget(m_table);
    connect(m_table, &QTableWidget::cellChanged, this, &CDeviceCommentsBar::cellChanged);
}

void CDeviceCommentsBar::addRow(const QString& device, const QString& comment,
                                const QString& where) {
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto* name = new QTableWidgetItem(device);
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    auto* places = new QTableWidgetItem(where);
    places->setFlags(places->flags() & ~Qt::ItemIsEditable);
    m_table->setItem(row, kDeviceColumn, name);
    m_table->setItem(row, kCommentColumn, new QTableWidgetItem(comment));
    m_table->setItem(row, kWhereColumn, places);
}

// The last row takes a device typed in; its comment and places are not editable yet.
void CDeviceCommentsBar::addEntryRow() {
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, kDeviceColumn, new QTableWidgetItem());
    for (int c : {kCommentColumn, kWhereColumn}) {
        auto* item = new QTableWidgetItem();
        item->setFlags(Qt::NoItemFlags);
        m_table->setItem(row, c, item);
    }
}

int CDeviceCommentsBar::rowOf(const QString& device) const {
    for (int r = 0; r + 1 < m_table->rowCount(); ++r)
        if (m_table->item(r, kDeviceColumn)->text() == device) return r;
    return -1;
}

void CDeviceCommentsBar::refresh(const rs::DeviceComments* comments, const rs::Session* session) {
    m_bFilling = true;
    m_table->setRowCount(0);
    if (!comments || !session) {
        m_typed.clear();
        m_bFilling = false;
        return;
    }
    std::vector<std::string> typed;
    for (const QString& device : m_typed) typed.push_back(device.toStdString());
    const auto rows =
        rs::shell::commentRows(*comments, rs::search::crossReference(*session), typed);
    for (const auto& row : rows) addRow(qs(row.device), qs(row.comment), qs(row.where));
    addEntryRow();
    m_table->resizeColumnToContents(kDeviceColumn);
    m_table->resizeColumnToContents(kCommentColumn);
    m_bFilling = false;
}

void CDeviceCommentsBar::cellChanged(int row, int column) {
    if (m_bFilling) return;
    QTableWidgetItem* item = m_table->item(row, column);
    if (!item) return;
    const bool entry = row == m_table->rowCount() - 1;
    if (column == kCommentColumn && !entry) {
        emit commentEdited(m_table->item(row, kDeviceColumn)->text(), item->text());
        return;
    }
    if (column != kDeviceColumn || !entry) return;
    const QString typed = item->text().trimmed();
    if (typed.isEmpty()) return;
    // The rows change after the edit that typed the device has ended.
    QMetaObject::invokeMethod(
        this, [this, typed] { takeDevice(typed); }, Qt::QueuedConnection);
}

void CDeviceCommentsBar::takeDevice(const QString& typed) {
    const int row = m_table->rowCount() - 1;
    if (row < 0) return;
    const auto named = rs::readCommentDevice(typed.toStdString());
    m_bFilling = true;
    m_table->item(row, kDeviceColumn)->setText(QString());
    m_bFilling = false;
    if (!named) {
        emit deviceRefused(typed);
        return;
    }
    const QString device = qs(named->text());
    int at = rowOf(device);
    if (at < 0) {
        m_bFilling = true;
        m_table->removeRow(row);
        addRow(device, QString(), QString());
        addEntryRow();
        m_bFilling = false;
        m_typed << device;
        at = m_table->rowCount() - 2;
    }
    m_table->setCurrentCell(at, kCommentColumn);
    m_table->editItem(m_table->item(at, kCommentColumn));
}
