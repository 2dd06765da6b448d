#include "comm/qt/communication_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "comm/comm_messages.h"
#include "core/messages.h"

using namespace rs;

namespace {

template <size_t N>
QComboBox* fixedList(QWidget* parent, const std::array<const char*, N>& items) {
    auto* list = new QComboBox(parent);
    for (const char* item : items) list->addItem(item);
    return list;
}

}  // namespace

void CCommunication::ShowingSink::inform(const std::string& text, const std::string& caption,
                                         MessageIcon icon) {
    ++m_depth;
    m_sink.inform(text, caption, icon);
    --m_depth;
}

MessageAnswer CCommunication::ShowingSink::ask(const std::string& text, const std::string& caption,
                                               MessageButtons buttons, MessageAnswer defaultAnswer,
                                               MessageIcon icon) {
    ++m_depth;
    const MessageAnswer answer = m_sink.ask(text, caption, buttons, defaultAnswer, icon);
    --m_depth;
    return answer;
}

CCommunication::CCommunication(AppStore& app, MessageSink& sink, CommEnvironment environment,
                               QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_sink(sink),
      m_transferSink(sink),
      m_env(std::move(environment)),
      m_transfer(std::make_unique<Transfer>(m_app, m_link, m_retryTimer, m_waitTimer,
                                            m_transferSink, static_cast<TransferObserver*>(this))) {
    setWindowTitle("Communication");
    createControls();
    initDialog();
}

CCommunication::~CCommunication() {
    m_transfer.reset();
    m_link.close();
}

// The controls in the order of the dialog: five labelled lists, "Download",
// "Upload" and "ComDebug" (both created disabled), the progress bar.
void CCommunication::createControls() {
    auto* grid = new QGridLayout;
    const auto row = [&](const char* label, QComboBox* list) {
        const int r = grid->rowCount();
        grid->addWidget(new QLabel(label, this), r, 0);
        grid->addWidget(list, r, 1);
    };
    m_pPort = new QComboBox(this);
    // A port the system does not list (a pseudo-terminal, a path under
    // /dev/serial/by-id/) is typed into the box.
    m_pPort->setEditable(true);
    m_pPort->setInsertPolicy(QComboBox::NoInsert);
    m_pPort->setMinimumContentsLength(22);
    row("COM Port", m_pPort);
    m_pBaud = fixedList(this, kBaudItems);
    row("Baud Rate", m_pBaud);
    m_pParity = fixedList(this, kParityItems);
    row("Parity Bit", m_pParity);
    m_pDataLength = fixedList(this, kDataLengthItems);
    row("Data Length", m_pDataLength);
    m_pStopBit = fixedList(this, kStopBitItems);
    row("Stop Bit", m_pStopBit);

    auto* buttons = new QVBoxLayout;
    m_pDownload = new QPushButton("Download", this);
    m_pUpload = new QPushButton("Upload", this);
    m_pUpload->setEnabled(false);
    m_pComDebug = new QCheckBox("ComDebug", this);
    m_pComDebug->setEnabled(false);
    buttons->addWidget(m_pDownload);
    buttons->addWidget(m_pUpload);
    buttons->addWidget(m_pComDebug);
    buttons->addStretch(1);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);

    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addSpacing(24);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_pProgress);
    resize(460, 300);

    connect(m_pDownload, &QPushButton::clicked, this, &CCommunication::onDownload);
}

// Start: the port probe (with a port path the settings file keeps), the
// defaults 9600, Even, 7, 1 and the last port found, then the settings file's
// selection, and the selected port opened.
void CCommunication::initDialog() {
    const SavedComm saved = readSavedComm(m_env.protocolFile);
    const std::vector<std::string> offered = savedPortsToOffer(saved);
    const std::vector<std::string> ports = m_env.probe(offered);
    m_pPort->clear();
    for (const std::string& port : ports) m_pPort->addItem(QString::fromStdString(port));
    m_pathPorts.insert(offered.begin(), offered.end());
    if (m_link.isOpen()) m_link.close();

    const CommSelection start = startSelection(ports, saved);
    select(start);
    if (start.port >= 0)
        m_transfer->openPort(ports[static_cast<size_t>(start.port)], settingsOf(start));
}

void CCommunication::select(const CommSelection& s) {
    m_pPort->setCurrentIndex(s.port);
    if (s.port < 0) m_pPort->setEditText({});
    m_pBaud->setCurrentIndex(s.baud);
    m_pParity->setCurrentIndex(s.parity);
    m_pDataLength->setCurrentIndex(s.dataBits);
    m_pStopBit->setCurrentIndex(s.stopBits);
}

CommSelection CCommunication::selection() const {
    return {m_pPort->currentIndex(), m_pBaud->currentIndex(), m_pParity->currentIndex(),
            m_pDataLength->currentIndex(), m_pStopBit->currentIndex()};
}

void CCommunication::onDownload() {
    // A second click while a download runs (mode 2 leaves the button
    // enabled) starts nothing over the first.
    if (transferRunning()) return;

    // A typed port joins the list, so that its index can be saved.
    const QString text = m_pPort->currentText().trimmed();
    const std::string port = text.toStdString();
    if (!text.isEmpty()) {
        int at = m_pPort->findText(text, Qt::MatchExactly);
        if (at < 0) {
            m_pPort->addItem(text);
            at = m_pPort->count() - 1;
            m_pathPorts.insert(port);
        }
        m_pPort->setCurrentIndex(at);
    }
    const CommSelection s = selection();
    m_transfer->download({port, settingsOf(s), indexesOf(s), m_env.protocolFile});
    // The settings file now holds the indexes; a path port (typed, or given
    // on the command line) is kept beside them.
    if (transferRunning() && (m_pathPorts.count(port) || isPortPath(port)))
        appendProtocolPortPath(m_env.protocolFile, port);
}

// Every way of closing ends here. During a transfer it asks first; Yes stops
// the transfer: nothing more is sent, except that a mode-2 download releases
// the controller's program bit (E8 and its answer) before the port closes.
void CCommunication::done(int result) {
    if (m_closeResult) return;  // the program bit is being released
    if (transferRunning()) {
        // The transfer's own message is up: it ends the transfer itself.
        if (m_transferSink.showing()) return;
        const MessageAnswer answer =
            m_sink.ask(kStopTransferQuestion, msg::kCaption, MessageButtons::YesNo,
                       MessageAnswer::No, MessageIcon::Question);
        if (answer != MessageAnswer::Yes) return;
        if (transferRunning()) {
            m_stopped = true;
            m_transfer->cancel();
        }
        if (transferRunning()) {
            m_closeResult = result;  // finished() closes
            m_pDownload->setEnabled(false);
            return;
        }
    }
    closeNow(result);
}

void CCommunication::closeNow(int result) {
    m_closeResult.reset();
    m_link.close();
    // A download stopped halfway leaves part of the program in the controller.
    if (m_stopped) {
        m_stopped = false;
        m_sink.inform(msg::kPartialProgram, msg::kErrorCaption, MessageIcon::Warning);
    }
    QDialog::done(result);
}

void CCommunication::downloadEnabled(bool enabled) {
    m_pDownload->setEnabled(enabled);
}

void CCommunication::progressRange(int maximum) {
    m_progressMax = std::max(maximum, 0);
    m_pProgress->setRange(0, m_progressMax);
    m_pProgress->setValue(0);
}

void CCommunication::progress(int value) {
    m_pProgress->setValue(boundedProgress(value, m_progressMax));
}

void CCommunication::finished(TransferOutcome) {
    emit transferFinished();
    // A close that waited for the transfer to stop goes on once the
    // transfer's own call has returned.
    if (m_closeResult)
        QTimer::singleShot(0, this, [this, result = *m_closeResult] { closeNow(result); });
}
