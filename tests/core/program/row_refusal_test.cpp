#include "core/program/row_refusal.h"

#include <gtest/gtest.h>

namespace rs {
namespace {

struct RefusalCase {
    const char* mnemonic;
    const char* operand;
    bool mode2;
    instr::Membership set;
    RowRefusal expected;
};

TEST(RowRefusal, ReadsTheInstructionAndTheOperandWordsOfTheRow) {
    using enum RowRefusal;
    const RefusalCase cases[] = {
        {"LD", "X000", false, instr::Downloadable, None},
        {"NOP", "", true, instr::Downloadable, Nop},
        {"NOP", "", false, instr::ListToLadder, Nop},
        // A reset of a data register only in mode 2; other resets in both.
        {"RST", "D0", false, instr::Downloadable, DeviceSetting},
        {"RST", "D8000", false, instr::ListToLadder, DeviceSetting},
        {"RST", "D0", true, instr::Downloadable, None},
        {"RST", "M0", false, instr::Downloadable, None},
        {"RST", "C0", false, instr::Downloadable, None},
        // A constant whose digits hold a D names no data register.
        {"RST", "H1D", false, instr::Downloadable, None},
        // Only a reset is checked for its device.
        {"OUT", "D0", false, instr::Downloadable, None},
        {"MOV", "K1 D0", false, instr::Downloadable, None},
        // Unknown, or refused in the mode.
        {"XYZ", "D0", false, instr::Downloadable, Unsupported},
        {"PRR", "K1 D0", true, instr::Downloadable, Unsupported},
        {"PRR", "K1 D0", false, instr::Downloadable, None},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(std::string(c.mnemonic) + " " + c.operand + (c.mode2 ? " mode 2" : " mode 1"));
        EXPECT_EQ(rowRefusal(typeRow(c.mnemonic, c.operand), c.mode2, c.set), c.expected);
    }
}

}  // namespace
}  // namespace rs
