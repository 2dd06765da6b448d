#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/instruction_store.h"

namespace rs {

// One row of the open program whose code words the controller does not hold.
struct StepDifference {
    int row = 0;          // the project's row
    int64_t step = 0;     // the step number the list shows for that row
    std::string project;  // the row as the project has it, "OUT Y000"
    std::string held;     // what the controller holds in its place
};

// Compares the program read from the controller (the words or, in mode 1,
// the transmitted digits of each word, up to its END word) with the encoding
// of `table`, row by row. `stepOfRow` holds the list's step number of each
// row. The controller's words are named by the rows they decode to where the
// whole code decodes (mode 2), else shown in hex; words missing at the end of
// the controller's code are "nothing". Empty when the controller holds the
// program word for word.
std::vector<StepDifference> compareWithController(const InstructionTable& table, bool mode2,
                                                  const std::vector<uint16_t>& read,
                                                  const std::vector<int64_t>& stepOfRow);

// What a verify says of its differences: "The controller holds this
// program." when there are none, else how many steps differ.
std::string verifyVerdict(const std::vector<StepDifference>& differences);

}  // namespace rs
