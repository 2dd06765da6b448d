#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

// Whether the layout shows current values of timers and counters: the "Word"
// layout of T and C reads them from their value area (the loop address); the
// other layouts show their contacts.
bool showsCurrentValues(char letter, MonitorLayout layout);

// The address of the monitor's read: the loop address for current values,
// else the word address (the byte holding a bit device).
std::optional<uint32_t> monitorReadAddress(const MonitorDevice& device, MonitorLayout layout);

// The row labels of a layout when the first `bytes` bytes of the read belong
// to the device's letter. Each label names the device whose bit or value
// stands first under it: "Bit or Word" shows one word a row (16 bit devices,
// or one D), "Bit" two words (32 bit devices from the device itself, or two
// D), "Word" eight words (128 bit devices, eight D, T or C values, or four
// 32-bit counters from C200 on). Bit devices in "Bit or Word" and "Word"
// start at the first device of the byte that holds the device (M13: M8).
std::vector<std::string> rowLabels(const MonitorDevice& device, MonitorLayout layout, int bytes);

// Bit text of one 16-bit word: its 16 bits, most significant first, as the
// headings name them. "Bit or Word": three blanks before each bit and five
// more before each group of four after the first (79 characters). "Bit": the
// groups of four with two blanks between them (22 characters). Only the low
// `shown` bits are written; the others, devices of no letter, are blanks.
std::string bitText(uint16_t word, MonitorLayout layout, int shown = 16);

// The 16 value texts. 16-bit: text k is the word of bytes 2k (low) and 2k+1,
// 0 to 65535 in decimal. 32-bit: texts 0, 2, 4, ... are the signed value of
// bytes 4j to 4j+3, lowest first, the odd texts are empty. HEX writes the
// bytes high first as lower-case digit pairs. Real numbers and characters
// show "--".
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
// `stale` when the values are not the controller's of now (nothing read
// yet, or no answer since the last reply).
struct MonitorTable {
    std::vector<MonitorColumn> columns;
    std::vector<std::vector<std::string>> lines;
    bool stale = false;
};

// What the table shows: the layout, display and radix chosen, the device
// started (none before the first start), how many bytes of the read belong
// to its letter, the last data and whether they are stale.
struct MonitorView {
    MonitorLayout layout = MonitorLayout::BitOrWord;
    MonitorDisplay display = MonitorDisplay::Int16;
    MonitorRadix radix = MonitorRadix::Dec;
    bool started = false;
    MonitorDevice device;
    int bytes = 0;
    MonitorData data{};
    bool stale = true;
};
MonitorTable monitorTable(const MonitorView& view);

// The table of a newly opened monitor: the two columns and no lines.
MonitorTable openingTable();

}  // namespace rs::online
