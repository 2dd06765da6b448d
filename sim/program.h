#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/evaluate/list_eval.h"
#include "core/instructions/engine_op.h"
#include "sim/operand.h"

namespace rs::sim {

// What a row does in a scan: the operation its instruction names.
using Op = EngineOp;

struct Instruction {
    Op op = Op::End;
    bool pulse = false;  // an application instruction's P form: runs once per rising condition
    // Operands as written; CMP and ZCP add their second and third result bit,
    // MUL and DIV the word after their destination, in the places after them.
    std::array<Operand, 7> operands{};
    int target = -1;  // CJ, CALL: the row of the label
};

// A program ready to run: one instruction per row of the list, up to and
// including its END row.
struct Program {
    std::vector<Instruction> rows;
    std::vector<eval::ListRow> text;  // the rows as written, for messages
};

// Why a program cannot run: the row and the reason.
struct LoadError {
    int row = -1;
    std::string message;
};

// Reads the rows of an instruction list. Refuses a row the engine cannot run
// (an instruction it does not know, an operand it cannot reach, a jump to a
// label that is not there, a label given twice) with a message naming the row.
std::optional<Program> loadProgram(const std::vector<eval::ListRow>& rows, LoadError& error);

// "row 12 (MOV K10 D0)": how messages name a row.
std::string rowName(const Program& program, int row);

// Whether an op is a contact (reads operand 0 as a bit).
constexpr bool isContact(Op op) {
    return op <= Op::Orf;
}

// Whether a row starts a rung: the first row, a row that stands between
// rungs (a label, FOR, NEXT, SRET, FEND, END), or a load that does not
// continue a block (the row before it is no contact, join or point row).
bool startsRung(const Program& program, int row);

}  // namespace rs::sim
