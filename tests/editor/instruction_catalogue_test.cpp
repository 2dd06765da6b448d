#include "editor/instruction_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "core/line_check.h"

namespace rs {
namespace {

std::vector<std::string> mnemonics(const std::vector<const CatalogueEntry*>& entries) {
    std::vector<std::string> out;
    for (const auto* e : entries) out.emplace_back(e->mnemonic);
    return out;
}

TEST(InstructionCatalogue, HelpListsExactlyTheInstructionsALineMayHold) {
    std::set<std::string> listed;
    for (const auto& e : instructionCatalogue()) {
        EXPECT_TRUE(isSupportedLineMnemonic(std::string(e.mnemonic))) << e.mnemonic;
        EXPECT_TRUE(listed.insert(std::string(e.mnemonic)).second) << e.mnemonic;
        EXPECT_FALSE(entriesOfType(e.type).empty());
    }
    for (const char* m :
         {"LD",  "LDI", "LDP", "LDF", "AND", "ANI", "ANDP", "ANDF", "OR",  "ORI", "ORP", "ORF",
          "OUT", "SET", "RST", "ANB", "ORB", "MPS", "MRD",  "MPP",  "CMP", "ZCP", "MOV", "BMOV",
          "ADD", "SUB", "MUL", "DIV", "INC", "DEC", "ROR",  "ROL",  "PRR", "PRW", "END"})
        EXPECT_TRUE(listed.count(m)) << m;
    size_t typed = 0;
    for (auto type : instructionTypes()) typed += entriesOfType(type).size();
    EXPECT_EQ(typed, instructionCatalogue().size());
}

TEST(InstructionCatalogue, ForwardAndPartialMatch) {
    EXPECT_EQ(mnemonics(forwardMatch("an")),
              (std::vector<std::string>{"AND", "ANI", "ANDP", "ANDF", "ANB"}));
    EXPECT_EQ(mnemonics(partialMatch("OL")), (std::vector<std::string>{"ROL"}));
    EXPECT_EQ(mnemonics(partialMatch("MP")), (std::vector<std::string>{"MPS", "MPP", "CMP"}));
    EXPECT_TRUE(forwardMatch("Q").empty());
    EXPECT_EQ(forwardMatch("").size(), instructionCatalogue().size());
    EXPECT_EQ(catalogueLine(*forwardMatch("MOV")[0]).rfind("MOV   S D:", 0), 0u);
}

}  // namespace
}  // namespace rs
