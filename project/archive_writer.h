#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace rs {

// Writes the object stream of a project file: little-endian integers,
// length-prefixed single-byte texts, element counts and tagged objects. One
// writer describes one file: it keeps the class index counter and the classes
// already described.
class ArchiveWriter {
  public:
    void writeInt16(uint16_t v);
    void writeInt32(uint32_t v);
    // A table's element count: a 16-bit word, or 0xFFFF and a 32-bit word.
    void writeCount(uint32_t n);
    // A single-byte text: its length in one of three forms, then the bytes.
    void writeText(std::string_view text);
    // The class tag in front of an object: a new-class tag the first time the
    // class appears, a known-class tag afterwards. Every object takes an index
    // from the counter, as does every class described.
    void writeClassTag(const char* className);

    const std::string& bytes() const { return m_bytes; }
    std::string take() { return std::move(m_bytes); }

  private:
    std::string m_bytes;
    uint32_t m_nMapCount = 1;  // index 0 stands for the null object
    std::map<std::string, uint32_t, std::less<>> m_classIndex;
};

}  // namespace rs
