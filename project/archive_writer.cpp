#include "project/archive_writer.h"

#include <cstring>

#include "project/archive_format.h"

namespace rs {

void ArchiveWriter::writeInt16(uint16_t v) {
    m_bytes.push_back(static_cast<char>(v & 0xFF));
    m_bytes.push_back(static_cast<char>(v >> 8));
}

void ArchiveWriter::writeInt32(uint32_t v) {
    writeInt16(static_cast<uint16_t>(v & 0xFFFF));
    writeInt16(static_cast<uint16_t>(v >> 16));
}

void ArchiveWriter::writeCount(uint32_t n) {
    if (n < archive::kBigCount) {
        writeInt16(static_cast<uint16_t>(n));
    } else {
        writeInt16(archive::kBigCount);
        writeInt32(n);
    }
}

void ArchiveWriter::writeText(std::string_view text) {
    const size_t n = text.size();
    if (n < archive::kLongText) {
        m_bytes.push_back(static_cast<char>(n));
    } else if (n < archive::kWideText) {
        m_bytes.push_back(static_cast<char>(archive::kLongText));
        writeInt16(static_cast<uint16_t>(n));
    } else {
        m_bytes.push_back(static_cast<char>(archive::kLongText));
        writeInt16(archive::kLongerText);
        writeInt32(static_cast<uint32_t>(n));
    }
    m_bytes.append(text);
}

void ArchiveWriter::writeClassTag(const char* className) {
    const auto known = m_classIndex.find(std::string_view(className));
    if (known == m_classIndex.end()) {
        const size_t len = std::strlen(className);
        writeInt16(archive::kNewClassTag);
        writeInt16(archive::kSchema);
        writeInt16(static_cast<uint16_t>(len));
        m_bytes.append(className, len);
        m_classIndex.emplace(className, m_nMapCount++);
    } else if (known->second < archive::kBigObjectTag) {
        writeInt16(static_cast<uint16_t>(archive::kClassTag | known->second));
    } else {
        writeInt16(archive::kBigObjectTag);
        writeInt32(archive::kBigClassTag | known->second);
    }
    ++m_nMapCount;  // the object itself
}

}  // namespace rs
