#include "online/qt/device_test_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <optional>

#include "core/messages.h"
#include "online/list_report_model.h"
#include "online/online_messages.h"
#include "online/qt/device_port_box.h"
#include "online/qt/list_report.h"
#include "online/request_fields.h"
#include "translations/system_text.h"

namespace {

// The dialog's heights with the history shown and hidden, recorded the first
// time the history is hidden or shown and kept for every later opening.
struct CollapsedHeights {
    int full = 0;
    int collapsed = 0;
};
std::optional<CollapsedHeights>& recordedHeights() {
    static std::optional<CollapsedHeights> heights;
    return heights;
}

QLineEdit* numberBox(const QString& text, const QString& pattern, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    box->setMaximumWidth(90);
    return box;
}

}  // namespace

CDeviceTest::CDeviceTest(rs::MessageSink& sink, const rs::RangeFile& ranges, QWidget* parent)
    : QDialog(parent),
      m_sink(sink),
      m_test(m_link, sink, m_replyTimer, rs::online::rangeCheck(ranges)) {
    setWindowTitle("Device test");
    buildControls();
    m_test.onHistory = [this](const rs::online::HistoryEntry& e) { addHistory(e); };
}

CDeviceTest::~CDeviceTest() {
    m_link.close();
}

void CDeviceTest::buildControls() {
    auto* root = new QVBoxLayout(this);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel("Port", this));
    m_pPort = new DevicePortBox(this);
    portRow->addWidget(m_pPort, 1);
    root->addLayout(portRow);

    auto* bitGroup = new QGroupBox("Bit device", this);
    auto* bitRow = new QHBoxLayout(bitGroup);
    m_pBitDevice = new QLineEdit(bitGroup);
    m_pBitDevice->setMaxLength(rs::kMaxDeviceText);
    bitRow->addWidget(m_pBitDevice);
    auto* forceOn = new QPushButton("Force on", bitGroup);
    auto* forceOff = new QPushButton("Force off", bitGroup);
    auto* toggle = new QPushButton("Toggle force", bitGroup);  // no action
    for (QPushButton* b : {forceOn, forceOff, toggle}) bitRow->addWidget(b);
    root->addWidget(bitGroup);

    auto* wordGroup = new QGroupBox("Word device/buffer memory", this);
    auto* word = new QGridLayout(wordGroup);
    auto* deviceRadio = new QRadioButton("Device", wordGroup);
    deviceRadio->setChecked(true);
    word->addWidget(deviceRadio, 0, 0);
    word->addWidget(new QRadioButton("Buffer memory", wordGroup), 0, 1);
    word->addWidget(new QLabel("Module start", wordGroup), 0, 2);
    word->addWidget(new QComboBox(wordGroup), 0, 3);
    word->addWidget(new QLabel("Address", wordGroup), 1, 2);
    word->addWidget(new QComboBox(wordGroup), 1, 3);
    word->addWidget(new QLabel(rs::qt::sysText("起始地址"), wordGroup), 1, 0);
    word->addWidget(new QLabel(rs::qt::sysText("长度"), wordGroup), 1, 1);
    m_pWordDevice = new QLineEdit(wordGroup);
    m_pWordDevice->setMaxLength(rs::kMaxDeviceText);
    word->addWidget(m_pWordDevice, 2, 0);
    m_pByteCount = numberBox("2", "-?[0-9]{0,4}", wordGroup);
    // Words from -32768 to 65535; what the boxes let through is checked on use.
    word->addWidget(m_pByteCount, 2, 1);
    for (int i = 0; i < rs::online::kWordCount; ++i) {
        m_data[static_cast<size_t>(i)] = numberBox("0", "-?[0-9]{0,6}", wordGroup);
        word->addWidget(m_data[static_cast<size_t>(i)], 3 + i / 4, i % 4);
    }
    word->addWidget(new QLabel(rs::qt::sysText("0:T/C触点;1:T/C线圈"), wordGroup), 5, 0, 1, 2);
    m_pTimerCounter = numberBox("0", "-?[0-9]{0,9}", wordGroup);
    word->addWidget(m_pTimerCounter, 5, 2);
    auto* write = new QPushButton("Write", wordGroup);
    auto* read = new QPushButton("Read", wordGroup);
    word->addWidget(write, 6, 2);
    word->addWidget(read, 6, 3);
    root->addWidget(wordGroup);

    auto* programGroup = new QGroupBox("Program", this);
    auto* program = new QHBoxLayout(programGroup);
    program->addWidget(new QLabel("Address", programGroup));
    program->addWidget(new QComboBox(programGroup));
    for (int i = 0; i < 3; ++i) program->addWidget(new QLineEdit(programGroup));
    program->addWidget(new QCheckBox("Label reference", programGroup));
    root->addWidget(programGroup);

    auto* buttons = new QHBoxLayout;
    m_pHideHistory = new QPushButton("Hide history", this);
    auto* close = new QPushButton("Close", this);
    buttons->addWidget(m_pHideHistory);
    buttons->addStretch(1);
    buttons->addWidget(close);
    root->addLayout(buttons);

    m_pSeparator = new QFrame(this);
    m_pSeparator->setFrameShape(QFrame::HLine);
    m_pSeparator->setFrameShadow(QFrame::Sunken);
    root->addWidget(m_pSeparator);

    m_pHistoryGroup = new QGroupBox("Execution history", this);
    auto* historyLayout = new QVBoxLayout(m_pHistoryGroup);
    m_pHistory = new CListReport(0, false, m_pHistoryGroup);
    m_pHistory->InsertColumn("Device", 100);
    m_pHistory->InsertColumn("Setting condition", 100);
    m_pHistory->header()->setStretchLastSection(true);
    historyLayout->addWidget(m_pHistory);
    root->addWidget(m_pHistoryGroup, 1);

    connect(forceOn, &QPushButton::clicked, this, [this] { onForce(true); });
    connect(forceOff, &QPushButton::clicked, this, [this] { onForce(false); });
    connect(write, &QPushButton::clicked, this, &CDeviceTest::onWrite);
    connect(read, &QPushButton::clicked, this, &CDeviceTest::onRead);
    connect(m_pHideHistory, &QPushButton::clicked, this, &CDeviceTest::onHideHistory);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pHistory, &CListReport::leftButtonDoubleClicked, this,
            &CDeviceTest::onHistoryDoubleClick);
    resize(460, 700);
}

void CDeviceTest::done(int result) {
    // The port is free for the next dialog once this one is closed.
    m_link.close();
    QDialog::done(result);
}

QPushButton* CDeviceTest::button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

bool CDeviceTest::usePort() {
    m_test.setPort(m_pPort->port(), DevicePortBox::lineSettings());
    m_pPort->remember();
    return true;
}

void CDeviceTest::onForce(bool on) {
    usePort();
    m_test.force(m_pBitDevice->text().toStdString(), on);
}

// The byte count box: nothing, after its message, when it asks for no bytes
// or for more than the eight words hold.
std::optional<int> CDeviceTest::byteCount() {
    const rs::online::ByteCount count =
        rs::online::parseByteCount(m_pByteCount->text().toStdString());
    if (const char* problem = rs::online::byteCountMessage(count.problem)) {
        rs::msg::refuse(m_sink, problem);
        return std::nullopt;
    }
    return count.count;
}

void CDeviceTest::onWrite() {
    usePort();
    const auto count = byteCount();
    if (!count) return;
    std::array<uint32_t, rs::online::kWordCount> words{};
    // The words the byte count sends must each be a word's value.
    for (size_t i = 0; i < words.size(); ++i) {
        const auto value = rs::online::parseWordValue(m_data[i]->text().toStdString());
        if (!value && static_cast<int>(2 * i) < *count) {
            rs::msg::refuse(m_sink, rs::msg::kValueOutOfRange);
            m_data[i]->setFocus();
            return;
        }
        words[i] = value.value_or(0);
    }
    m_test.writeWords(m_pWordDevice->text().toStdString(), *count, words,
                      m_pTimerCounter->text().toInt());
}

void CDeviceTest::onRead() {
    usePort();
    const auto count = byteCount();
    if (!count) return;
    m_test.readWords(m_pWordDevice->text().toStdString(), *count, m_pTimerCounter->text().toInt());
}

void CDeviceTest::addHistory(const rs::online::HistoryEntry& entry) {
    const std::string plain = "0";
    m_pHistory->SetCell(0, 0, QString::fromStdString(entry.device), plain);
    m_pHistory->SetCell(0, 1, QString::fromStdString(entry.condition), plain);
}

void CDeviceTest::onHistoryDoubleClick() {
    const QModelIndex at = m_pHistory->cellAt(m_pHistory->lastClick());
    if (at.isValid()) m_pBitDevice->setText(m_pHistory->CellText(at.row(), 0));
}

void CDeviceTest::onHideHistory() {
    auto& heights = recordedHeights();
    // The dialog always opens with its history shown.
    if (!heights) heights = CollapsedHeights{height(), m_pSeparator->geometry().bottom() + 1};
    m_historyShown = !m_historyShown;
    m_pHistoryGroup->setVisible(m_historyShown);
    // The controls of the part cut off cannot be reached.
    m_pHistoryGroup->setEnabled(m_historyShown);
    m_pHideHistory->setText(m_historyShown ? "Hide history" : "Show history");
    layout()->activate();
    resize(width(), m_historyShown ? heights->full : heights->collapsed);
}
