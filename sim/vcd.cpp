#include "sim/vcd.h"

namespace rs::sim {

std::string vcdIdentifier(size_t n) {
    constexpr size_t kCodes = '~' - '!' + 1;
    std::string id;
    do {
        id += static_cast<char>('!' + n % kCodes);
        n /= kCodes;
    } while (n-- > 0);
    return id;
}

VcdWriter::VcdWriter(std::ostream& out, const std::vector<Watch>& watches)
    : m_out(out), m_history(watches, 0) {
    m_out << "$version rungsmith-cli simulate $end\n$timescale 1ms $end\n$scope module plc $end\n";
    for (const TraceSignal& s : m_history.tracedSignals()) {
        m_ids.push_back(vcdIdentifier(m_ids.size()));
        m_out << "$var " << (s.width == 1 ? "wire" : "reg") << ' ' << s.width << ' ' << m_ids.back()
              << ' ' << s.name << " $end\n";
    }
    m_out << "$upscope $end\n$enddefinitions $end\n";
}

std::string VcdWriter::valueText(size_t signal, int32_t v) const {
    const int width = m_history.tracedSignals()[signal].width;
    const std::string& id = m_ids[signal];
    if (width == 1) return (v ? "1" : "0") + id;
    const uint32_t bits = static_cast<uint32_t>(v) & (width == 32 ? 0xFFFFFFFFu : 0xFFFFu);
    std::string digits;
    for (int i = width - 1; i >= 0; --i)
        if (!digits.empty() || ((bits >> i) & 1) || i == 0) digits += ((bits >> i) & 1) ? '1' : '0';
    return "b" + digits + " " + id;
}

void VcdWriter::sample(int64_t atMs, const Engine& engine) {
    m_history.sample(atMs, engine);
    std::string changes;
    for (size_t i : m_history.lastChanged())
        changes += valueText(i, m_history.changes(i).back().value) + "\n";
    if (changes.empty()) return;
    m_out << '#' << atMs << '\n';
    if (!m_dumped) {
        m_out << "$dumpvars\n" << changes << "$end\n";
        m_dumped = true;
        return;
    }
    m_out << changes;
}

}  // namespace rs::sim
