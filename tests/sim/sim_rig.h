#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/device/device_address.h"
#include "sim/engine.h"

namespace rs::sim::test {

// Rows from a listing, one a line: "MNEMONIC OPERAND", or "P0:" for a label row.
inline std::vector<eval::ListRow> listing(const std::string& text) {
    std::vector<eval::ListRow> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos) continue;
        line = line.substr(start);
        if (line.back() == ':') {
            rows.push_back({"", line.substr(0, line.size() - 1)});
            continue;
        }
        const size_t blank = line.find(' ');
        rows.push_back(
            {line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1)});
    }
    return rows;
}

// An engine running a listing, with the devices read and set by name.
struct Rig {
    explicit Rig(const std::string& text) {
        LoadError error;
        auto program = loadProgram(listing(text), error);
        if (!program) ADD_FAILURE() << error.message;
        if (program) engine.load(std::move(*program));
    }
    void set(const std::string& device, bool on) {
        memory.setBit(*device::deviceAddress(device, device::AccessKind::Bit), on);
    }
    // D words, timer and counter values.
    void setWord(const std::string& device, int value) {
        memory.setWord(*device::deviceAddress(device, wordKind(device)),
                       static_cast<uint16_t>(value));
    }
    bool bit(const std::string& device) const {
        return memory.bit(*device::deviceAddress(device, device::AccessKind::Bit));
    }
    int word(const std::string& device) const {
        return static_cast<int16_t>(memory.word(*device::deviceAddress(device, wordKind(device))));
    }
    static device::AccessKind wordKind(const std::string& device) {
        const bool loop = device[0] == 'T' || device[0] == 'C';
        return loop ? device::AccessKind::Loop : device::AccessKind::Word;
    }
    bool scan(int64_t elapsedMs = 10) { return engine.scan(elapsedMs); }
    std::string stopMessage() const {
        return engine.stopped() ? engine.stopped()->message : std::string();
    }

    device::DeviceMemory memory;
    Engine engine{memory};
};

}  // namespace rs::sim::test
