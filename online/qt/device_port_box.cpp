#include "online/qt/device_port_box.h"

#include <filesystem>

#include "comm/protocol_file.h"
#include "comm/qt/port_list.h"

namespace {

// The settings file's indexes, without creating the file when it is missing.
std::optional<rs::ProtocolIndexes> savedIndexes() {
    if (!std::filesystem::exists(rs::kProtocolFileName)) return std::nullopt;
    return rs::readProtocolFile(rs::kProtocolFileName);
}

// The port the device dialogs used last while the program runs.
std::string& lastPort() {
    static std::string port;
    return port;
}

}  // namespace

DevicePortBox::DevicePortBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(18);
    std::vector<std::string> extra;
    if (!lastPort().empty()) extra.push_back(lastPort());
    const std::vector<std::string> ports = rs::availablePorts(extra);
    for (const std::string& p : ports) addItem(QString::fromStdString(p));
    if (!lastPort().empty()) {
        setCurrentText(QString::fromStdString(lastPort()));
    } else if (const auto saved = savedIndexes();
               saved && saved->port >= 0 && saved->port < count()) {
        setCurrentIndex(saved->port);
    }
}

std::string DevicePortBox::port() const {
    return currentText().trimmed().toStdString();
}

rs::SerialSettings DevicePortBox::lineSettings() {
    return rs::settingsFromIndexes(savedIndexes().value_or(rs::ProtocolIndexes{}));
}

void DevicePortBox::remember() const {
    lastPort() = port();
}
