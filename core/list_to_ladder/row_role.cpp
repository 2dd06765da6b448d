#include "core/list_to_ladder/row_role.h"

#include "core/cell.h"
#include "core/instructions/instruction.h"

namespace rs::ladder {

RowInfo classifyListRow(const std::string& mnemonic, const std::string& operand) {
    using K = instr::Kind;
    const instr::Instruction* i = instr::find(mnemonic);
    if (i == nullptr) return {RowRole::Output, AppInstruction};
    switch (i->kind) {
        case K::Label:
            return {operand.empty() ? RowRole::End : RowRole::Label, Empty};
        case K::Load:
            return {RowRole::Load, instr::contactCellKind(*i)};
        case K::And:
            return {RowRole::And, instr::contactCellKind(*i)};
        case K::Or:
            return {RowRole::Or, instr::contactCellKind(*i)};
        case K::Anb:
            return {RowRole::Anb, Empty};
        case K::Orb:
            return {RowRole::Orb, Empty};
        case K::Mps:
            return {RowRole::Mps, Empty};
        case K::Mrd:
            return {RowRole::Mrd, Empty};
        case K::Mpp:
            return {RowRole::Mpp, Empty};
        case K::End:
            return {RowRole::End, Empty};
        case K::Out:
            return {RowRole::Output, Coil};
        default:
            return {RowRole::Output, AppInstruction};
    }
}

std::string outputCellText(const std::string& mnemonic, const std::string& operand) {
    const instr::Instruction* i = instr::find(mnemonic);
    if (i && i->kind == instr::Kind::Out) return operand;
    return operand.empty() ? mnemonic : mnemonic + " " + operand;
}

}  // namespace rs::ladder
