#include "comm/qt/connection_setup_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "comm/comm_choices.h"
#include "comm/qt/serial_setting_dialog.h"

using namespace rs;

namespace {

QLineEdit* shownField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

}  // namespace

CConnectionSetup::CConnectionSetup(bool mode2, CommEnvironment environment, QWidget* parent)
    : QDialog(parent), m_env(std::move(environment)) {
    setWindowTitle("Connection Setup");
    auto* grid = new QGridLayout;
    const char* sides[] = {"PC side I/F", "PLC side I/F", "Other station", "Network route",
                           "Co－existence \n network"};
    for (int r = 0; r < 5; ++r) grid->addWidget(new QLabel(sides[r], this), r, 0);

    m_pSerial = new QPushButton("Serial", this);
    m_pCom = shownField(this);
    m_pTransmission = shownField(this);
    auto* pcSide = new QHBoxLayout;
    pcSide->addWidget(m_pSerial);
    pcSide->addWidget(new QLabel("COM", this));
    pcSide->addWidget(m_pCom, 2);
    pcSide->addWidget(new QLabel("Transmisson", this));
    pcSide->addWidget(m_pTransmission, 1);
    grid->addLayout(pcSide, 0, 1);

    // The controller side has nothing to set over a serial line: these stay
    // disabled.
    auto* plcSide = new QHBoxLayout;
    for (const char* text : {"Connection channel list", "PLC direct coupled setting",
                             "Connection test", "System image"}) {
        auto* button = new QPushButton(text, this);
        button->setEnabled(false);
        plcSide->addWidget(button);
    }
    grid->addLayout(plcSide, 1, 1);

    m_pPlcType = shownField(this);
    m_pPlcNumber = shownField(this);
    auto* plc = new QHBoxLayout;
    plc->addWidget(new QLabel("PLC type", this));
    plc->addWidget(m_pPlcType, 1);
    plc->addWidget(new QLabel("PLC N0.", this));
    plc->addWidget(m_pPlcNumber, 1);
    grid->addLayout(plc, 2, 1);
    // The encoding the program is downloaded in, and the station the mode-1
    // frames address (mode-2 frames carry none).
    m_pPlcType->setText(mode2 ? "mode2" : "mode1");
    m_pPlcNumber->setText(mode2 ? "" : "01");

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* close = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(680, 340);

    connect(m_pSerial, &QPushButton::clicked, this, &CConnectionSetup::onSerial);
    connect(ok, &QPushButton::clicked, this, &CConnectionSetup::accept);
    connect(close, &QPushButton::clicked, this, &CConnectionSetup::reject);
    showSettings();
}

void CConnectionSetup::onSerial() {
    PCSideSerrialSetting serial(m_env, this);
    if (serial.exec() == QDialog::Accepted) showSettings();
}

void CConnectionSetup::showSettings() {
    const SavedComm saved = readSavedComm(m_env.protocolFile);
    const std::vector<std::string> ports = m_env.probe(savedPortsToOffer(saved));
    const CommSelection s = startSelection(ports, saved);
    m_pCom->setText(s.port < 0 ? QString()
                               : QString::fromStdString(ports[static_cast<size_t>(s.port)]));
    m_pTransmission->setText(kBaudItems[static_cast<size_t>(s.baud)]);
}
