#include "online/qt/batch_monitor_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "online/list_report_model.h"
#include "online/qt/device_port_box.h"
#include "online/qt/list_report.h"
#include "translations/system_text.h"

namespace {

using rs::online::MonitorDisplay;
using rs::online::MonitorLayout;
using rs::online::MonitorRadix;

constexpr int kCommentWidth = 200;  // pixels of the column naming each row's first device

// A group of radio buttons in a column, the first one checked; each calls
// `chosen` with its position when it is checked.
QGroupBox* radioGroup(const QString& title, const QStringList& texts, QWidget* parent,
                      const std::function<void(int)>& chosen) {
    auto* group = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], group);
        radio->setChecked(i == 0);
        buttons->addButton(radio, i);
        column->addWidget(radio);
    }
    QObject::connect(buttons, &QButtonGroup::idClicked, group, chosen);
    return group;
}

}  // namespace

CDeviceBatchMonitor::CDeviceBatchMonitor(rs::MessageSink& sink, const rs::RangeFile& ranges,
                                         QWidget* parent)
    : QDialog(parent),
      m_monitor(m_link, sink, m_waitTimer, m_retryTimer, rs::online::rangeCheck(ranges)) {
    setWindowTitle("Device bath");
    buildControls();
    m_monitor.onTableChanged = [this] { showTable(); };
    showTable();
}

CDeviceBatchMonitor::~CDeviceBatchMonitor() {
    m_monitor.stop();
}

void CDeviceBatchMonitor::buildControls() {
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    root->addLayout(left, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Port", this));
    m_pPort = new DevicePortBox(this);
    top->addWidget(m_pPort, 1);
    top->addWidget(new QLabel("device", this));
    m_pDevice = new QLineEdit(this);
    m_pDevice->setMaxLength(6);
    m_pDevice->setMaximumWidth(90);
    top->addWidget(m_pDevice);
    left->addLayout(top);

    auto* groups = new QHBoxLayout;
    groups->addWidget(radioGroup("Monitor", {"Bit or Word", "Bit", "Word"}, this, [this](int i) {
        m_monitor.setLayout(static_cast<MonitorLayout>(i));
    }));
    groups->addWidget(
        radioGroup("Display", {"16bit intege", "32bit intege", "Real number", "ASCII character"},
                   this, [this](int i) { m_monitor.setDisplay(static_cast<MonitorDisplay>(i)); }));
    groups->addWidget(radioGroup("Value", {"DEC", "HEX"}, this, [this](int i) {
        m_monitor.setRadix(static_cast<MonitorRadix>(i));
    }));
    left->addLayout(groups);

    m_pTable = new CListReport(0, true, this);
    left->addWidget(m_pTable, 1);
    m_pStatus = new QLabel(this);
    left->addWidget(m_pStatus);
    // A width the user drags a column to stays until the columns change.
    connect(m_pTable->header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (!m_sizing) m_userWidths[column] = width;
            });

    auto* buttons = new QVBoxLayout;
    auto* start = new QPushButton("Start monitor", this);
    auto* button2 = new QPushButton("Button2", this);  // no action
    auto* ok = new QPushButton(rs::qt::sysText("確定"), this);
    auto* cancel = new QPushButton(rs::qt::sysText("取消"), this);
    for (QPushButton* b : {start, button2, ok, cancel}) buttons->addWidget(b);
    buttons->addStretch(1);
    root->addLayout(buttons);
    ok->setDefault(true);

    connect(start, &QPushButton::clicked, this, &CDeviceBatchMonitor::onStart);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 440);
}

QRadioButton* CDeviceBatchMonitor::radio(const QString& text) const {
    for (QRadioButton* r : findChildren<QRadioButton*>())
        if (r->text() == text) return r;
    return nullptr;
}

QPushButton* CDeviceBatchMonitor::button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

void CDeviceBatchMonitor::onStart() {
    m_monitor.setPort(m_pPort->port(), DevicePortBox::lineSettings());
    m_pPort->remember();
    m_monitor.start(m_pDevice->text().toStdString());
}

void CDeviceBatchMonitor::done(int result) {
    // No request goes out once the dialog is closed.
    m_monitor.stop();
    QDialog::done(result);
}

void CDeviceBatchMonitor::showTable() {
    const rs::online::MonitorTable t = m_monitor.table();
    // The name of each row's first device, after the values; no column when
    // no shown row is named.
    std::vector<std::string> comments;
    if (m_commentOf) {
        bool any = false;
        for (const auto& line : t.lines) {
            comments.push_back(line.empty() ? std::string() : m_commentOf(line.front()));
            any = any || !comments.back().empty();
        }
        if (!any) comments.clear();
    }
    QStringList headings;
    for (const auto& column : t.columns) headings << QString::fromStdString(column.heading);
    if (!comments.empty()) headings << "Comment";
    m_sizing = true;
    if (headings != m_headings) {
        m_pTable->DeleteAllColumns();
        m_userWidths.clear();
        for (size_t c = 0; c < t.columns.size(); ++c)
            m_pTable->InsertColumn(headings[static_cast<int>(c)], t.columns[c].width);
        if (!comments.empty()) m_pTable->InsertColumn("Comment", kCommentWidth);
        m_headings = headings;
    } else {
        m_pTable->DeleteAll();
    }
    // Stale values are greyed.
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    const std::string descriptor =
        t.stale
            ? rs::online::textDescriptor(
                  false, static_cast<uint32_t>(grey.red() | grey.green() << 8 | grey.blue() << 16))
            : std::string("0");
    for (size_t r = 0; r < t.lines.size(); ++r)
        for (size_t c = 0; c < t.lines[r].size(); ++c)
            m_pTable->SetCell(static_cast<int>(r), static_cast<int>(c),
                              QString::fromStdString(t.lines[r][c]), descriptor);
    const int commentColumn = static_cast<int>(t.columns.size());
    for (size_t r = 0; r < comments.size(); ++r)
        m_pTable->SetCell(static_cast<int>(r), commentColumn, QString::fromStdString(comments[r]),
                          "0");
    fitColumns(t);
    m_sizing = false;
    m_pStatus->setText(QString::fromStdString(m_monitor.status()));
}

// The widths were made for a narrower font than this platform's: a column is
// at least as wide as its heading and its widest text.
void CDeviceBatchMonitor::fitColumns(const rs::online::MonitorTable& t) {
    const QFontMetrics heading = m_pTable->header()->fontMetrics();
    const QFontMetrics cells = m_pTable->fontMetrics();
    for (int c = 0; c < static_cast<int>(t.columns.size()); ++c) {
        int widest = 0;
        for (int r = 0; r < m_pTable->topLevelItemCount(); ++r)
            widest = std::max(widest, cells.horizontalAdvance(m_pTable->CellText(r, c)));
        const auto user = m_userWidths.find(c);
        const int width = rs::online::columnWidth(
            t.columns[static_cast<size_t>(c)].width, heading.horizontalAdvance(m_headings[c]),
            widest, user == m_userWidths.end() ? std::nullopt : std::optional<int>(user->second));
        m_pTable->header()->resizeSection(c, width);
    }
}

void CDeviceBatchMonitor::setCommentOf(CommentOf commentOf) {
    m_commentOf = std::move(commentOf);
    showTable();
}
