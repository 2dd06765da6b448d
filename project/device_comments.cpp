#include "project/device_comments.h"

#include "core/char_class.h"
#include "core/device/device_address.h"
#include "core/device/device_ref.h"
#include "core/limits.h"

namespace rs {

namespace {

// The letters' places in device order; letters the address rule knows.
constexpr std::string_view kLetterOrder = "XYMSTCD";

// The length of the UTF-8 sequence that starts with lead, 0 for a byte no
// sequence starts with.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// True when the n bytes at text[i] are one well-formed UTF-8 sequence
// (no overlong forms, no surrogates, nothing above U+10FFFF).
bool wellFormed(std::string_view text, size_t i, int n) {
    if (i + n > text.size()) return false;
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    for (int k = 1; k < n; ++k)
        if ((byte(k) & 0xC0) != 0x80) return false;
    if (n == 3 && byte(0) == 0xE0 && byte(1) < 0xA0) return false;
    if (n == 3 && byte(0) == 0xED && byte(1) >= 0xA0) return false;
    if (n == 4 && byte(0) == 0xF0 && byte(1) < 0x90) return false;
    if (n == 4 && byte(0) == 0xF4 && byte(1) >= 0x90) return false;
    return true;
}

}  // namespace

std::string CommentDevice::text() const {
    return device::deviceText(letter, number);
}

std::strong_ordering CommentDevice::operator<=>(const CommentDevice& other) const {
    const auto place = [](char c) { return kLetterOrder.find(c); };
    if (const auto order = place(letter) <=> place(other.letter); order != 0) return order;
    return number <=> other.number;
}

std::optional<CommentDevice> readCommentDevice(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string upper(text);
    upper[0] = toUpper(upper[0]);
    const auto ref = device::parseDevice(upper, device::kRangeSyntax);
    if (!ref || ref->kind != device::DeviceRef::Kind::Device) return std::nullopt;
    if (kLetterOrder.find(ref->letter) == std::string_view::npos) return std::nullopt;
    if (device::isOctalLetter(ref->letter) && device::hasNonOctalDigit(ref->number))
        return std::nullopt;
    return CommentDevice{ref->letter, ref->number};
}

CommentProblem checkComment(std::string_view text) {
    int chars = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int n = sequenceLength(lead);
        if (n == 0 || !wellFormed(text, i, n)) return CommentProblem::NotUtf8;
        if (lead < 0x20 || lead == 0x7F) return CommentProblem::ControlCharacter;
        i += n;
        ++chars;
    }
    return chars > kMaxCommentChars ? CommentProblem::TooLong : CommentProblem::None;
}

int commentLength(std::string_view text) {
    int chars = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
    return chars;
}

const char* commentProblemText(CommentProblem problem) {
    switch (problem) {
        case CommentProblem::None:
            break;
        case CommentProblem::NotUtf8:
            return "the comment is not UTF-8 text";
        case CommentProblem::ControlCharacter:
            return "the comment holds a line break or control character";
        case CommentProblem::TooLong:
            return "the comment is longer than 32 characters";
    }
    return "";
}

bool DeviceComments::set(const CommentDevice& device, std::string_view comment) {
    if (checkComment(comment) != CommentProblem::None) return false;
    const auto at = m_comments.find(device);
    if (comment.empty()) {
        if (at == m_comments.end()) return true;
        m_comments.erase(at);
    } else if (at != m_comments.end()) {
        if (at->second == comment) return true;
        at->second = comment;
    } else {
        if (m_comments.size() >= static_cast<size_t>(kMaxDeviceComments)) return false;
        m_comments.emplace(device, std::string(comment));
    }
    ++m_revision;
    return true;
}

std::string_view DeviceComments::find(const CommentDevice& device) const {
    const auto at = m_comments.find(device);
    return at == m_comments.end() ? std::string_view() : std::string_view(at->second);
}

std::string_view DeviceComments::findText(std::string_view deviceText) const {
    const auto device = readCommentDevice(deviceText);
    return device ? find(*device) : std::string_view();
}

std::vector<DeviceComments::Entry> DeviceComments::entries() const {
    std::vector<Entry> out;
    out.reserve(m_comments.size());
    for (const auto& [device, comment] : m_comments) out.push_back({device.text(), comment});
    return out;
}

void DeviceComments::clear() {
    if (m_comments.empty()) return;
    m_comments.clear();
    ++m_revision;
}

}  // namespace rs
