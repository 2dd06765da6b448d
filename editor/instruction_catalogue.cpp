#include "editor/instruction_catalogue.h"

#include <algorithm>
#include <cctype>

namespace rs {

namespace {

constexpr std::string_view kContact = "Contacts";
constexpr std::string_view kOutput = "Outputs";
constexpr std::string_view kBlock = "Blocks and branches";
constexpr std::string_view kCompare = "Comparison";
constexpr std::string_view kTransfer = "Transfer";
constexpr std::string_view kArithmetic = "Arithmetic";
constexpr std::string_view kRotation = "Rotation";
constexpr std::string_view kAccess = "Controller parameters";
constexpr std::string_view kEnd = "Program end";

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

template <typename Pred>
std::vector<const CatalogueEntry*> select(Pred pred) {
    std::vector<const CatalogueEntry*> out;
    for (const CatalogueEntry& e : instructionCatalogue())
        if (pred(e)) out.push_back(&e);
    return out;
}

}  // namespace

const std::vector<CatalogueEntry>& instructionCatalogue() {
    static const std::vector<CatalogueEntry> entries{
        {"LD", kContact, "X Y M S T C", "Start a rung with a normally open contact"},
        {"LDI", kContact, "X Y M S T C", "Start a rung with a normally closed contact"},
        {"LDP", kContact, "X Y M S T C", "Start a rung with a rising-edge contact"},
        {"LDF", kContact, "X Y M S T C", "Start a rung with a falling-edge contact"},
        {"AND", kContact, "X Y M S T C", "Normally open contact in series"},
        {"ANI", kContact, "X Y M S T C", "Normally closed contact in series"},
        {"ANDP", kContact, "X Y M S T C", "Rising-edge contact in series"},
        {"ANDF", kContact, "X Y M S T C", "Falling-edge contact in series"},
        {"OR", kContact, "X Y M S T C", "Normally open contact in parallel"},
        {"ORI", kContact, "X Y M S T C", "Normally closed contact in parallel"},
        {"ORP", kContact, "X Y M S T C", "Rising-edge contact in parallel"},
        {"ORF", kContact, "X Y M S T C", "Falling-edge contact in parallel"},
        {"OUT", kOutput, "Y M S, or T C with K H D (OUT T0 K10)",
         "Coil; a timer or counter takes its set value"},
        {"SET", kOutput, "Y M S", "Set a bit and keep it on"},
        {"RST", kOutput, "Y M S T C (D in mode 2)", "Reset a bit, timer, counter or register"},
        {"ANB", kBlock, "none", "Connect two blocks in series"},
        {"ORB", kBlock, "none", "Connect two blocks in parallel"},
        {"MPS", kBlock, "none", "Store the operation result (output branch)"},
        {"MRD", kBlock, "none", "Read the stored result"},
        {"MPP", kBlock, "none", "Read and release the stored result"},
        {"CMP", kCompare, "S1 S2 D: K H T C D, K H T C D, Y M S",
         "Compare S1 with S2; D, D+1, D+2 show less, equal, greater"},
        {"ZCP", kCompare, "S1 S2 S D: K H T C D (three), Y M S",
         "Compare S with the zone S1 to S2; D, D+1, D+2 show below, inside, above"},
        {"MOV", kTransfer, "S D: K H T C D, T C D", "Move S to D"},
        {"BMOV", kTransfer, "S D n: T C D, T C D, K H D", "Move n words from S on to D on"},
        {"ADD", kArithmetic, "S1 S2 D: K H T C D, K H T C D, T C D", "D = S1 + S2"},
        {"SUB", kArithmetic, "S1 S2 D: K H T C D, K H T C D, T C D", "D = S1 - S2"},
        {"MUL", kArithmetic, "S1 S2 D: K H T C D, K H T C D, T C D", "D = S1 x S2"},
        {"DIV", kArithmetic, "S1 S2 D: K H T C D, K H T C D, T C D",
         "D = S1 / S2, remainder in D+1"},
        {"INC", kArithmetic, "D: T C D", "D = D + 1"},
        {"DEC", kArithmetic, "D: T C D", "D = D - 1"},
        {"ROR", kRotation, "D n: T C D, K H", "Rotate D right by n bits"},
        {"ROL", kRotation, "D n: T C D, K H", "Rotate D left by n bits"},
        {"PRR", kAccess, "S D: K H T C D, T C D", "Read a controller parameter (mode 1 only)"},
        {"PRW", kAccess, "S1 S2: K H T C D, K H T C D",
         "Write a controller parameter (mode 1 only)"},
        {"END", kEnd, "none", "End of the program"},
    };
    return entries;
}

const std::vector<std::string_view>& instructionTypes() {
    static const std::vector<std::string_view> types{
        kContact, kOutput, kBlock, kCompare, kTransfer, kArithmetic, kRotation, kAccess, kEnd};
    return types;
}

std::vector<const CatalogueEntry*> entriesOfType(std::string_view type) {
    return select([&](const CatalogueEntry& e) { return e.type == type; });
}

std::vector<const CatalogueEntry*> forwardMatch(const std::string& text) {
    const std::string key = upper(text);
    return select([&](const CatalogueEntry& e) { return e.mnemonic.starts_with(key); });
}

std::vector<const CatalogueEntry*> partialMatch(const std::string& text) {
    const std::string key = upper(text);
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
