#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/list_text.h"
#include "core/session.h"
#include "project/device_comments.h"

namespace rs {

// How reading an instruction list text ended: on a refusal, the line number
// (from 1, counting every line of the text) and the message the program showed.
struct ImportResult {
    bool ok = true;
    int line = 0;
    std::string message;
};

// Applies every line of an instruction list text as an entered line, each at
// the next row of the table, with the same checks as the list editor. Blank
// lines and lines whose first non-blank character is '#' are skipped; a label
// is written "P0:". A blank and '#' end a line: what follows is an
// end-of-line comment. When the last line applied is not "END", "END" is applied
// as well. Stops at the first refused line; the session's sink is not used.
ImportResult importListText(Session& s, std::string_view text);

// The export text of the list (exportListText) with the comments of the
// devices each line names after it: "LD X000  # Start button"; a line naming
// several commented devices lists them "# T0: Delay; D10: Preset".
std::string commentedListText(const InstructionTable& table, size_t recordCount,
                              const DeviceComments& comments);

// The lines of the instruction list view: step number, mnemonic and operand,
// separated by single blanks; empty fields are left out.
std::string listViewText(const InstructionTable& table, size_t recordCount);

}  // namespace rs
