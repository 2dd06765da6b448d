#include "project/comments_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

namespace rs {

namespace {

bool needsQuotes(std::string_view text) {
    if (text.find_first_of(",\"") != std::string_view::npos) return true;
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

bool isHeader(std::string_view line) {
    constexpr std::string_view kHeader = "device,comment";
    return line.size() == kHeader.size() &&
           std::equal(line.begin(), line.end(), kHeader.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// The comment field of a line (what follows the first comma): the text as it
// stands, or a quoted text with its quotes undoubled. Empty for a field that
// quotes badly or holds a further comma outside quotes.
std::optional<std::string> readCommentField(std::string_view field, std::string& problem) {
    if (field.empty() || field.front() != '"') {
        if (field.find(',') != std::string_view::npos) {
            problem = "more than two fields";
            return std::nullopt;
        }
        if (field.find('"') != std::string_view::npos) {
            problem = "a quote inside a field that is not quoted";
            return std::nullopt;
        }
        return std::string(field);
    }
    std::string out;
    for (size_t i = 1; i < field.size(); ++i) {
        if (field[i] != '"') {
            out += field[i];
        } else if (i + 1 < field.size() && field[i + 1] == '"') {
            out += '"';
            ++i;
        } else if (i + 1 == field.size()) {
            return out;
        } else {
            problem = field[i + 1] == ',' ? "more than two fields" : "text after a closing quote";
            return std::nullopt;
        }
    }
    problem = "a quote that is not closed";
    return std::nullopt;
}

}  // namespace

std::string commentsPathFor(const std::string& projectPath) {
    return projectPath + ".comments";
}

std::string encodeComments(const DeviceComments& comments) {
    std::string out;
    for (const DeviceComments::Entry& e : comments.entries()) {
        out += e.device + ',';
        if (needsQuotes(e.comment)) {
            out += '"';
            for (const char c : e.comment)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        } else {
            out += e.comment;
        }
        out += '\n';
    }
    return out;
}

CommentsReadResult decodeComments(std::string_view text) {
    CommentsReadResult result;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const auto damaged = [&](int line, std::string problem) {
        if (result.badLine != 0) return;
        result.badLine = line;
        result.problem = std::move(problem);
    };
    std::set<CommentDevice> seen;
    for (int lineNo = 1; !text.empty(); ++lineNo) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || (lineNo == 1 && isHeader(line))) continue;
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            damaged(lineNo, "no comma between device and comment");
            continue;
        }
        const auto device = readCommentDevice(line.substr(0, comma));
        if (!device) {
            damaged(lineNo, "\"" + std::string(line.substr(0, comma)) + "\" is no device");
            continue;
        }
        std::string problem;
        const auto comment = readCommentField(line.substr(comma + 1), problem);
        if (!comment) {
            damaged(lineNo, problem);
            continue;
        }
        if (const CommentProblem p = checkComment(*comment); p != CommentProblem::None) {
            damaged(lineNo, commentProblemText(p));
            continue;
        }
        if (!seen.insert(*device).second) {
            damaged(lineNo, device->text() + " is named a second time");
            continue;
        }
        if (comment->empty())
            result.cleared.push_back(*device);
        else if (!result.comments.set(*device, *comment))
            damaged(lineNo, "too many comments");
    }
    return result;
}

}  // namespace rs
