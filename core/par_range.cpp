#include "core/par_range.h"

#include <fstream>

#include "core/char_class.h"
#include "core/device/device_ref.h"
#include "core/limits.h"

namespace rs {

namespace {

// A decimal bound with an optional minus sign; at most 12 digits, so no overflow.
std::optional<long long> parseBound(std::string_view s) {
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 12) return std::nullopt;
    long long v = 0;
    for (char c : s) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

bool inAny(const RangeLine& line, long long n, size_t count) {
    for (size_t i = 0; i < count && i < line.ranges.size(); ++i)
        if (line.ranges[i].low <= n && n <= line.ranges[i].high) return true;
    return false;
}

// Letters whose devices are checked against the first low and the last high
// bound of their line.
bool isSpanLetter(char c) {
    switch (c) {
        case 'T':
        case 'C':
        case 'K':
        case 'P':
        case 'I':
        case 'N':
        case 'S':
        case 'V':
        case 'Z':
        case 'H':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<RangeLine> parseRangeLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.remove_suffix(1);
    if (line.size() < 2 || line[1] != ':') return std::nullopt;
    RangeLine out;
    out.letter = line[0];
    std::string_view rest = line.substr(2);
    const size_t semi = rest.find(';');
    std::string_view body = rest.substr(0, semi);
    if (semi != std::string_view::npos && semi + 1 < rest.size()) out.limit = rest[semi + 1];
    while (true) {
        const size_t comma = body.find(',');
        std::string_view part = body.substr(0, comma);
        const size_t tilde = part.find('~');
        if (tilde == std::string_view::npos) return std::nullopt;
        auto low = parseBound(part.substr(0, tilde));
        auto high = parseBound(part.substr(tilde + 1));
        if (!low || !high) return std::nullopt;
        out.ranges.push_back({*low, *high});
        if (out.ranges.size() > 3) return std::nullopt;
        if (comma == std::string_view::npos) break;
        body = body.substr(comma + 1);
    }
    return out;
}

bool rangeAccepts(std::string_view t, bool mode2, const std::vector<std::string>& lines) {
    if (t.size() > static_cast<size_t>(kMaxDeviceText) || t.size() < 2) return false;
    // Everything after the letter is the device number, in decimal digits.
    const auto ref = device::parseDevice(t, device::kRangeSyntax);
    if (!ref) return false;
    const long long n = ref->number;
    const char letter = ref->letter;
    switch (letter) {
        case 'X':
        case 'Y':
        case 'M':
        case 'D':
        case ' ':
            break;
        default:
            if (!isSpanLetter(letter)) return false;
    }
    if (letter == 'D' && !mode2) return (n >= 0 && n <= 47) || (n >= 8000 && n <= 8063);

    for (const std::string& text : lines) {
        if (letter == ' ') return true;  // a blank device is taken at the first line
        auto line = parseRangeLine(text);
        if (!line || line->letter != letter) continue;
        switch (letter) {
            case 'X':
            case 'Y': {
                if (!isDigit(line->limit)) continue;
                const int limit = line->limit - '0';
                for (size_t i = 1; i <= 3 && i < t.size(); ++i)
                    if (t[i] - '0' > limit) return false;
                return line->ranges[0].low <= n && n <= line->ranges[0].high;
            }
            case 'M':
                return inAny(*line, n, 2);
            case 'D':
                if (line->limit != '2') continue;
                return inAny(*line, n, 3);
            default:
                return line->ranges.front().low <= n && n <= line->ranges.back().high;
        }
    }
    return false;
}

bool RangeFile::accepts(std::string_view device, bool mode2) const {
    std::vector<std::string> lines;
    const bool needsFile = !(device.size() >= 1 && device[0] == 'D' && !mode2);
    if (needsFile) {
        std::ifstream in(m_path, std::ios::binary);
        if (!in) {
            std::ofstream create(m_path, std::ios::app);
        } else {
            std::string line;
            while (std::getline(in, line)) lines.push_back(std::move(line));
        }
    }
    return rangeAccepts(device, mode2, lines);
}

}  // namespace rs
