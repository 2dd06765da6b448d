#include <array>
#include <vector>

#include "core/cell.h"
#include "core/instructions/instruction.h"

namespace rs::instr {

namespace {

// The instructions by the first character of their mnemonic (the label row
// under 0), so that a lookup compares a handful of names: every cell text and
// list row of a scan, a Convert or a download is looked up.
using Buckets = std::array<std::vector<const Instruction*>, 256>;

const Buckets& buckets() {
    static const Buckets index = [] {
        Buckets b;
        for (const Instruction& i : instructions())
            b[i.mnemonic.empty() ? 0 : static_cast<unsigned char>(i.mnemonic[0])].push_back(&i);
        return b;
    }();
    return index;
}

}  // namespace

const Instruction* find(std::string_view mnemonic) {
    const auto& bucket = buckets()[mnemonic.empty() ? 0 : static_cast<unsigned char>(mnemonic[0])];
    for (const Instruction* i : bucket)
        if (i->mnemonic == mnemonic) return i;
    return nullptr;
}

bool inSet(std::string_view mnemonic, Membership set) {
    const Instruction* i = find(mnemonic);
    return i != nullptr && i->in(set);
}

bool refusedInMode(std::string_view mnemonic, bool mode2) {
    const Instruction* i = find(mnemonic);
    return i != nullptr && !i->acceptedIn(mode2);
}

int32_t contactCellKind(const Instruction& contact) {
    switch (contact.edge) {
        case Edge::Rising:
            return RisingPulse;
        case Edge::Falling:
            return FallingPulse;
        case Edge::None:
            break;
    }
    return contact.polarity == Polarity::Closed ? CloseContact : OpenContact;
}

const Instruction* contactOfCell(Kind role, int32_t cellKind) {
    if (!isSerialContactKind(cellKind)) return nullptr;
    for (const Instruction& i : instructions())
        if (i.kind == role && i.isContact() && contactCellKind(i) == cellKind) return &i;
    return nullptr;
}

const Instruction* byMode1Code(uint32_t code) {
    if (code == kNoCode) return nullptr;
    for (const Instruction& i : instructions())
        if (i.mode1Code == code) return &i;
    return nullptr;
}

const Instruction* byFunctionMode1(int32_t number) {
    for (const Instruction& i : instructions())
        if (i.in(InClassifier) && i.functionMode1 == number) return &i;
    return nullptr;
}

}  // namespace rs::instr
