#include "sim/program.h"

#include <map>
#include <string_view>

#include "core/instructions/instruction.h"
#include "core/program/typed_row.h"

namespace rs::sim {

namespace {

bool isApplication(Op op) {
    return op >= Op::Mov;
}

// The instruction of a mnemonic the engine reads by its operand forms.
const instr::Instruction* find(std::string_view m) {
    const instr::Instruction* i = instr::find(m);
    return i != nullptr && i->kind != instr::Kind::Label ? i : nullptr;
}

bool isBitDeviceLetter(char c) {
    return c == 'X' || c == 'Y' || c == 'M' || c == 'S';
}

// Parses the word for one form; the problem says why it does not fit.
std::optional<Operand> parseForm(char form, const TypedRow& row, size_t k, std::string& problem) {
    using K = Operand::Kind;
    const std::string& word = row.words[k];
    const bool asWord = form == 's' || form == 'w' || (form == 'z' && !isBitDeviceLetter(word[0]));
    auto op = parseOperand(word, row.operands[k], asWord, problem);
    if (!op) return std::nullopt;
    const bool fits = (form == 'b' && op->kind == K::Bit) ||
                      (form == 's' && op->kind != K::Bit && op->kind != K::Label) ||
                      (form == 'w' && (op->kind == K::Word || op->kind == K::Group)) ||
                      (form == 'l' && op->kind == K::Label) ||
                      (form == 'z' && (op->kind == K::Bit || op->kind == K::Word));
    if (!fits) {
        problem = word + " does not fit here";
        return std::nullopt;
    }
    return op;
}

// OUT and RST of a timer or counter keep its current value in operand 0, its
// contact in operand 2 and (OUT) the set value in operand 1.
bool loadTimerOrCounter(Instruction& in, const TypedRow& row, std::string& problem) {
    const std::vector<std::string>& w = row.words;
    const bool out = in.op == Op::Out;
    if (w.size() != (out ? 2u : 1u)) {
        problem = out ? "OUT of a timer or counter takes the device and its set value"
                      : "RST takes one device";
        return false;
    }
    auto value = parseOperand(w[0], row.operands[0], true, problem);
    auto contact = value ? parseOperand(w[0], row.operands[0], false, problem) : std::nullopt;
    if (!contact) return false;
    in.operands[0] = *value;
    in.operands[2] = *contact;
    if (out) {
        auto set = parseForm('s', row, 1, problem);
        if (!set || set->kind == Operand::Kind::Group) {
            if (set) problem = "the set value is a constant or a word device";
            return false;
        }
        in.operands[1] = *set;
        in.op = w[0][0] == 'T' ? Op::OutTimer : Op::OutCounter;
    }
    return true;
}

bool loadRow(const TypedRow& row, Instruction& in, std::string& problem) {
    const std::vector<std::string>& w = row.words;
    if (row.is(instr::Kind::Label)) {
        if (w.size() != 1 || (w[0][0] != 'P' && w[0][0] != 'I')) {
            problem = "a label row holds one P or I label";
            return false;
        }
        auto label = parseOperand(w[0], row.operands[0], false, problem);
        if (!label) return false;
        in.op = Op::Label;
        in.operands[0] = *label;
        return true;
    }
    const instr::Instruction* e = row.instruction;
    if (e && e->engineOp == Op::NoOutput) {
        in.op = Op::NoOutput;
        return true;
    }
    std::string_view forms;
    if (e && (e->engineOp == Op::Out || e->engineOp == Op::Rst)) {
        in.op = e->engineOp;
        if (!w.empty() && (w[0][0] == 'T' || w[0][0] == 'C'))
            return loadTimerOrCounter(in, row, problem);
        forms = in.op == Op::Rst && !w.empty() && !isBitDeviceLetter(w[0][0]) ? "w" : "b";
        if (in.op == Op::Rst && forms == "w" &&
            (w[0][0] != 'D' && w[0][0] != 'V' && w[0][0] != 'Z')) {
            problem = w[0] + " cannot be reset";
            return false;
        }
    } else {
        std::string_view m = row.mnemonic;
        if (!e && m.size() > 1 && m.back() == 'P') {
            e = find(m.substr(0, m.size() - 1));
            if (e && !isApplication(e->engineOp)) e = nullptr;
            in.pulse = e != nullptr;
        }
        if (!e) {
            problem = row.mnemonic + " is not simulated";
            return false;
        }
        in.op = e->engineOp;
        forms = e->engineForms;
    }
    if (w.size() != forms.size()) {
        problem = row.mnemonic + " takes " + std::to_string(forms.size()) + " operand" +
                  (forms.size() == 1 ? "" : "s");
        return false;
    }
    for (size_t i = 0; i < forms.size(); ++i) {
        auto op = parseForm(forms[i], row, i, problem);
        if (!op) return false;
        in.operands[i] = *op;
    }
    // The result bits after CMP's and ZCP's first one, the word after a
    // product's or quotient's destination.
    const auto follow = [&](size_t from, size_t count, size_t to) {
        for (size_t k = 1; k <= count; ++k) {
            auto next = nextOperand(in.operands[from], static_cast<int>(k));
            if (!next) {
                problem = w[from] + " has no device after it";
                return false;
            }
            in.operands[to + k - 1] = *next;
        }
        return true;
    };
    if (in.op == Op::Cmp && !follow(2, 2, 3)) return false;
    if (in.op == Op::Zcp && !follow(3, 2, 4)) return false;
    if ((in.op == Op::Mul || in.op == Op::Div) && !follow(2, 1, 3)) return false;
    if (in.op == Op::Zrst) {
        const Operand &a = in.operands[0], &b = in.operands[1];
        if (a.kind != b.kind || a.letter != b.letter || a.number > b.number) {
            problem = "ZRST takes the first and last device of one kind, in order";
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Program> loadProgram(const std::vector<eval::ListRow>& rows, LoadError& error) {
    Program p;
    p.text = rows;
    p.rows.resize(rows.size());
    std::map<int, int> labels;  // P number to its row
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string problem;
        Instruction& in = p.rows[i];
        if (!loadRow(typeRow(rows[i].mnemonic, rows[i].operand), in, problem)) {
            error = {static_cast<int>(i), rowName(p, static_cast<int>(i)) + ": " + problem};
            return std::nullopt;
        }
        if (in.op == Op::Label && in.operands[0].letter == 'P' &&
            !labels.emplace(in.operands[0].number, static_cast<int>(i)).second) {
            error = {static_cast<int>(i), rowName(p, static_cast<int>(i)) + ": label P" +
                                              std::to_string(in.operands[0].number) +
                                              " is given twice"};
            return std::nullopt;
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        Instruction& in = p.rows[i];
        if (in.op != Op::Cj && in.op != Op::Call) continue;
        const Operand& l = in.operands[0];
        const auto at = labels.find(l.number);
        if (l.letter != 'P' || at == labels.end()) {
            error = {static_cast<int>(i), rowName(p, static_cast<int>(i)) + ": no label " +
                                              std::string(1, l.letter) + std::to_string(l.number)};
            return std::nullopt;
        }
        in.target = at->second;
    }
    return p;
}

std::string rowName(const Program& program, int row) {
    std::string text;
    if (row >= 0 && row < static_cast<int>(program.text.size())) {
        const eval::ListRow& r = program.text[static_cast<size_t>(row)];
        text = r.mnemonic.empty() ? r.operand : r.mnemonic;
        if (!r.mnemonic.empty())
            for (const std::string& w : splitWords(r.operand)) text += " " + w;
    }
    return "row " + std::to_string(row) + (text.empty() ? "" : " (" + text + ")");
}

bool startsRung(const Program& program, int row) {
    if (row <= 0) return true;
    if (row >= static_cast<int>(program.rows.size())) return false;
    switch (program.rows[static_cast<size_t>(row)].op) {
        case Op::Label:
        case Op::For:
        case Op::Next:
        case Op::Sret:
        case Op::Fend:
        case Op::End:
            return true;
        case Op::Ld:
        case Op::Ldi:
        case Op::Ldp:
        case Op::Ldf: {
            const Op before = program.rows[static_cast<size_t>(row) - 1].op;
            return !isContact(before) && before > Op::Mpp;
        }
        default:
            return false;
    }
}

}  // namespace rs::sim
