#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rs {

// What the "Instruction help" dialog shows of an instruction the editor accepts.
struct CatalogueEntry {
    std::string_view mnemonic;
    std::string_view type;      // one of instructionTypes()
    std::string_view operands;  // the operand form an engineer types
    std::string_view summary;
};

// Every instruction a cell or a list line may hold, in the order of the help.
const std::vector<CatalogueEntry>& instructionCatalogue();

// The instruction types, in the order of the help's type list.
const std::vector<std::string_view>& instructionTypes();

// Entries of one type.
std::vector<const CatalogueEntry*> entriesOfType(std::string_view type);

// Entries whose mnemonic starts with the text ("Forward match") or contains it
// ("Partial match"), letters compared without regard to case. An empty text
// matches every entry.
std::vector<const CatalogueEntry*> forwardMatch(const std::string& text);
std::vector<const CatalogueEntry*> partialMatch(const std::string& text);

// One line of the help: mnemonic, operands and summary.
std::string catalogueLine(const CatalogueEntry& entry);

}  // namespace rs
