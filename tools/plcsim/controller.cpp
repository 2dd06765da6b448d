#include "tools/plcsim/controller.h"

#include <algorithm>

#include "comm/code_words.h"
#include "comm/frames.h"
#include "comm/hex.h"

namespace rs::plcsim {

namespace {

using frame::Bytes;

constexpr uint32_t kStatusAddress = 0x0E02;  // read by the mode-2 status request
constexpr uint8_t kStatusRunMode = 0x50;     // its second byte: "5" as first digit
constexpr size_t kMaxPending = 4096;         // garbage beyond this is dropped

uint32_t hexField(const Bytes& f, size_t at, size_t digits, bool& ok) {
    uint32_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const uint8_t h = at + i < f.size() ? HexValue(f[at + i]) : 255;
        if (h > 15) ok = false;
        v = v * 16 + (h & 15);
    }
    return v;
}

// The bytes of the device memory from an address on, as a read returns them.
Bytes deviceBytes(const device::DeviceMemory& devices, uint32_t address, uint32_t count) {
    Bytes data(count);
    devices.read(address, data);
    return data;
}

Bytes stxReply(const Bytes& data) {
    Bytes r{frame::STX};
    for (uint8_t b : data) frame::appendHex(r, b, 2);
    r.push_back(frame::ETX);
    r.push_back('0');
    r.push_back('0');
    frame::applyMode2Sum(r);
    return r;
}

}  // namespace

Controller::Controller(bool mode2, FaultPlan faults)
    : m_mode2(mode2), m_faults(faults), m_random(faults.seed) {
    m_program.fill(code::kFreeWord);
    m_devices.setByte(kStatusAddress + 1, kStatusRunMode);
}

std::vector<uint16_t> Controller::programWords() const {
    const uint16_t end = code::endWord(m_mode2);
    for (int i = 0; i < m_written; ++i)
        if (m_program[static_cast<size_t>(i)] == end)
            return std::vector<uint16_t>(m_program.begin(), m_program.begin() + i + 1);
    return std::vector<uint16_t>(m_program.begin(), m_program.begin() + m_written);
}

void Controller::loadProgram(const std::vector<uint16_t>& words) {
    m_program.fill(code::kFreeWord);
    const size_t n = std::min(words.size(), m_program.size());
    std::copy_n(words.begin(), n, m_program.begin());
    m_written = static_cast<int>(n);
}

void Controller::storeWord(int index, uint16_t word) {
    if (index < 0 || index >= kCodeWords) return;
    m_program[static_cast<size_t>(index)] = word;
    m_written = std::max(m_written, index + 1);
}

long Controller::frameLength() const {
    const Bytes& p = m_pending;
    if (p.empty()) return 0;
    if (p[0] == frame::ENQ) return m_mode2 ? 1 : -1;
    if (p[0] == ':') {
        if (p.size() < 5) return 0;
        long length = -1;
        if (p[3] == '0' && p[4] == '6' && !m_mode2) length = frame::kWordWriteLength;
        if (p[3] == '0' && p[4] == '3') length = frame::kWordReadLength;
        if (length < 0) return -1;
        return static_cast<long>(p.size()) >= length ? length : 0;
    }
    if (p[0] == frame::STX && m_mode2) {
        const auto etx = std::find(p.begin() + 1, p.end(), frame::ETX);
        if (etx == p.end()) return 0;
        const long length = (etx - p.begin()) + 3;
        return static_cast<long>(p.size()) >= length ? length : 0;
    }
    return -1;
}

std::vector<uint8_t> Controller::receive(const uint8_t* data, size_t size, double atMs) {
    if (atMs - m_lastByteAt >= kFrameGapMs) m_pending.clear();  // an unfinished frame
    m_lastByteAt = atMs;
    m_pending.insert(m_pending.end(), data, data + size);
    Bytes out;
    for (;;) {
        const long length = frameLength();
        if (length == 0) break;
        if (length < 0) {  // a byte that starts no frame
            m_pending.erase(m_pending.begin());
            continue;
        }
        const Bytes f(m_pending.begin(), m_pending.begin() + length);
        m_pending.erase(m_pending.begin(), m_pending.begin() + length);
        ++m_counts.frames;
        if (m_faults.silentAfter >= 0 && m_counts.answered >= m_faults.silentAfter) continue;
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        if (m_faults.drop > 0 && chance(m_random) < m_faults.drop) {
            ++m_counts.dropped;
            continue;
        }
        Bytes reply = answer(f);
        if (reply.empty()) continue;
        ++m_counts.answered;
        if (m_faults.corrupt > 0 && chance(m_random) < m_faults.corrupt) {
            std::uniform_int_distribution<size_t> at(0, reply.size() - 1);
            std::uniform_int_distribution<int> flip(1, 255);
            reply[at(m_random)] ^= static_cast<uint8_t>(flip(m_random));
            ++m_counts.corrupted;
        }
        out.insert(out.end(), reply.begin(), reply.end());
    }
    if (m_pending.size() > kMaxPending) m_pending.clear();
    return out;
}

Bytes Controller::answer(const Bytes& f) {
    if (f[0] == frame::ENQ) return {frame::ACK};
    if (f[0] == ':') return answerWordFrame(f);
    return answerStxFrame(f);
}

// Mode-1 word frames: ":" "01" function, register, data, check, CR [LF]. In
// mode 2 the read request carries the mode-2 sum in its last two bytes.
Bytes Controller::answerWordFrame(const Bytes& f) {
    bool ok = f[1] == '0' && f[2] == '1';
    const auto function = static_cast<uint8_t>(f[4] - '0');
    const auto address = static_cast<uint16_t>(hexField(f, 5, 4, ok));
    const auto data = static_cast<uint16_t>(hexField(f, 9, 4, ok));
    if (m_mode2) {
        Bytes check = f;
        frame::applyMode2Sum(check);
        ok = ok && check == f;
    } else {
        ok = ok && hexField(f, 13, 2, ok) == frame::mode1Check(function, address, data) &&
             f[15] == frame::CR && (function != 6 || f[16] == frame::LF);
    }
    const int index = static_cast<int>(address) - static_cast<int>(frame::kWordBaseAddress);
    if (!ok || index < 0 || index >= kCodeWords) {
        ++m_counts.rejected;
        return {};
    }
    if (function == 3) return wordReply(index);
    const int prev1 = index >= 1 ? m_program[static_cast<size_t>(index - 1)] : -1;
    const int prev2 = index >= 2 ? m_program[static_cast<size_t>(index - 2)] : -1;
    storeWord(index, frame::travelsPlain(data, prev1, prev2) ? data : frame::ungroup(data));
    return f;  // the echo
}

// A word read back travels as the download sent it: in mode 1 plain from
// 0xE000 and after the markers, regrouped otherwise; in mode 2 (blocks of
// plain words) plain.
Bytes Controller::wordReply(int index) const {
    const uint16_t w = m_program[static_cast<size_t>(index)];
    const int prev1 = index >= 1 ? m_program[static_cast<size_t>(index - 1)] : -1;
    const int prev2 = index >= 2 ? m_program[static_cast<size_t>(index - 2)] : -1;
    const uint16_t sent = m_mode2 || frame::travelsPlain(w, prev1, prev2) ? w : frame::regroup(w);
    Bytes r{frame::STX};
    frame::appendHex(r, sent, 4);
    r.push_back(frame::ETX);
    r.push_back('0');
    r.push_back('0');
    frame::applyMode2Sum(r);
    return r;
}

// Program words read at the byte addresses the blocks write them to, each as
// the four digits a block carried; a read that starts inside a word, asks for
// an odd count or reaches past the program memory is refused.
Bytes Controller::programReply(uint32_t address, uint32_t count) const {
    const uint32_t offset = address - frame::kBlockBaseAddress;
    const uint32_t first = offset / 2;
    if (offset % 2 != 0 || count % 2 != 0 || first + count / 2 > kCodeWords) return {NAK};
    Bytes r{frame::STX};
    for (uint32_t i = 0; i < count / 2; ++i) frame::appendHex(r, m_program[first + i], 4);
    r.push_back(frame::ETX);
    r.push_back('0');
    r.push_back('0');
    frame::applyMode2Sum(r);
    return r;
}

// Mode-2 frames: STX, command, fields, ETX, sum.
Bytes Controller::answerStxFrame(const Bytes& f) {
    Bytes check = f;
    frame::applyMode2Sum(check);
    if (check != f || f.size() < 5) {
        ++m_counts.rejected;
        return {NAK};
    }
    const size_t etx = f.size() - 3;
    bool ok = true;
    const uint8_t c0 = f[1];
    const uint8_t c1 = f.size() > 2 ? f[2] : 0;
    if (c0 == '0' && etx == 8) {  // read: address (4), byte count (2)
        const uint32_t address = hexField(f, 2, 4, ok);
        const uint32_t count = hexField(f, 6, 2, ok);
        return ok ? stxReply(deviceBytes(m_devices, address, count)) : Bytes{NAK};
    }
    if (c0 == 'E' && c1 == '0' && etx == 10) {  // read: address (5), byte count (2)
        const uint32_t address = hexField(f, 3, 5, ok);
        const uint32_t count = hexField(f, 8, 2, ok);
        if (!ok) return {NAK};
        if (address >= frame::kBlockBaseAddress) return programReply(address, count);
        return stxReply(deviceBytes(m_devices, address, count));
    }
    if (c0 == 'E' && c1 == '1' && etx >= 10) {  // write: address (5), byte count (2), data
        const uint32_t address = hexField(f, 3, 5, ok);
        const uint32_t count = hexField(f, 8, 2, ok);
        if (!ok || etx != 10 + 2 * count) return {NAK};
        if (address >= frame::kBlockBaseAddress) {
            const uint32_t first = (address - frame::kBlockBaseAddress) / 2;
            for (uint32_t i = 0; i < count / 2; ++i)
                storeWord(static_cast<int>(first + i),
                          static_cast<uint16_t>(hexField(f, 10 + 4 * i, 4, ok)));
        } else {
            // Device bytes in the order they arrive: a word sent low byte
            // first reads back as it was written.
            for (uint32_t i = 0; i < count; ++i)
                m_devices.setByte(address + i,
                                  static_cast<uint8_t>(hexField(f, 10 + 2 * i, 2, ok)));
        }
        return {frame::ACK};
    }
    if (c0 == 'E' && (c1 == '7' || c1 == '8') && etx == 7) {  // force a bit on or off
        // The bit address travels low byte first.
        const uint32_t d = hexField(f, 3, 4, ok);
        const uint32_t a = ((d & 0xFF) << 8) | (d >> 8);
        if (!ok) return {NAK};
        m_devices.setBit(a, c1 == '7');
        return {frame::ACK};
    }
    if (c0 == 'B' && etx == 2) return {frame::ACK};  // finish
    return {NAK};
}

}  // namespace rs::plcsim
