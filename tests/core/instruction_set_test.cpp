#include "core/instruction_set.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace rs {
namespace {

TEST(InstructionClassifier, FunctionNumbersDependOnModeOnlyForRenumberedInstructions) {
    EXPECT_EQ(classifyInstruction("CMP", SelFunctionNumber, false), 10);
    EXPECT_EQ(classifyInstruction("CMP", SelFunctionNumber, true), 9216);
    EXPECT_EQ(classifyInstruction("SET", SelFunctionNumber, false), 503);
    EXPECT_EQ(classifyInstruction("SET", SelFunctionNumber, true), 503);
    EXPECT_EQ(classifyInstruction("ROL", SelFunctionNumber, true), 19968);
    EXPECT_EQ(classifyInstruction("SMOV", SelFunctionNumber, true), 13);
}

TEST(InstructionClassifier, EveryRenumberedEntryFollowsTheModeTwoRule) {
    const std::set<std::string> renumbered{"CMP", "ZCP", "MOV", "BMOV", "ADD", "SUB",
                                           "MUL", "DIV", "INC", "DEC",  "ROR", "ROL"};
    const std::map<std::string, int> mode2Numbers{{"CMP", 9216},   {"ZCP", 9728},  {"MOV", 10240},
                                                  {"BMOV", 11776}, {"ADD", 14336}, {"SUB", 14848},
                                                  {"MUL", 15360},  {"DIV", 15872}, {"INC", 16384},
                                                  {"DEC", 16896},  {"ROR", 19456}, {"ROL", 19968}};
    int seen = 0;
    for (auto* e = instructionTableBegin(); e != instructionTableEnd(); ++e) {
        const std::string m(e->mnemonic);
        const int32_t m1 = classifyInstruction(m, SelFunctionNumber, false);
        const int32_t m2 = classifyInstruction(m, SelFunctionNumber, true);
        if (renumbered.count(m)) {
            ++seen;
            EXPECT_EQ(m2, (2 * m1 + 16) * 256) << m;
            EXPECT_EQ(m2, mode2Numbers.at(m)) << m;
        } else {
            EXPECT_EQ(m1, m2) << m;
        }
    }
    EXPECT_EQ(seen, 12);
}

TEST(InstructionClassifier, OperandClassWordsMatchThePackedTable) {
    const std::map<std::string, int32_t> words{{"CJ", 32 | (1 << 30)},
                                               {"CALL", 32 | (1 << 30)},
                                               {"SET", 2},
                                               {"RST", 2},
                                               {"PRR", 540},
                                               {"MOV", 540},
                                               {"CML", 540},
                                               {"PRW", 1820},
                                               {"FOR", 28},
                                               {"CMP", 10012},
                                               {"ZCP", 640796},
                                               {"SMOV", 270599180},
                                               {"BMOV", 98828},
                                               {"ADD", 34588},
                                               {"SUB", 34588},
                                               {"MUL", 34588},
                                               {"DIV", 34588},
                                               {"INC", 8},
                                               {"DEC", 8},
                                               {"OUT", 1544},
                                               {"RS", 6391320},
                                               {"ROR", 1032},
                                               {"ROL", 1032}};
    for (auto* e = instructionTableBegin(); e != instructionTableEnd(); ++e) {
        const std::string m(e->mnemonic);
        auto it = words.find(m);
        EXPECT_EQ(classifyInstruction(m, SelOperandClasses, true),
                  it == words.end() ? 0 : it->second)
            << m;
    }
}

TEST(InstructionClassifier, UnknownAndLowerCaseMnemonicsAreNotFound) {
    for (const char* m : {"cmp", "", "NOP", "Mov", "LD"}) {
        EXPECT_EQ(classifyInstruction(m, SelFunctionNumber, true), kUnknownFunction) << m;
        EXPECT_EQ(classifyInstruction(m, SelStepCount, true), 0) << m;
        EXPECT_EQ(classifyInstruction(m, SelOperandCount, true), 0) << m;
    }
    EXPECT_EQ(classifyInstruction("END", SelFunctionNumber, true), 0);
    EXPECT_EQ(classifyInstruction("END", SelStepCount, true), 0);
    EXPECT_EQ(classifyInstruction("MOV", 4, true), 0);
    EXPECT_EQ(classifyInstruction("MOV", -1, true), 0);
}

TEST(RowClassifier, SequenceInstructionsCountOneStepAndOutIsOneOfThem) {
    EXPECT_EQ(classifyRow("ORB", true).functionNumber, 0);
    EXPECT_EQ(classifyRow("ORB", true).stepCount, 1);
    EXPECT_EQ(classifyRow("OUT", true).functionNumber, 0);
    EXPECT_EQ(classifyRow("OUT", true).stepCount, 1);
    EXPECT_EQ(classifyInstruction("OUT", SelFunctionNumber, true), 255);
    EXPECT_EQ(classifyInstruction("OUT", SelStepCount, true), 3);
    EXPECT_EQ(classifyRow("MOV", false).functionNumber, 12);
    EXPECT_EQ(classifyRow("MOV", false).stepCount, 5);
    EXPECT_EQ(classifyRow("XYZ", false).functionNumber, 255);
}

TEST(InstructionClassifier, OperandCountsSizeInstructionBoxes) {
    EXPECT_EQ(classifyInstruction("ZCP", SelOperandCount, true), 4);
    EXPECT_EQ(classifyInstruction("SMOV", SelOperandCount, true), 5);
    EXPECT_EQ(classifyInstruction("FEND", SelOperandCount, true), 0);
}

}  // namespace
}  // namespace rs
