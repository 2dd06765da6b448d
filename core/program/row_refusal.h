#pragma once

#include <cstdint>

#include "core/instructions/instruction.h"
#include "core/program/typed_row.h"

namespace rs {

// Why a row of a program cannot go on to the ladder or the controller.
enum class RowRefusal : uint8_t {
    None,
    Nop,            // NOP is never supported
    DeviceSetting,  // RST of a data register outside mode 2
    Unsupported,    // not in the set, or refused in this mode
};

// The refusal of a typed row for the instruction set `set` in this mode, read
// from the row's instruction and its operand words.
RowRefusal rowRefusal(const TypedRow& row, bool mode2, instr::Membership set);

}  // namespace rs
