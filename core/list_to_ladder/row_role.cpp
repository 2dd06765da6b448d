#include "core/list_to_ladder/row_role.h"

#include <string_view>

#include "core/cell.h"

namespace rs::ladder {

namespace {

struct ContactMnemonic {
    std::string_view mnemonic;
    RowRole role;
    int32_t kind;
};

constexpr ContactMnemonic kContacts[] = {
    {"LD", RowRole::Load, OpenContact},  {"LDI", RowRole::Load, CloseContact},
    {"LDP", RowRole::Load, RisingPulse}, {"LDF", RowRole::Load, FallingPulse},
    {"AND", RowRole::And, OpenContact},  {"ANI", RowRole::And, CloseContact},
    {"ANDP", RowRole::And, RisingPulse}, {"ANDF", RowRole::And, FallingPulse},
    {"OR", RowRole::Or, OpenContact},    {"ORI", RowRole::Or, CloseContact},
    {"ORP", RowRole::Or, RisingPulse},   {"ORF", RowRole::Or, FallingPulse},
};

}  // namespace

RowInfo classifyListRow(const std::string& mnemonic, const std::string& operand) {
    if (mnemonic.empty()) return {operand.empty() ? RowRole::End : RowRole::Label, Empty};
    for (const auto& c : kContacts)
        if (c.mnemonic == mnemonic) return {c.role, c.kind};
    if (mnemonic == "ANB") return {RowRole::Anb, Empty};
    if (mnemonic == "ORB") return {RowRole::Orb, Empty};
    if (mnemonic == "MPS") return {RowRole::Mps, Empty};
    if (mnemonic == "MRD") return {RowRole::Mrd, Empty};
    if (mnemonic == "MPP") return {RowRole::Mpp, Empty};
    if (mnemonic == "END") return {RowRole::End, Empty};
    if (mnemonic == "OUT") return {RowRole::Output, Coil};
    return {RowRole::Output, AppInstruction};
}

std::string outputCellText(const std::string& mnemonic, const std::string& operand) {
    if (mnemonic == "OUT") return operand;
    return operand.empty() ? mnemonic : mnemonic + " " + operand;
}

}  // namespace rs::ladder
