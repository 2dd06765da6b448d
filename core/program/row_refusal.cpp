#include "core/program/row_refusal.h"

namespace rs {

RowRefusal rowRefusal(const TypedRow& row, bool mode2, instr::Membership set) {
    if (row.mnemonic == "NOP") return RowRefusal::Nop;
    const instr::Instruction* i = row.instruction;
    if (!mode2 && row.is(instr::Kind::Rst) && namesDataRegister(row))
        return RowRefusal::DeviceSetting;
    if (!i || !i->in(set) || !i->acceptedIn(mode2)) return RowRefusal::Unsupported;
    return RowRefusal::None;
}

}  // namespace rs
