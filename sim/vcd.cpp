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

VcdWriter::VcdWriter(std::ostream& out, const std::vector<Watch>& watches) : m_out(out) {
    auto add = [&](const std::string& name, const Operand& device, int width) {
        const std::string id = vcdIdentifier(m_signals.size());
        m_out << "$var " << (width == 1 ? "wire" : "reg") << ' ' << width << ' ' << id << ' '
              << name << " $end\n";
        m_signals.push_back({device, width, id, 0});
    };
    m_out << "$version rungsmith-cli simulate $end\n$timescale 1ms $end\n$scope module plc $end\n";
    for (const Watch& w : watches) {
        if (w.value.kind == Operand::Kind::Bit) {
            add(w.name, w.value, 1);
            continue;
        }
        add(w.name, w.value, w.value.wide ? 32 : 16);
        if (w.contact) add(w.name + "_on", *w.contact, 1);
    }
    m_out << "$upscope $end\n$enddefinitions $end\n";
}

std::string VcdWriter::valueText(const Signal& s, int64_t v) const {
    if (s.width == 1) return (v ? "1" : "0") + s.id;
    const uint32_t bits = static_cast<uint32_t>(v) & (s.width == 32 ? 0xFFFFFFFFu : 0xFFFFu);
    std::string digits;
    for (int i = s.width - 1; i >= 0; --i)
        if (!digits.empty() || ((bits >> i) & 1) || i == 0) digits += ((bits >> i) & 1) ? '1' : '0';
    return "b" + digits + " " + s.id;
}

void VcdWriter::sample(int64_t atMs, const Engine& engine) {
    std::string changes;
    for (Signal& s : m_signals) {
        const int64_t v = s.device.wide
                              ? static_cast<int32_t>(engine.memory().dword(s.device.address))
                              : engine.read(s.device);
        if (m_dumped && v == s.last) continue;
        s.last = v;
        changes += valueText(s, v) + "\n";
    }
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
