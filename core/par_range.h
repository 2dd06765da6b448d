#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// One line of the device range file, such as "X:0~377;7" or
// "D:0~127,1000~2599,8000~8255;2".
struct RangeLine {
    struct Range {
        long long low;
        long long high;
    };
    char letter = 0;
    std::vector<Range> ranges;  // one to three
    char limit = 0;             // the character after ';' (0 when the line has none)
};

// Parses one line; lines that do not follow the format (no ':' after the letter,
// no '~', bounds that are not numbers, more than three ranges) give nothing and
// decide no check.
std::optional<RangeLine> parseRangeLine(std::string_view line);

// The device range check against the range file. The file is read afresh by
// every check, so an edit of the file takes effect at once; a missing file is
// created empty and then refuses every device it would have to decide.
class RangeFile {
  public:
    explicit RangeFile(std::string path) : m_path(std::move(path)) {}
    const std::string& path() const { return m_path; }

    // Whether the device text (X001, D100, K10, P0 ...) lies in its range.
    bool accepts(std::string_view device, bool mode2) const;

  private:
    std::string m_path;
};

// Decides a device against the lines of a range file; the file-reading check
// above passes its lines here.
bool rangeAccepts(std::string_view device, bool mode2, const std::vector<std::string>& lines);

}  // namespace rs
