#include "core/list_to_ladder/row_role.h"

#include <iterator>

#include "core/cell.h"
#include "core/instructions/instruction.h"

namespace rs::ladder {

namespace {

// The role of each instruction kind, in the order of instr::Kind: SET, RST,
// flow and application rows stand in the output column as boxes.
constexpr RowRole kRoleOfKind[] = {RowRole::Load,   RowRole::And,    RowRole::Or,     RowRole::Anb,
                                   RowRole::Orb,    RowRole::Mps,    RowRole::Mrd,    RowRole::Mpp,
                                   RowRole::Output, RowRole::Output, RowRole::Output, RowRole::End,
                                   RowRole::Output, RowRole::Output, RowRole::Label};
static_assert(std::size(kRoleOfKind) == static_cast<size_t>(instr::Kind::Label) + 1);

}  // namespace

RowInfo classifyListRow(const std::string& mnemonic, const std::string& operand) {
    const instr::Instruction* i = instr::find(mnemonic);
    if (i == nullptr) return {RowRole::Output, AppInstruction};
    if (i->kind == instr::Kind::Label && operand.empty()) return {RowRole::End, Empty};
    const RowRole role = kRoleOfKind[static_cast<size_t>(i->kind)];
    if (i->isContact()) return {role, instr::contactCellKind(*i)};
    if (role != RowRole::Output) return {role, Empty};
    return {role, i->kind == instr::Kind::Out ? Coil : AppInstruction};
}

std::string outputCellText(const std::string& mnemonic, const std::string& operand) {
    const instr::Instruction* i = instr::find(mnemonic);
    if (i && i->kind == instr::Kind::Out) return operand;
    return operand.empty() ? mnemonic : mnemonic + " " + operand;
}

}  // namespace rs::ladder
