#include "comm/comm_choices.h"

#include <algorithm>
#include <filesystem>

namespace rs {

namespace {

// An index inside a list of n entries, or the fallback.
int within(int index, size_t n, int fallback) {
    return index >= 0 && static_cast<size_t>(index) < n ? index : fallback;
}

}  // namespace

SavedComm readSavedComm(const std::string& file) {
    SavedComm saved;
    saved.indexes = readProtocolFile(file);  // creates the file when missing
    saved.portPath = readProtocolPortPath(file);
    return saved;
}

std::vector<std::string> savedPortsToOffer(const SavedComm& saved) {
    std::error_code error;
    if (saved.portPath && std::filesystem::exists(*saved.portPath, error)) return {*saved.portPath};
    return {};
}

CommSelection startSelection(const std::vector<std::string>& ports, const SavedComm& saved) {
    CommSelection s;
    s.port = ports.empty() ? -1 : static_cast<int>(ports.size()) - 1;
    if (!saved.indexes) return s;
    const ProtocolIndexes& i = *saved.indexes;
    if (saved.portPath) {
        const auto at = std::find(ports.begin(), ports.end(), *saved.portPath);
        s.port = at == ports.end() ? -1 : static_cast<int>(at - ports.begin());
    } else {
        s.port = within(i.port, ports.size(), -1);
    }
    s.baud = within(i.baud, kBaudItems.size(), s.baud);
    s.parity = within(i.parity, kParityItems.size(), s.parity);
    s.dataBits = within(i.dataBits, kDataLengthItems.size(), s.dataBits);
    s.stopBits = within(i.stopBits, kStopBitItems.size(), s.stopBits);
    return s;
}

SerialSettings settingsOf(const CommSelection& s) {
    return settingsFromIndexes(indexesOf(s));
}

ProtocolIndexes indexesOf(const CommSelection& s) {
    return {std::max(s.port, 0), s.baud, s.parity, s.dataBits, s.stopBits};
}

bool isPortPath(const std::string& port) {
    return port.find('/') != std::string::npos;
}

bool saveComm(const std::string& file, const ProtocolIndexes& indexes,
              const std::string& typedPort) {
    if (!writeProtocolFile(file, indexes)) return false;
    return typedPort.empty() || appendProtocolPortPath(file, typedPort);
}

int boundedProgress(int value, int maximum) {
    return std::clamp(value, 0, std::max(maximum, 0));
}

}  // namespace rs
