#include "comm/qt/connection_setup_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "comm/comm_choices.h"
#include "comm/qt/serial_setting_dialog.h"
#include "translations/system_text.h"

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
    // Created in the order of the dialog (the tab order), then laid out.
    QLabel* sides[5];
    const char* sideTexts[] = {"PC side I/F", "PLC side I/F", "Other station", "Network route",
                               "Co－existence \n network"};
    for (int r = 0; r < 5; ++r) sides[r] = new QLabel(rs::qt::sysText(sideTexts[r]), this);
    m_pSerial = new QPushButton("Serial", this);
    auto* comLabel = new QLabel("COM", this);
    m_pCom = shownField(this);
    auto* transmissionLabel = new QLabel("Transmisson", this);
    m_pTransmission = shownField(this);
    // The controller side has nothing to set over a serial line: these stay
    // disabled.
    QPushButton* plcButtons[4];
    const char* plcTexts[] = {"Connection channel list", "PLC direct coupled setting",
                              "Connection test", "System image"};
    for (int i = 0; i < 4; ++i) {
        plcButtons[i] = new QPushButton(plcTexts[i], this);
        plcButtons[i]->setEnabled(false);
    }
    auto* typeLabel = new QLabel("PLC type", this);
    m_pPlcType = shownField(this);
    auto* numberLabel = new QLabel("PLC N0.", this);
    m_pPlcNumber = shownField(this);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* close = new QPushButton("Close", this);

    // The encoding the program is downloaded in, and the station the mode-1
    // frames address (mode-2 frames carry none).
    m_pPlcType->setText(mode2 ? "mode2" : "mode1");
    m_pPlcNumber->setText(mode2 ? "" : "01");

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(14);
    for (int r = 0; r < 5; ++r) grid->addWidget(sides[r], r, 0);
    auto* pcSide = new QHBoxLayout;
    pcSide->addWidget(m_pSerial);
    pcSide->addWidget(comLabel);
    pcSide->addWidget(m_pCom, 2);
    pcSide->addWidget(transmissionLabel);
    pcSide->addWidget(m_pTransmission, 1);
    grid->addLayout(pcSide, 0, 1);
    auto* plcSide = new QHBoxLayout;
    plcSide->addWidget(typeLabel);
    plcSide->addWidget(m_pPlcType, 1);
    plcSide->addWidget(numberLabel);
    plcSide->addWidget(m_pPlcNumber, 1);
    grid->addLayout(plcSide, 1, 1);
    auto* route = new QHBoxLayout;
    route->addWidget(plcButtons[0]);
    route->addWidget(plcButtons[1]);
    route->addStretch(1);
    grid->addLayout(route, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(plcButtons[2]);
    buttons->addWidget(plcButtons[3]);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(680, 300);

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
