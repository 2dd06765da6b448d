#include "comm/protocol_file.h"

#include <cstdio>
#include <fstream>

#include "core/char_class.h"

namespace rs {

std::string settingsText(const SerialSettings& s) {
    return std::to_string(s.baud) + "," + s.parity + "," + std::to_string(s.dataBits) + "," +
           std::to_string(s.stopBits);
}

SerialSettings settingsFromIndexes(const ProtocolIndexes& i) {
    SerialSettings s;
    s.baud = i.baud == 1 ? 19200 : 9600;
    s.parity = i.parity == 0 ? 'O' : i.parity == 2 ? 'N' : 'E';
    s.dataBits = i.dataBits == 1 ? 8 : 7;
    s.stopBits = i.stopBits == 1 ? 2 : 1;
    return s;
}

std::optional<ProtocolIndexes> readProtocolFile(const std::string& path) {
    { std::ofstream create(path, std::ios::app); }  // created empty when missing
    std::ifstream in(path);
    std::optional<ProtocolIndexes> found;
    std::string line;
    while (std::getline(in, line)) {
        size_t digits = 0;
        while (digits < line.size() && isDigit(line[digits])) ++digits;
        if (digits < 5 || digits > 7) continue;
        auto at = [&](size_t i) { return line[i] - '0'; };
        ProtocolIndexes p;
        p.port = std::stoi(line.substr(0, digits - 4));
        p.baud = at(digits - 4);
        p.parity = at(digits - 3);
        p.dataBits = at(digits - 2);
        p.stopBits = at(digits - 1);
        found = p;
    }
    return found;
}

namespace {
constexpr const char* kPortPathKey = "port=";
}

std::optional<std::string> readProtocolPortPath(const std::string& path) {
    std::ifstream in(path);
    std::optional<std::string> found;
    std::string line;
    const std::string key = kPortPathKey;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0)
            found = line.substr(key.size());
    }
    return found;
}

bool appendProtocolPortPath(const std::string& path, const std::string& port) {
    if (port.empty() || port.find('\n') != std::string::npos) return false;
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return false;
    out << '\n' << kPortPathKey << port;
    return static_cast<bool>(out);
}

bool writeProtocolFile(const std::string& path, const ProtocolIndexes& i) {
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << i.port << i.baud << i.parity << i.dataBits << i.stopBits;
    return static_cast<bool>(out);
}

}  // namespace rs
