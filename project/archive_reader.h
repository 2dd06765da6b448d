#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// Reads the object stream of a project file from a byte buffer. Every read is
// checked against the bytes left and reports failure instead of reading past
// the end; nothing is allocated before the bytes behind it are known to exist.
class ArchiveReader {
  public:
    // classNames: the classes a stream may describe; a class tag is answered
    // with the position of its class in this list.
    ArchiveReader(std::string_view bytes, std::vector<std::string_view> classNames)
        : m_bytes(bytes), m_classNames(std::move(classNames)) {}
    // The reader keeps a view of the bytes: they must outlive it.
    ArchiveReader(std::string&&, std::vector<std::string_view>) = delete;

    bool readInt16(uint16_t& v);
    bool readInt32(uint32_t& v);
    bool readCount(uint32_t& n);
    // A single-byte text, or a wide text converted to UTF-8 (the system code
    // page here).
    bool readText(std::string& text);
    // The tag in front of an object: gives the position of the object's class
    // in the class list. Refuses null objects, references to earlier objects,
    // indices not given to a class, unknown class names, schemas other than 1
    // and class names of 64 bytes or more.
    bool readClassTag(size_t& classId);

    size_t remaining() const { return m_bytes.size() - m_nPos; }
    bool atEnd() const { return m_nPos == m_bytes.size(); }

  private:
    bool readInt8(uint8_t& v);
    bool readTextLength(uint8_t firstByte, uint32_t& n, bool& wide);
    bool readNewClass(size_t& classId);
    bool knownClass(uint32_t index, size_t& classId);

    std::string_view m_bytes;
    size_t m_nPos = 0;
    std::vector<std::string_view> m_classNames;
    uint32_t m_nMapCount = 1;                    // index 0 stands for the null object
    std::map<uint32_t, size_t> m_loadedClasses;  // class index -> class id
};

}  // namespace rs
