#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/session.h"
#include "editor/search/cross_reference.h"
#include "project/device_comments.h"

namespace rs::shell {

// The comment of the first word of a cell text or operand, from word
// `firstWord` on, that names a device with a comment; empty when none does.
std::string_view commentOfText(const DeviceComments& comments, std::string_view text,
                               size_t firstWord = 0);

// The device under the cursor of the presentation shown, as the program
// writes it: the first device word of the ladder cell (an instruction box
// after its mnemonic) or of the list line's operand. Empty when the cursor
// is on no device a comment can name.
std::string cursorDevice(const Session& s);

// One row of the device comments table.
struct CommentRow {
    std::string device;  // as the program writes it (X001, T0)
    std::string comment;
    std::string where;  // the places the shown program uses it, empty when none
};

// The places of a device joined into one text; after kMaxWherePlaces places
// the rest are counted ("... 4 more").
constexpr int kMaxWherePlaces = 6;
std::string whereUsedText(const std::vector<search::DevicePlace>& places);

// Every device that has a comment, is used by the program or is one of
// `more` (constants and devices no comment can name left out), in device
// order.
std::vector<CommentRow> commentRows(const DeviceComments& comments,
                                    const std::vector<search::DeviceUses>& uses,
                                    const std::vector<std::string>& more = {});

}  // namespace rs::shell
