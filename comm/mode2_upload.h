#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/instruction_store.h"

namespace rs {

// Mode-2 code read back from the controller into instruction-list rows. The
// definition is the mode-2 encoder read backwards: every row written is one
// whose mode-2 words are exactly the words it was read from, so the rows
// encode to the code read. The words run up to and including the END word
// (0x0F00, or the mode-1 END 0xF0FF an upload hands on for it). Rows go to
// the table from row 0, END last; the rest of the table is emptied. A word
// that starts no row of the download set (or a row whose words do not come
// back as read) refuses the whole code: the message says where, and the table
// is left as it was.
std::optional<std::string> decodeMode2Program(const std::vector<uint16_t>& words,
                                              InstructionTable& table);

}  // namespace rs
