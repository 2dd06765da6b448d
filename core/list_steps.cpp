#include "core/list_steps.h"

#include <algorithm>
#include <string>

#include "core/instructions/instruction.h"

namespace rs {

namespace {

bool isSetOrReset(const std::string& m) {
    const instr::Instruction* i = instr::find(m);
    return i != nullptr && (i->kind == instr::Kind::Set || i->kind == instr::Kind::Rst);
}

bool isBlockOrStack(const std::string& m) {
    const instr::Instruction* i = instr::find(m);
    return i != nullptr && i->isBlockOrStack();
}

bool isCoil(const std::string& m) {
    const instr::Instruction* i = instr::find(m);
    return i != nullptr && i->kind == instr::Kind::Out;
}

int64_t countOf(const std::string& text, size_t limit, std::initializer_list<char> letters) {
    int64_t n = 0;
    for (size_t i = 0; i < std::min(limit, text.size()); ++i)
        n += std::find(letters.begin(), letters.end(), text[i]) != letters.end() ? 1 : 0;
    return n;
}

// Steps that row r adds in front of the next line.
int64_t stepsAfter(const InstructionTable& t, int r) {
    const std::string& operand = t.m_Parameter[r];
    int64_t steps = t.m_FunStep[r] + countOf(operand, operand.size(), {'K', 'H'});
    if (isCoil(t.m_Instruction[r])) {
        const int64_t perTimer = 2 * countOf(operand, 20, {'K', 'H'}) + countOf(operand, 20, {'D'});
        steps += countOf(operand, operand.size(), {'C', 'T'}) * perTimer;
    }
    return steps;
}

}  // namespace

int listLineCount(const InstructionTable& table, size_t recordCount) {
    const int limit = static_cast<int>(std::min<size_t>(recordCount, kListRows));
    int k = 0;
    while (k < limit && table.rowUsed(k)) ++k;
    return k;
}

std::vector<int64_t> listStepNumbers(const InstructionTable& table, size_t recordCount) {
    const int lines = listLineCount(table, recordCount);
    std::vector<int64_t> shown;
    shown.reserve(static_cast<size_t>(lines));
    int64_t step = 0;  // S of the drawing
    int64_t prev = 0;  // P: the number of the previous line
    for (int k = 0; k < lines; ++k) {
        const std::string& m = table.m_Instruction[k];
        if (k > 0 && !isSetOrReset(m)) step = prev + stepsAfter(table, k - 1);
        prev = step;
        if (isBlockOrStack(m)) {
            step += 1;
            prev = step;
        } else if (isSetOrReset(m)) {
            step += 2;
            prev = step;
        }
        shown.push_back(isBlockOrStack(m) || isSetOrReset(m) ? step - 1 : step);
    }
    return shown;
}

}  // namespace rs
