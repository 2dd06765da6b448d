#include "core/program/row_refusal.h"

namespace rs {

namespace {

// Whether one of the row's operand words names a data register (D0, D8000)
// or a bit group of them.
bool namesDataRegister(const TypedRow& row) {
    for (const auto& ref : row.operands)
        if (ref && ref->kind != device::DeviceRef::Kind::Constant && ref->letter == 'D')
            return true;
    return false;
}

}  // namespace

RowRefusal rowRefusal(const TypedRow& row, bool mode2, instr::Membership set) {
    if (row.mnemonic == "NOP") return RowRefusal::Nop;
    const instr::Instruction* i = row.instruction;
    if (!mode2 && row.is(instr::Kind::Rst) && namesDataRegister(row))
        return RowRefusal::DeviceSetting;
    if (!i || !i->in(set) || !i->acceptedIn(mode2)) return RowRefusal::Unsupported;
    return RowRefusal::None;
}

}  // namespace rs
