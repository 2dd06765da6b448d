#include "online/monitor_text.h"

#include <cstdio>

#include "core/device/device_address.h"
#include "core/device/device_ref.h"

namespace rs::online {

namespace {

constexpr const char* kBitsHeading =
    "+F   E   D   C     +B   A   9   8     +7   6   5   4     +3   2   1   0";

int rowCount(MonitorLayout layout) {
    switch (layout) {
        case MonitorLayout::BitOrWord:
            return kMonitorRows;
        case MonitorLayout::Bit:
            return 8;
        case MonitorLayout::Word:
            return 2;
    }
    return 0;
}

bool within(int r, std::initializer_list<std::pair<int, int>> ranges) {
    for (const auto& [low, high] : ranges)
        if (r >= low && r <= high) return true;
    return false;
}

// X and Y numbers count in octal; the steps skip the numbers with 8 and 9.
bool advanceOctal(int& r, MonitorLayout layout) {
    switch (layout) {
        case MonitorLayout::BitOrWord:
            if (r >= 360) return false;
            if (within(r, {{0, 59}, {100, 159}, {200, 259}, {300, 359}}))
                r += 20;
            else if (within(r,
                            {{60, 67}, {70, 77}, {160, 167}, {170, 177}, {260, 267}, {270, 277}}))
                r += 40;
            return true;
        case MonitorLayout::Bit:
            if (r >= 340) return false;
            if (within(r, {{0, 39},
                           {60, 76},
                           {100, 139},
                           {160, 176},
                           {200, 239},
                           {260, 276},
                           {300, 339}}))
                r += 40;
            else if (within(r,
                            {{40, 47}, {50, 57}, {140, 147}, {150, 157}, {240, 247}, {250, 257}}))
                r += 60;
            return true;
        case MonitorLayout::Word:
            if (r > 177 || r < 0) return false;
            r += 200;
            return true;
    }
    return false;
}

// Decimal numbering: the step of each layout and the number that ends the
// rows ("at least" for the first two layouts, "above" for "Word").
struct DecimalRule {
    int steps[3];
    int endFrom;   // "Bit or Word" and "Bit": r of this or more ends
    int endAbove;  // "Word": r above this ends
};

bool ruleOf(char letter, DecimalRule& rule) {
    switch (letter) {
        case 'S':
            rule = {{16, 32, 128}, 990, 871};
            return true;
        case 'M':
            rule = {{16, 32, 128}, 3071, 2943};
            return true;
        case 'D':
            rule = {{1, 2, 8}, 7999, 7998};
            return true;
        // Timer and counter contacts: one data byte holds eight of them, so
        // a row steps by the contacts it shows; the rows end at the last
        // timer (T511) or counter (C255).
        case 'T':
            rule = {{8, 16, 128}, 511, 511};
            return true;
        case 'C':
            rule = {{8, 16, 128}, 255, 255};
            return true;
        default:
            return false;
    }
}

bool advanceDecimal(int& r, char letter, MonitorLayout layout) {
    DecimalRule rule{};
    if (!ruleOf(letter, rule)) return false;
    const int step = rule.steps[static_cast<int>(layout)];
    if (r < 0) return false;
    if (letter == 'T' || letter == 'C') {
        if (r + step > rule.endFrom) return false;
    } else if (layout == MonitorLayout::Word ? r > rule.endAbove : r >= rule.endFrom) {
        return false;
    }
    r += step;
    return true;
}

std::string hexBytes(const uint8_t* lowFirst, int count) {
    std::string out;
    char buf[3];
    for (int i = count - 1; i >= 0; --i) {
        std::snprintf(buf, sizeof buf, "%02x", lowFirst[i]);
        out += buf;
    }
    return out;
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

std::vector<std::string> rowLabels(const MonitorDevice& device, MonitorLayout layout) {
    std::vector<std::string> labels;
    if (!device.valid || !device::isAddressableLetter(device.letter)) return labels;
    const bool octal = device::isOctalLetter(device.letter);
    int r = device.number;
    for (int s = 0; s < rowCount(layout); ++s) {
        labels.push_back(std::string(1, device.letter) + std::to_string(r));
        if (!(octal ? advanceOctal(r, layout) : advanceDecimal(r, device.letter, layout))) break;
    }
    return labels;
}

std::string bitText(uint8_t byte, int index, MonitorLayout layout) {
    std::string out;
    const bool wide = layout == MonitorLayout::BitOrWord;
    if (!wide && index % 2 == 1) out += "        ";
    for (int bit = 7; bit >= 0; --bit) {
        if (bit == 3) out += wide ? "     " : "  ";
        if (wide) out += "   ";
        out += (byte >> bit) & 1 ? '1' : '0';
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
    if (!isBitDevice(device.letter) || device.letter == 'T' || device.letter == 'C') return data;
    const auto bit = device::deviceAddress(
        std::string(1, device.letter) + std::to_string(device.number), device::AccessKind::Bit);
    const unsigned d = bit ? *bit % 8 : 0;
    if (d == 0) return data;
    MonitorData out{};
    for (size_t j = 0; j < data.size(); ++j) {
        const unsigned next = j + 1 < data.size() ? data[j + 1] : 0;
        out[j] = static_cast<uint8_t>((data[j] >> d) | (next << (8 - d)));
    }
    return out;
}

MonitorTable openingTable() {
    return {{{"Device", 50}, {kBitsHeading, 310}}, {}};
}

MonitorTable monitorTable(const MonitorView& view) {
    const std::vector<std::string> labels =
        view.started ? rowLabels(view.device, view.layout) : std::vector<std::string>{};
    const auto values = valueTexts(view.data, view.display, view.radix);
    MonitorTable t;
    switch (view.layout) {
        case MonitorLayout::BitOrWord:
            if (labels.empty()) return openingTable();
            t.columns = {{"Device", 50}, {kBitsHeading, 310}, {" ", 50}};
            for (size_t s = 0; s < labels.size(); ++s)
                t.lines.push_back({labels[s],
                                   bitText(view.data[s], static_cast<int>(s), view.layout),
                                   values[s]});
            break;
        case MonitorLayout::Bit: {
            t.columns = {{"Device", 70},
                         {"+1  FEDC  BA98  7654  3210", 160},
                         {"+0  FEDC  BA98  7654  3210", 160}};
            const MonitorData bits = alignedToDevice(view.data, view.device);
            for (size_t s = 0; s < labels.size(); ++s) {
                const int odd = static_cast<int>(2 * s + 1);
                t.lines.push_back({labels[s], bitText(bits[2 * s + 1], odd, view.layout),
                                   bitText(bits[2 * s], odd - 1, view.layout)});
            }
            break;
        }
        case MonitorLayout::Word: {
            const bool narrow =
                view.display == MonitorDisplay::Int16 || view.display == MonitorDisplay::Ascii;
            const bool bits = isBitDevice(view.device.letter);
            t.columns.push_back({"Device", 70});
            if (narrow) {
                for (int i = 0; i < 8; ++i)
                    t.columns.push_back({"+" + std::to_string(bits ? 16 * i : i), 40});
            } else {
                static const char* const kWordPairs[] = {"+0           +1", "+2           +3",
                                                         "+4           +5", "+6           +7"};
                static const char* const kBitPairs[] = {"+0           +16", "+32          +48",
                                                        "+64          +80", "+96          +112"};
                for (int i = 0; i < 4; ++i)
                    t.columns.push_back({bits ? kBitPairs[i] : kWordPairs[i], 85});
            }
            for (size_t s = 0; s < labels.size(); ++s) {
                std::vector<std::string> line{labels[s]};
                for (int i = 0; i < (narrow ? 8 : 4); ++i)
                    line.push_back(values[s * 8 + static_cast<size_t>(narrow ? i : 2 * i)]);
                t.lines.push_back(std::move(line));
            }
            break;
        }
    }
    return t;
}

}  // namespace rs::online
