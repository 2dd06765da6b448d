#pragma once

#include <optional>
#include <string>

#include "comm/serial_link.h"

namespace rs {

// The five list indexes of the serial settings, as the settings file keeps
// them: port, baud rate ("9600", "19200"), parity ("Odd", "Even", "None"),
// data length ("7", "8"), stop bits ("1", "2").
struct ProtocolIndexes {
    int port = 0;
    int baud = 0;
    int parity = 1;
    int dataBits = 0;
    int stopBits = 0;
    bool operator==(const ProtocolIndexes&) const = default;
};

inline constexpr const char* kProtocolFileName = "iniProtocol.txt";

// Reads the settings file, creating it empty when missing. Every line of
// digits selects its indexes, the last one winning: the final four digits are
// baud, parity, data length and stop bits, the digits before them the port
// index (one digit, or more once more than ten ports were listed). Nothing
// when no line holds indexes.
std::optional<ProtocolIndexes> readProtocolFile(const std::string& path);

// Writes the five indexes, each as a decimal number, one after the other with
// no line end, replacing the file. False when the file cannot be written.
bool writeProtocolFile(const std::string& path, const ProtocolIndexes& indexes);

// A port the probe does not list (a path the user typed) is kept on a line
// of its own after the indexes, as "port=" and the path; the last such line
// wins. Nothing when the file holds none.
std::optional<std::string> readProtocolPortPath(const std::string& path);
// Adds that line to the file writeProtocolFile wrote.
bool appendProtocolPortPath(const std::string& path, const std::string& port);

// The line settings the baud, parity, data length and stop bit indexes select.
SerialSettings settingsFromIndexes(const ProtocolIndexes& indexes);

}  // namespace rs
