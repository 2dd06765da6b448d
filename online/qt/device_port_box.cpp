#include "online/qt/device_port_box.h"

#include <filesystem>

#include "comm/comm_choices.h"
#include "comm/protocol_file.h"
#include "comm/qt/port_list.h"

namespace {

// The port the device dialogs used last while the program runs.
std::string& lastPort() {
    static std::string port;
    return port;
}

// What the settings file keeps, without creating the file when it is missing.
rs::SavedComm savedComm() {
    if (!std::filesystem::exists(rs::kProtocolFileName)) return {};
    return rs::readSavedComm(rs::kProtocolFileName);
}

}  // namespace

DevicePortBox::DevicePortBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(18);
    const rs::SavedComm saved = savedComm();
    std::vector<std::string> extra = rs::savedPortsToOffer(saved);
    if (!lastPort().empty()) extra.push_back(lastPort());
    const std::vector<std::string> ports = rs::availablePorts(extra);
    for (const std::string& p : ports) addItem(QString::fromStdString(p));
    if (!lastPort().empty()) {
        setCurrentText(QString::fromStdString(lastPort()));
    } else {
        setCurrentIndex(rs::startSelection(ports, saved).port);
    }
}

std::string DevicePortBox::port() const {
    return currentText().trimmed().toStdString();
}

rs::SerialSettings DevicePortBox::lineSettings() {
    return rs::settingsOf(rs::startSelection({}, savedComm()));
}

void DevicePortBox::remember() const {
    lastPort() = port();
}
