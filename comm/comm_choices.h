#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "comm/protocol_file.h"
#include "comm/serial_link.h"

// What the "Communication" dialog and the connection dialogs choose, without
// a window: the items of the lists, the selection at start, the indexes a
// download saves and the value the progress bar may show.
namespace rs {

inline constexpr std::array<const char*, 2> kBaudItems = {"9600", "19200"};
inline constexpr std::array<const char*, 3> kParityItems = {"Odd", "Even", "None"};
inline constexpr std::array<const char*, 2> kDataLengthItems = {"7", "8"};
inline constexpr std::array<const char*, 2> kStopBitItems = {"1", "2"};

// Asked when the dialog is closed while a transfer runs.
inline constexpr const char* kStopTransferQuestion = "Stop the transfer?";

// The selected entry of each of the five lists; -1 selects nothing.
struct CommSelection {
    int port = -1;
    int baud = 0;
    int parity = 1;
    int dataBits = 0;
    int stopBits = 0;
    bool operator==(const CommSelection&) const = default;
};

// What the settings file keeps: the five indexes and, for a port the probe
// does not find (a path the user typed), that path.
struct SavedComm {
    std::optional<ProtocolIndexes> indexes;
    std::optional<std::string> portPath;
};

SavedComm readSavedComm(const std::string& file);

// The paths to offer besides the probed ports: the saved port path while it
// still exists.
std::vector<std::string> savedPortsToOffer(const SavedComm& saved);

// The selection when the dialog starts: the last port found and 9600, Even,
// 7, 1; then what the settings file selects. A saved port path selects that
// entry; a saved port index beyond the ports found (or a saved path that is
// gone) selects no port. A line setting index outside its list keeps the
// default.
CommSelection startSelection(const std::vector<std::string>& ports, const SavedComm& saved);

// The line settings a selection stands for.
SerialSettings settingsOf(const CommSelection& selection);

// The indexes a download writes; a port that selects nothing is saved as
// index 0.
ProtocolIndexes indexesOf(const CommSelection& selection);

// Whether a port is named by a path (a pseudo-terminal, a port given on the
// command line, /dev/serial/by-id/...) rather than by the system's port name:
// such a port keeps its place in the list only while it exists, so the
// settings file keeps its path beside the index.
bool isPortPath(const std::string& port);

// Writes the indexes and, when the port is not one the probe found, its path.
bool saveComm(const std::string& file, const ProtocolIndexes& indexes,
              const std::string& typedPort);

// The value the progress bar is set to: never below 0 nor past its range.
int boundedProgress(int value, int maximum);

}  // namespace rs
