#include "project/archive_reader.h"

#include "project/archive_format.h"

namespace rs {

namespace {

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isHighSurrogate(uint16_t u) {
    return u >= 0xD800 && u < 0xDC00;
}
bool isLowSurrogate(uint16_t u) {
    return u >= 0xDC00 && u < 0xE000;
}

// UTF-16LE units to UTF-8; a surrogate without its partner becomes '?', as a
// character the code page cannot show.
std::string wideToUtf8(std::string_view units) {
    std::string out;
    const size_t n = units.size() / 2;
    auto unit = [&](size_t i) {
        return static_cast<uint16_t>(static_cast<uint8_t>(units[2 * i]) |
                                     static_cast<uint8_t>(units[2 * i + 1]) << 8);
    };
    for (size_t i = 0; i < n; ++i) {
        const uint16_t u = unit(i);
        if (isHighSurrogate(u) && i + 1 < n && isLowSurrogate(unit(i + 1))) {
            appendUtf8(out, 0x10000 + ((u - 0xD800u) << 10) + (unit(i + 1) - 0xDC00u));
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            out.push_back('?');
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace

bool ArchiveReader::readInt8(uint8_t& v) {
    if (remaining() < 1) return false;
    v = static_cast<uint8_t>(m_bytes[m_nPos++]);
    return true;
}

bool ArchiveReader::readInt16(uint16_t& v) {
    if (remaining() < 2) return false;
    v = static_cast<uint16_t>(static_cast<uint8_t>(m_bytes[m_nPos]) |
                              static_cast<uint8_t>(m_bytes[m_nPos + 1]) << 8);
    m_nPos += 2;
    return true;
}

bool ArchiveReader::readInt32(uint32_t& v) {
    uint16_t lo = 0, hi = 0;
    if (remaining() < 4 || !readInt16(lo) || !readInt16(hi)) return false;
    v = lo | static_cast<uint32_t>(hi) << 16;
    return true;
}

bool ArchiveReader::readCount(uint32_t& n) {
    uint16_t w = 0;
    if (!readInt16(w)) return false;
    if (w != archive::kBigCount) {
        n = w;
        return true;
    }
    return readInt32(n);
}

// The length forms after the first byte: 0xFF and a 16-bit length, or 0xFF,
// 0xFFFF and a 32-bit length; 0xFF 0xFFFE announces a wide text whose length
// follows in the same forms.
bool ArchiveReader::readTextLength(uint8_t firstByte, uint32_t& n, bool& wide) {
    if (firstByte < archive::kLongText) {
        n = firstByte;
        return true;
    }
    uint16_t w = 0;
    if (!readInt16(w)) return false;
    if (w == archive::kWideText && !wide) {
        wide = true;
        uint8_t b = 0;
        return readInt8(b) && readTextLength(b, n, wide);
    }
    if (w < archive::kLongerText) {
        n = w;
        return true;
    }
    // 0xFFFFFFFF would announce a 64-bit length: no project text is that long.
    return readInt32(n) && n != 0xFFFFFFFFu;
}

bool ArchiveReader::readText(std::string& text) {
    uint8_t first = 0;
    uint32_t n = 0;
    bool wide = false;
    if (!readInt8(first) || !readTextLength(first, n, wide)) return false;
    const uint64_t bytes = wide ? uint64_t{n} * 2 : n;
    if (bytes > remaining()) return false;
    const std::string_view raw = m_bytes.substr(m_nPos, static_cast<size_t>(bytes));
    m_nPos += static_cast<size_t>(bytes);
    text = wide ? wideToUtf8(raw) : std::string(raw);
    return true;
}

bool ArchiveReader::readNewClass(size_t& classId) {
    uint16_t schema = 0, len = 0;
    if (!readInt16(schema) || !readInt16(len)) return false;
    if (schema != archive::kSchema || len > archive::kMaxClassNameLength || len > remaining())
        return false;
    const std::string_view name = m_bytes.substr(m_nPos, len);
    m_nPos += len;
    for (size_t id = 0; id < m_classNames.size(); ++id) {
        if (m_classNames[id] != name) continue;
        m_loadedClasses[m_nMapCount++] = id;
        classId = id;
        return true;
    }
    return false;
}

bool ArchiveReader::knownClass(uint32_t index, size_t& classId) {
    const auto it = m_loadedClasses.find(index);
    if (it == m_loadedClasses.end()) return false;  // unassigned, or an object's index
    classId = it->second;
    return true;
}

bool ArchiveReader::readClassTag(size_t& classId) {
    uint16_t tag = 0;
    if (!readInt16(tag)) return false;
    bool ok = false;
    if (tag == archive::kNewClassTag) {
        ok = readNewClass(classId);
    } else if (tag == archive::kBigObjectTag) {
        uint32_t big = 0;
        ok = readInt32(big) && (big & archive::kBigClassTag) != 0 &&
             knownClass(big & ~archive::kBigClassTag, classId);
    } else if ((tag & archive::kClassTag) != 0) {
        ok = knownClass(tag & ~archive::kClassTag, classId);
    }
    // Anything else is a null object (tag 0) or a reference to an object read
    // before; a project file holds neither.
    if (ok) ++m_nMapCount;  // the object that follows
    return ok;
}

}  // namespace rs
