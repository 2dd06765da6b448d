#include "online/monitor_text.h"

#include <algorithm>
#include <cstdio>

#include "core/device/device_address.h"
#include "core/device/device_ref.h"
#include "online/device_reach.h"

namespace rs::online {

namespace {

constexpr const char* kBitsHeading =
    "+F   E   D   C     +B   A   9   8     +7   6   5   4     +3   2   1   0";
constexpr int kWordsPerRow[] = {1, 2, 8};  // "Bit or Word", "Bit", "Word"

std::string hexBytes(const uint8_t* lowFirst, int count) {
    std::string out;
    char buf[3];
    for (int i = count - 1; i >= 0; --i) {
        std::snprintf(buf, sizeof buf, "%02x", lowFirst[i]);
        out += buf;
    }
    return out;
}

// Counters from C200 on hold 32-bit values.
bool thirtyTwoBitCounters(const MonitorDevice& d, MonitorLayout layout) {
    return showsCurrentValues(d.letter, layout) && d.letter == 'C' && d.number >= 200;
}

device::AccessKind accessOf(const MonitorDevice& d, MonitorLayout layout) {
    return showsCurrentValues(d.letter, layout) ? device::AccessKind::Loop
                                                : device::AccessKind::Word;
}

device::DeviceRef refOf(const MonitorDevice& d) {
    device::DeviceRef ref;
    ref.letter = d.letter;
    ref.number = d.number;
    return ref;
}

std::string label(char letter, long long number) {
    return std::string(1, letter) + std::to_string(number);
}

uint16_t wordAt(const MonitorData& data, size_t w) {
    return static_cast<uint16_t>(data[2 * w] | data[2 * w + 1] << 8);
}

// A bit device's number as a count of bits, and back.
long long bitCount(const MonitorDevice& d) {
    return device::isOctalLetter(d.letter) ? device::octalValue(d.number) : d.number;
}
long long writtenNumber(char letter, long long count) {
    return device::isOctalLetter(letter) ? device::octalDigits(static_cast<int>(count)) : count;
}

// The bit of the device itself within its byte: the "Bit" layout's shift.
unsigned bitInByte(const MonitorDevice& d) {
    if (!isBitDevice(d.letter)) return 0;
    const auto bit =
        device::deviceAddress(d.letter, static_cast<uint32_t>(d.number), device::AccessKind::Bit);
    return bit ? *bit % 8 : 0;
}

// Bits of the layout's data that belong to the device's letter.
long long shownBits(const MonitorDevice& d, MonitorLayout layout, int bytes) {
    const long long bits = 8LL * bytes;
    return layout == MonitorLayout::Bit ? std::max(0LL, bits - bitInByte(d)) : bits;
}

// Bits of word w (16 bits from bit 16w) that lie within the shown bits.
int bitsOfWord(long long shown, size_t w) {
    return static_cast<int>(std::clamp(shown - 16LL * static_cast<long long>(w), 0LL, 16LL));
}

}  // namespace

MonitorDevice parseMonitorDevice(std::string_view text) {
    MonitorDevice d;
    const auto ref = device::parseDevice(text, device::kMonitorSyntax);
    if (!ref) return d;
    d.letter = ref->letter;
    d.number = static_cast<int>(ref->number);
    d.valid = !(device::isOctalLetter(d.letter) && device::hasNonOctalDigit(ref->number));
    return d;
}

bool isBitDevice(char letter) {
    return device::isBitLetter(letter);
}

bool showsCurrentValues(char letter, MonitorLayout layout) {
    return (letter == 'T' || letter == 'C') && layout == MonitorLayout::Word;
}

std::optional<uint32_t> monitorReadAddress(const MonitorDevice& d, MonitorLayout layout) {
    return device::deviceAddress(d.letter, static_cast<uint32_t>(d.number), accessOf(d, layout));
}

std::vector<std::string> rowLabels(const MonitorDevice& d, MonitorLayout layout, int bytes) {
    std::vector<std::string> labels;
    if (!d.valid || !device::isAddressableLetter(d.letter)) return labels;
    const device::DeviceRef first = refOf(d);
    const device::AccessKind kind = accessOf(d, layout);
    if (layout == MonitorLayout::Bit && isBitDevice(d.letter)) {
        // The "Bit" layout starts at the device's own bit, 32 devices a row.
        const long long start = bitCount(d);
        for (long long n = 0; n < shownBits(d, layout, bytes); n += 32)
            labels.push_back(label(d.letter, writtenNumber(d.letter, start + n)));
        return labels;
    }
    const int perRow = 2 * kWordsPerRow[static_cast<int>(layout)];
    const int rows = layout == MonitorLayout::Word ? (bytes / 2 * 2 + perRow - 1) / perRow
                                                   : (bytes + perRow - 1) / perRow;
    for (int s = 0; s < rows; ++s)
        labels.push_back(label(d.letter, numberAtByte(first, kind, s * perRow)));
    return labels;
}

std::string bitText(uint16_t word, MonitorLayout layout, int shown) {
    std::string out;
    const bool wide = layout == MonitorLayout::BitOrWord;
    for (int bit = 15; bit >= 0; --bit) {
        if (bit % 4 == 3 && bit != 15) out += wide ? "     " : "  ";
        if (wide) out += "   ";
        out += bit >= shown ? ' ' : (word >> bit) & 1 ? '1' : '0';
    }
    return out;
}

std::array<std::string, kMonitorValues> valueTexts(const MonitorData& data, MonitorDisplay display,
                                                   MonitorRadix radix) {
    std::array<std::string, kMonitorValues> texts;
    for (int k = 0; k < kMonitorValues; ++k) {
        const uint8_t* at = &data[static_cast<size_t>(2 * k)];
        switch (display) {
            case MonitorDisplay::Int16: {
                const unsigned word = at[0] | at[1] << 8;
                texts[static_cast<size_t>(k)] =
                    radix == MonitorRadix::Hex ? hexBytes(at, 2) : std::to_string(word);
                break;
            }
            case MonitorDisplay::Int32: {
                if (k % 2 == 1) break;
                const uint32_t value = at[0] | at[1] << 8 | at[2] << 16 | uint32_t{at[3]} << 24;
                texts[static_cast<size_t>(k)] = radix == MonitorRadix::Hex
                                                    ? hexBytes(at, 4)
                                                    : std::to_string(static_cast<int32_t>(value));
                break;
            }
            case MonitorDisplay::Real:
            case MonitorDisplay::Ascii:
                texts[static_cast<size_t>(k)] = "--";
                break;
        }
    }
    return texts;
}

MonitorData alignedToDevice(const MonitorData& data, const MonitorDevice& device) {
    const unsigned d = bitInByte(device);
    if (d == 0) return data;
    MonitorData out{};
    for (size_t j = 0; j < data.size(); ++j) {
        const unsigned next = j + 1 < data.size() ? data[j + 1] : 0;
        out[j] = static_cast<uint8_t>((data[j] >> d) | (next << (8 - d)));
    }
    return out;
}

MonitorTable openingTable() {
    return {{{"Device", 50}, {kBitsHeading, 310}}, {}, false};
}

MonitorTable monitorTable(const MonitorView& view) {
    const std::vector<std::string> labels =
        view.started ? rowLabels(view.device, view.layout, view.bytes) : std::vector<std::string>{};
    const bool wide32 = thirtyTwoBitCounters(view.device, view.layout);
    const MonitorDisplay display =
        wide32 && view.display == MonitorDisplay::Int16 ? MonitorDisplay::Int32 : view.display;
    const auto values = valueTexts(view.data, display, view.radix);
    const long long bits = shownBits(view.device, view.layout, view.bytes);
    // A value with a byte past those of the device's letter shows nothing.
    const auto value = [&](size_t w, int words) {
        return 8LL * view.bytes >= 16LL * static_cast<long long>(w + static_cast<size_t>(words))
                   ? values[w]
                   : std::string();
    };
    MonitorTable t;
    switch (view.layout) {
        case MonitorLayout::BitOrWord:
            if (labels.empty()) {
                t = openingTable();
                break;
            }
            t.columns = {{"Device", 50}, {kBitsHeading, 310}, {" ", 50}};
            for (size_t s = 0; s < labels.size(); ++s)
                t.lines.push_back({labels[s],
                                   bitText(wordAt(view.data, s), view.layout, bitsOfWord(bits, s)),
                                   value(s, 1)});
            break;
        case MonitorLayout::Bit: {
            t.columns = {{"Device", 70},
                         {"+1  FEDC  BA98  7654  3210", 160},
                         {"+0  FEDC  BA98  7654  3210", 160}};
            const MonitorData data = alignedToDevice(view.data, view.device);
            for (size_t s = 0; s < labels.size(); ++s) {
                std::vector<std::string> line{labels[s]};
                for (size_t w : {2 * s + 1, 2 * s}) {
                    const int shown = bitsOfWord(bits, w);
                    line.push_back(shown > 0 ? bitText(wordAt(data, w), view.layout, shown) : "");
                }
                t.lines.push_back(std::move(line));
            }
            break;
        }
        case MonitorLayout::Word: {
            const bool narrow =
                !wide32 && (display == MonitorDisplay::Int16 || display == MonitorDisplay::Ascii);
            const bool bitColumns = isBitDevice(view.device.letter) &&
                                    !showsCurrentValues(view.device.letter, view.layout);
            t.columns.push_back({"Device", 70});
            if (narrow) {
                for (int i = 0; i < 8; ++i)
                    t.columns.push_back({"+" + std::to_string(bitColumns ? 16 * i : i), 40});
            } else if (wide32) {
                for (int i = 0; i < 4; ++i) t.columns.push_back({"+" + std::to_string(i), 85});
            } else {
                static const char* const kWordPairs[] = {"+0           +1", "+2           +3",
                                                         "+4           +5", "+6           +7"};
                static const char* const kBitPairs[] = {"+0           +16", "+32          +48",
                                                        "+64          +80", "+96          +112"};
                for (int i = 0; i < 4; ++i)
                    t.columns.push_back({bitColumns ? kBitPairs[i] : kWordPairs[i], 85});
            }
            for (size_t s = 0; s < labels.size(); ++s) {
                std::vector<std::string> line{labels[s]};
                for (int i = 0; i < (narrow ? 8 : 4); ++i) {
                    const size_t w = s * 8 + static_cast<size_t>(narrow ? i : 2 * i);
                    line.push_back(value(w, narrow ? 1 : 2));
                }
                t.lines.push_back(std::move(line));
            }
            break;
        }
    }
    t.stale = view.started && view.stale && !t.lines.empty();
    return t;
}

}  // namespace rs::online
