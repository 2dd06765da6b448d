#include "comm/qt/serial_setting_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "comm/comm_choices.h"

using namespace rs;

namespace {

// Adds the items in sorted order, as a sorted list shows them.
void addSorted(QComboBox* list, std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    for (const std::string& item : items) list->addItem(QString::fromStdString(item));
}

}  // namespace

PCSideSerrialSetting::PCSideSerrialSetting(CommEnvironment environment, QWidget* parent)
    : QDialog(parent),
      m_env(std::move(environment)),
      m_pPort(new QComboBox(this)),
      m_pSpeed(new QComboBox(this)) {
    setWindowTitle("PC side I/F Serial setting");
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("COM port", this), 0, 0);
    grid->addWidget(m_pPort, 0, 1);
    grid->addWidget(new QLabel("Transmission", this), 1, 0);
    grid->addWidget(m_pSpeed, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(340, 110);
    connect(ok, &QPushButton::clicked, this, &PCSideSerrialSetting::accept);
    connect(cancel, &QPushButton::clicked, this, &PCSideSerrialSetting::reject);

    const SavedComm saved = readSavedComm(m_env.protocolFile);
    const std::vector<std::string> offered = savedPortsToOffer(saved);
    m_ports = m_env.probe(offered);
    m_pathPorts.insert(offered.begin(), offered.end());
    m_pPort->setEditable(true);
    m_pPort->setInsertPolicy(QComboBox::NoInsert);
    m_pPort->setMinimumContentsLength(22);
    addSorted(m_pPort, m_ports);
    addSorted(m_pSpeed, {kBaudItems.begin(), kBaudItems.end()});

    const CommSelection start = startSelection(m_ports, saved);
    m_pPort->setCurrentIndex(start.port < 0 ? -1
                                            : m_pPort->findText(QString::fromStdString(
                                                  m_ports[static_cast<size_t>(start.port)])));
    if (start.port < 0) m_pPort->setEditText({});
    m_pSpeed->setCurrentIndex(m_pSpeed->findText(kBaudItems[static_cast<size_t>(start.baud)]));
}

void PCSideSerrialSetting::accept() {
    const SavedComm saved = readSavedComm(m_env.protocolFile);
    ProtocolIndexes indexes = saved.indexes.value_or(ProtocolIndexes{});
    std::string pathPort = saved.indexes ? saved.portPath.value_or("") : "";
    const std::string port = m_pPort->currentText().trimmed().toStdString();
    if (!port.empty()) {
        const auto at = std::find(m_ports.begin(), m_ports.end(), port);
        // A typed port comes after the ports found, as the "Communication"
        // dialog adds it.
        indexes.port = static_cast<int>(at - m_ports.begin());
        pathPort = at == m_ports.end() || m_pathPorts.count(port) ? port : "";
    }
    const auto speed =
        std::find(kBaudItems.begin(), kBaudItems.end(), m_pSpeed->currentText().toStdString());
    if (speed != kBaudItems.end()) indexes.baud = static_cast<int>(speed - kBaudItems.begin());
    saveComm(m_env.protocolFile, indexes, pathPort);
    QDialog::accept();
}
