#include "core/line_check.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/address.h"
#include "core/char_class.h"
#include "core/instruction_set.h"
#include "core/instructions/instruction.h"
#include "core/messages.h"
#include "core/program/typed_row.h"

namespace rs {

namespace {

bool oneOf(std::string_view m, std::initializer_list<std::string_view> set) {
    for (auto s : set)
        if (s == m) return true;
    return false;
}

int countLetters(const std::string& w) {
    int n = 0;
    for (char c : w) n += isLetter(c) ? 1 : 0;
    return n;
}

// The class bit of a one-letter operand word, by its first letter; 0 when the
// letter names no operand.
int32_t classOfLetter(char c) {
    switch (c) {
        case 'P':
        case 'N':
        case 'I':
            return ClassPointer;
        case 'X':
            return ClassInputBit;
        case 'Y':
        case 'M':
        case 'S':
            return ClassOutputBit;
        case 'K':
        case 'H':
            return ClassConstant;
        case 'T':
        case 'C':
        case 'D':
        case 'V':
        case 'Z':
            return ClassWord;
        default:
            return 0;
    }
}

}  // namespace

bool isSupportedLineMnemonic(const std::string& mnemonic) {
    return instr::inSet(mnemonic, instr::LineEntry);
}

ParsedLine parseLine(const std::string& line) {
    ParsedLine out;
    size_t i = 0;
    while (i < line.size() && !isLetter(line[i])) ++i;
    size_t j = i;
    while (j < line.size() && !isBlank(line[j])) ++j;
    out.mnemonic = line.substr(i, j - i);
    while (j < line.size() && isBlank(line[j])) ++j;
    size_t end = line.size();
    while (end > j && isBlank(line[end - 1])) --end;
    out.operand = line.substr(j, end - j);
    if (out.mnemonic.size() > 1 && out.mnemonic.back() == ':' && out.operand.empty()) {
        out.operand = out.mnemonic.substr(0, out.mnemonic.size() - 1);
        out.mnemonic.clear();
    }
    return out;
}

bool LineChecker::refuse() {
    msg::refuse(m_s.sink, msg::kDeviceSettingWrong);
    return false;
}

bool LineChecker::rangeQuiet(const std::string& device) const {
    return m_s.ranges.accepts(device, m_s.mode2());
}

bool LineChecker::rangeCheck(const std::string& device) {
    return rangeQuiet(device) || refuse();
}

void LineChecker::reportUnsupported(const std::string& mnemonic, const ReportPlace& place) {
    if (m_s.view.m_nUnsupportedErrors != 0) return;
    ++m_s.view.m_nUnsupportedErrors;
    m_s.view.highlight = Highlight{true, place.inList, place.row, place.col};
    if (!place.inList) {
        m_s.grid().m_nCursorRow = place.row;
        m_s.grid().m_nCursorCol = place.col;
    }
    const bool mode2Only = instr::refusedInMode(mnemonic, true);
    msg::refuse(m_s.sink,
                mode2Only ? msg::mode2NotSupported(mnemonic) : msg::notSupported(mnemonic));
}

bool LineChecker::validate(const std::string& m, const std::string& o, const ReportPlace& place) {
    // Texts past the limits of a line are refused before anything reads them.
    if (m.size() > static_cast<size_t>(kMaxWordLength)) return refuse();
    const TypedRow row = typeRow(m, o);
    if (row.words.size() > static_cast<size_t>(kMaxOperandWords)) return refuse();
    for (const auto& w : row.words)
        if (w.size() > static_cast<size_t>(kMaxWordLength)) return refuse();

    const instr::Instruction* in = row.instruction;
    if (in && (in->isContact() || in->kind == instr::Kind::Out)) return simpleOperand(row);
    if (in && (in->isBlockOrStack() || in->kind == instr::Kind::End)) return o.empty() || refuse();
    if (row.is(instr::Kind::Set) || row.is(instr::Kind::Rst)) return setOrReset(row);
    if (row.is(instr::Kind::Label)) {
        if (o.empty() || (o[0] != 'P' && o[0] != 'I')) return refuse();
        return row.words.size() == 1 && rangeCheck(o);
    }
    if (!in || !in->in(instr::LineEntry) || !in->acceptedIn(m_s.mode2())) {
        reportUnsupported(m, place);
        return false;
    }
    return applicationOperands(row);
}

bool LineChecker::simpleOperand(const TypedRow& row) {
    const std::string& o = row.operand;
    const std::vector<std::string>& words = row.words;
    const bool out = row.is(instr::Kind::Out);
    if (out && !o.empty() && (o[0] == 'T' || o[0] == 'C')) {
        if (words.size() != 2) return refuse();
        const char set = words[1][0];
        if (set != 'D' && set != 'K' && set != 'H') return refuse();
        return rangeCheck(words[0]) && rangeCheck(words[1]);
    }
    if (words.size() != 1 || words[0] != o) return refuse();
    for (size_t i = 1; i < o.size(); ++i)
        if (isLetter(o[i])) return refuse();
    if (!rangeCheck(o)) return false;
    if (!oneOf(std::string_view(o).substr(0, 1), {"S", "M", "X", "Y", "T", "C"})) return refuse();
    if (out && o[0] == 'X') return refuse();
    return true;
}

bool LineChecker::setOrReset(const TypedRow& row) {
    const std::string& o = row.operand;
    if (row.words.size() != 1 || row.words[0] != o) return refuse();
    if (!rangeCheck(o)) return false;
    const char c = o[0];
    if (row.is(instr::Kind::Set)) return c == 'Y' || c == 'M' || c == 'S' || refuse();
    const bool ok =
        c == 'Y' || c == 'M' || c == 'S' || c == 'T' || c == 'C' || (c == 'D' && m_s.mode2());
    return ok || refuse();
}

bool LineChecker::applicationOperands(const TypedRow& row) {
    const std::string& m = row.mnemonic;
    if (classifyInstruction(m, SelFunctionNumber, m_s.mode2()) == kUnknownFunction) return refuse();
    const std::vector<std::string>& words = row.words;
    const int32_t demanded = row.instruction->classes;
    const auto operandCount = static_cast<size_t>(row.instruction->operands);
    // Words beyond the instruction's operands would reach the controller code.
    if (words.size() > operandCount) return refuse();

    std::array<int32_t, kMaxOperandWords> found{};
    for (size_t k = 0; k < words.size(); ++k) {
        const std::string& w = words[k];
        const int letters = countLetters(w);
        if (letters == 0) continue;
        if (letters == 1) {
            for (char c : w)
                if (!isLetter(c) && !isDigit(c)) return refuse();
            if (!rangeCheck(w)) return false;
            const int32_t cls = classOfLetter(w[0]);
            if (cls == 0) return refuse();
            if (m == "BMOV" && k == 2 && (w[0] == 'T' || w[0] == 'C')) return refuse();
            found[k] = cls;
            continue;
        }
        if (letters > 3) return refuse();
        // A digit-designated group such as K4M0: every part is range checked first.
        for (size_t i = 0; i < w.size();) {
            size_t j = i + 1;
            while (j < w.size() && !isLetter(w[j])) ++j;
            if (!rangeCheck(w.substr(i, j - i))) return false;
            i = j;
        }
        if (w[0] == 'K') {
            const int maxDigit = m_s.view.m_nDataWidth == 32 ? 8 : 4;
            if (w.size() < 3 || !isDigit(w[1]) || w[1] < '1' || w[1] - '0' > maxDigit)
                return refuse();
            const char group = w[2];
            if (group == 'X' || group == 'Y' || group == 'M' || group == 'S' || group == ' ')
                return refuse();
            found[k] = ClassConstant;
        } else if (w[0] == 'X') {
            found[k] = ClassInputBit;
        } else if (w[0] == 'Y' || w[0] == 'M' || w[0] == 'S') {
            found[k] = ClassOutputBit;
        } else if (w[0] == 'D' || w[0] == 'T' || w[0] == 'C') {
            found[k] = ClassConstant;
        }
    }
    for (int k = 0; k < kMaxOperandWords; ++k) {
        const int32_t a = operandClassField(demanded, k);
        const int32_t f = found[k];
        if ((a & f) != 0) continue;
        if (a == 0 && f == 0) continue;
        if (a == 0) return true;
        return refuse();
    }
    return true;
}

bool applyLine(Session& s, const std::string& line, int r, const ReportPlace& place) {
    if (r < 0 || r >= kListRows) return false;
    ParsedLine p = parseLine(line);
    const RowClass rc = classifyRow(p.mnemonic, s.mode2());
    p.operand = completeXYAddresses(p.operand);
    LineChecker checker(s);
    if (!checker.validate(p.mnemonic, p.operand, place)) return false;
    return store::applyRow(s.table(), s.view.records, r, p.mnemonic, p.operand, rc.functionNumber,
                           rc.stepCount);
}

}  // namespace rs
