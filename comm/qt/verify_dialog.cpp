#include "comm/qt/verify_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTimer>
#include <QVBoxLayout>

#include "comm/comm_choices.h"
#include "comm/comm_messages.h"
#include "comm/program_verify.h"

using namespace rs;

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CVerifyDialog::CVerifyDialog(AppStore& app, std::vector<int64_t> stepOfRow, MessageSink& sink,
                             CommEnvironment environment, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_stepOfRow(std::move(stepOfRow)),
      m_env(std::move(environment)),
      m_transfer(std::make_unique<Transfer>(m_app, m_link, m_retryTimer, m_waitTimer, sink,
                                            static_cast<TransferObserver*>(this))) {
    setWindowTitle(QString("Verify with controller"));
    auto* layout = new QVBoxLayout(this);
    m_pPortLabel = new QLabel(this);
    m_pProgress = new QProgressBar(this);
    m_pResult = new QLabel(this);
    m_pResult->setWordWrap(true);
    m_pSteps = new QTreeWidget(this);
    m_pSteps->setRootIsDecorated(false);
    m_pSteps->setHeaderLabels({QString("Step"), QString("Project"), QString("Controller")});
    m_pSteps->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pSteps->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_pAgain = buttons->addButton(QString("Verify again"), QDialogButtonBox::ActionRole);
    layout->addWidget(m_pPortLabel);
    layout->addWidget(m_pProgress);
    layout->addWidget(m_pResult);
    layout->addWidget(m_pSteps, 1);
    layout->addWidget(buttons);
    resize(520, 360);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pAgain, &QPushButton::clicked, this, &CVerifyDialog::start);
    connect(m_pSteps, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        emit rowChosen(item->data(0, Qt::UserRole).toInt());
    });
    QTimer::singleShot(0, this, &CVerifyDialog::start);
}

CVerifyDialog::~CVerifyDialog() {
    m_transfer.reset();
    m_link.close();
}

// Reads on the port and settings the last download saved.
void CVerifyDialog::start() {
    if (m_transfer->running()) return;
    m_pSteps->clear();
    m_pSteps->hide();
    m_pProgress->setValue(0);
    const SavedComm saved = readSavedComm(m_env.protocolFile);
    const std::vector<std::string> ports = m_env.probe(savedPortsToOffer(saved));
    const CommSelection selection = startSelection(ports, saved);
    if (selection.port < 0 || selection.port >= static_cast<int>(ports.size())) {
        m_pPortLabel->clear();
        m_pResult->setText(QString("No port is chosen: choose one in Online > Transfer setup."));
        return;
    }
    const std::string& port = ports[static_cast<size_t>(selection.port)];
    const SerialSettings settings = settingsOf(selection);
    m_pPortLabel->setText(QString("Port %1").arg(qs(port)));
    m_pResult->setText(QString("Reading the controller's program..."));
    m_pAgain->setEnabled(false);
    m_transfer->verify({port, settings, {}, m_env.protocolFile, false});
}

void CVerifyDialog::progressRange(int maximum) {
    m_progressMax = maximum;
    m_pProgress->setRange(0, maximum);
}

void CVerifyDialog::progress(int value) {
    m_pProgress->setValue(boundedProgress(value, m_progressMax));
}

void CVerifyDialog::finished(TransferOutcome outcome) {
    m_pAgain->setEnabled(true);
    if (outcome != TransferOutcome::Uploaded) {
        m_pResult->setText(QString("The controller's program could not be read."));
        return;
    }
    m_pProgress->setValue(m_pProgress->maximum());
    const auto differences =
        compareWithController(*m_app.table, m_app.m_bMode2, m_transfer->programRead(), m_stepOfRow);
    m_pResult->setText(qs(verifyVerdict(differences)));
    if (differences.empty()) return;
    for (const StepDifference& d : differences) {
        auto* item =
            new QTreeWidgetItem(m_pSteps, {QString::number(d.step), qs(d.project), qs(d.held)});
        item->setData(0, Qt::UserRole, d.row);
    }
    m_pSteps->show();
}

// Closing during the read stops it first: nothing more is sent.
void CVerifyDialog::done(int result) {
    if (m_transfer->running()) m_transfer->cancel();
    QDialog::done(result);
}
