// Feeds arbitrary bytes to the project file loader. Whatever it accepts must
// write out again and read back as the same lists.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto file = rs::decodeProject(bytes);
    if (!file) return 0;
    rs::RecordLists lists = file->records;
    if (!file->hasModeTable) lists.m_ProtocolList = {{0, "1"}};  // as saving adds it
    const auto again = rs::decodeProject(rs::encodeProject(lists));
    if (!again || !(again->records == lists)) std::abort();
    return 0;
}
