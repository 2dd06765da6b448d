#include "core/program/typed_row.h"

#include <utility>

#include "core/char_class.h"

namespace rs {

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        size_t j = i;
        while (j < text.size() && !isBlank(text[j])) ++j;
        if (j > i) words.push_back(text.substr(i, j - i));
        i = j;
    }
    return words;
}

std::optional<device::DeviceRef> readOperandWord(std::string_view word) {
    if (word.empty()) return std::nullopt;
    if (device::hasGroupShape(word)) return device::parseGroup(word, device::kStrictSyntax);
    if (word[0] == 'K' || word[0] == 'H') return device::parseConstant(word);
    return device::parseDevice(word, device::kStrictSyntax);
}

TypedRow typeRow(std::string mnemonic, std::string operand) {
    TypedRow row;
    row.instruction = instr::find(mnemonic);
    row.words = splitWords(operand);
    for (const std::string& w : row.words) row.operands.push_back(readOperandWord(w));
    row.mnemonic = std::move(mnemonic);
    row.operand = std::move(operand);
    return row;
}

bool namesDataRegister(const TypedRow& row) {
    for (const auto& ref : row.operands)
        if (ref && ref->kind != device::DeviceRef::Kind::Constant && ref->letter == 'D')
            return true;
    return false;
}

}  // namespace rs
