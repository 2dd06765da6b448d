#include "editor/instruction_catalogue.h"

#include <algorithm>

#include "core/char_class.h"
#include "core/instructions/instruction.h"

namespace rs {

namespace {

template <typename Pred>
std::vector<const CatalogueEntry*> select(Pred pred) {
    std::vector<const CatalogueEntry*> out;
    for (const CatalogueEntry& e : instructionCatalogue())
        if (pred(e)) out.push_back(&e);
    return out;
}

}  // namespace

const std::vector<CatalogueEntry>& instructionCatalogue() {
    static const std::vector<CatalogueEntry> entries = [] {
        std::vector<CatalogueEntry> out;
        for (const instr::Instruction& i : instr::instructions())
            if (!i.help.type.empty())
                out.push_back({i.mnemonic, i.help.type, i.help.operands, i.help.summary});
        return out;
    }();
    return entries;
}

// The types in the order their first instruction comes in the help.
const std::vector<std::string_view>& instructionTypes() {
    static const std::vector<std::string_view> types = [] {
        std::vector<std::string_view> out;
        for (const CatalogueEntry& e : instructionCatalogue())
            if (std::find(out.begin(), out.end(), e.type) == out.end()) out.push_back(e.type);
        return out;
    }();
    return types;
}

std::vector<const CatalogueEntry*> entriesOfType(std::string_view type) {
    return select([&](const CatalogueEntry& e) { return e.type == type; });
}

std::vector<const CatalogueEntry*> forwardMatch(const std::string& text) {
    const std::string key = upperText(text);
    return select([&](const CatalogueEntry& e) { return e.mnemonic.starts_with(key); });
}

std::vector<const CatalogueEntry*> partialMatch(const std::string& text) {
    const std::string key = upperText(text);
    return select(
        [&](const CatalogueEntry& e) { return e.mnemonic.find(key) != std::string_view::npos; });
}

std::string catalogueLine(const CatalogueEntry& entry) {
    std::string line(entry.mnemonic);
    line.append(6 - std::min<size_t>(entry.mnemonic.size(), 5), ' ');
    line += entry.operands;
    line += "  -  ";
    line += entry.summary;
    return line;
}

}  // namespace rs
