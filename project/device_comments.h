#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// A device a comment can name: a bit or word device, a timer or a counter
// (X000, Y017, M8000, S20, T0, C5, D100). Its text is the device as the
// program writes it; devices sort by letter (X, Y, M, S, T, C, D) and then
// by number.
struct CommentDevice {
    char letter = 0;
    long long number = 0;  // X and Y numbers in their octal digits, as written

    std::string text() const;
    std::strong_ordering operator<=>(const CommentDevice& other) const;
    bool operator==(const CommentDevice&) const = default;
};

// Reads a device text for a comment: the letter (either case) and its
// digits, nothing else; X and Y numbers with octal digits only. Empty for
// anything else (constants, groups, unknown letters).
std::optional<CommentDevice> readCommentDevice(std::string_view text);

// Why a comment text is refused; None when it may be kept.
enum class CommentProblem { None, NotUtf8, ControlCharacter, TooLong };
CommentProblem checkComment(std::string_view text);
// The characters (code points) of a UTF-8 text that checkComment accepted.
int commentLength(std::string_view text);
const char* commentProblemText(CommentProblem problem);

// The comments of one project, at most one per device, in device order.
class DeviceComments {
  public:
    struct Entry {
        std::string device;
        std::string comment;
    };

    // Gives the device a comment; an empty text removes it. Refused (false,
    // nothing changed) for a text checkComment refuses, and for a new
    // device once the project holds its most comments.
    bool set(const CommentDevice& device, std::string_view comment);
    // The device's comment, or empty.
    std::string_view find(const CommentDevice& device) const;
    // The comment of a device text, or empty when the text names no device.
    std::string_view findText(std::string_view deviceText) const;

    std::vector<Entry> entries() const;
    size_t size() const { return m_comments.size(); }
    bool empty() const { return m_comments.empty(); }
    void clear();
    // Goes up by one with every change: whoever keeps a copy on disk can
    // tell whether it still holds what the file held.
    uint64_t revision() const { return m_revision; }

    bool operator==(const DeviceComments& other) const { return m_comments == other.m_comments; }

  private:
    std::map<CommentDevice, std::string> m_comments;
    uint64_t m_revision = 0;
};

}  // namespace rs
