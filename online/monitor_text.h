#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The texts of the device batch monitor, as functions of the starting device
// and the 32 data bytes of the last reply.
namespace rs::online {

constexpr int kMonitorRows = 16;    // rows of the "Bit or Word" layout
constexpr int kMonitorValues = 16;  // value texts, one per 16-bit word
using MonitorData = std::array<uint8_t, 32>;

enum class MonitorLayout { BitOrWord, Bit, Word };
enum class MonitorDisplay { Int16, Int32, Real, Ascii };
enum class MonitorRadix { Dec, Hex };

// The starting device as typed: the letter, the decimal value of at most five
// characters after it (reading stops at a non-digit), and whether it is
// valid (an X or Y number with an 8 or 9 is not).
struct MonitorDevice {
    char letter = 0;
    int number = 0;
    bool valid = true;
};
MonitorDevice parseMonitorDevice(std::string_view text);

// True for the devices whose data are bits: S, M, X, Y, and the contacts of T
// and C.
bool isBitDevice(char letter);

// The row labels of a layout: the letter and a running number from the
// device's number, advanced by the layout's step after each label; the rows
// end after the layout's row count or with the first number outside the
// device's range (that label still counts). Letters without a rule give one
// label.
std::vector<std::string> rowLabels(const MonitorDevice& device, MonitorLayout layout);

// Bit text of one data byte: its 8 bits, most significant first. "Bit or
// Word": three blanks before each bit and five more before the fifth (37
// characters). "Bit": the bits with two blanks before the fifth, and eight
// blanks first for an odd-numbered byte.
std::string bitText(uint8_t byte, int index, MonitorLayout layout);

// The 16 value texts. 16-bit: text k is the word of bytes 2k (low) and 2k+1.
// 32-bit: texts 0, 2, 4, ... are the signed value of bytes 4j to 4j+3, lowest
// first, the odd texts are empty. HEX writes the bytes high first as lower-case
// digit pairs. Real numbers and characters show "--".
std::array<std::string, kMonitorValues> valueTexts(const MonitorData& data, MonitorDisplay display,
                                                   MonitorRadix radix);

// The data as the "Bit" layout shows them for a bit device: shifted down by
// the device's bit within its first byte, so that the first bit shown is the
// device itself (bits past the last byte read as 0).
MonitorData alignedToDevice(const MonitorData& data, const MonitorDevice& device);

// One table as the list shows it: the columns (heading, width in pixels) and
// the lines, each a text per column.
struct MonitorColumn {
    std::string heading;
    int width = 0;
};
struct MonitorTable {
    std::vector<MonitorColumn> columns;
    std::vector<std::vector<std::string>> lines;
};

// What the table shows: the layout, display and radix chosen, the device
// started (none before the first start) and the last data.
struct MonitorView {
    MonitorLayout layout = MonitorLayout::BitOrWord;
    MonitorDisplay display = MonitorDisplay::Int16;
    MonitorRadix radix = MonitorRadix::Dec;
    bool started = false;
    MonitorDevice device;
    MonitorData data{};
};
MonitorTable monitorTable(const MonitorView& view);

// The table of a newly opened monitor: the two columns and no lines.
MonitorTable openingTable();

}  // namespace rs::online
