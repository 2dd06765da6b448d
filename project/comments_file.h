#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/device_comments.h"

namespace rs {

// The comments file beside a project: NAME.epj.comments.
std::string commentsPathFor(const std::string& projectPath);

// The comments as UTF-8 CSV: one "device,comment" line each, in device
// order, no header. A comment with a comma, a quote or a blank at either end
// is quoted, its quotes doubled.
std::string encodeComments(const DeviceComments& comments);

// How reading a comments text went: the comments of every good line and,
// for a damaged text, the first bad line (from 1) and what is wrong with it.
struct CommentsReadResult {
    DeviceComments comments;
    std::vector<CommentDevice> cleared;  // devices given with an empty comment
    int badLine = 0;
    std::string problem;
    bool ok() const { return badLine == 0; }
};

// Reads a comments text. A UTF-8 byte order mark, line ends of CR LF, blank
// lines and a first line "device,comment" (any case) are accepted, as
// spreadsheets write them. A line is damaged when it does not name a device,
// has more than two fields, quotes badly, names a device a second time or
// holds a comment checkComment refuses.
CommentsReadResult decodeComments(std::string_view text);

}  // namespace rs
