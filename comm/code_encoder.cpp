#include "comm/code_encoder.h"

#include "comm/code_words.h"
#include "core/device/device_ref.h"
#include "core/instruction_set.h"

namespace rs {

namespace {

using Piece = OperandPiece;

// The rows whose words the whole operand gives: contacts, blocks, the point
// stack and END; in mode 2 SET and RST too.
bool isGroupA(const instr::Instruction* i, bool mode2) {
    if (i == nullptr) return false;
    if (i->isContact() || i->isBlockOrStack() || i->kind == instr::Kind::End) return true;
    return mode2 && (i->kind == instr::Kind::Set || i->kind == instr::Kind::Rst);
}

const instr::Instruction* labelRow() {
    static const instr::Instruction* const row = instr::find("");
    return row;
}

}  // namespace

uint32_t dataRegisterDescriptor(uint32_t n) {
    if (n >= 1000 && n <= 2599) {
        const uint32_t x = 2 * n - 2000;
        return (x << 24) + (x & 0xFF00) + 0x860088;
    }
    if (!device::isSpecialNumber(n)) return ((2 * n) << 24) + 0x860086;
    const uint32_t x = 2 * n - 16000;
    return (x << 24) + (x & 0xFF00) + 0x860080;
}

void CodeEncoder::reset() {
    m_code.fill(code::kFreeWord);
    m_codeCount = 0;
    m_codeEnd = 0;
    m_stopEncoding = false;
    m_overflow = false;
}

void CodeEncoder::put(int index, uint32_t word) {
    // A word past the buffer is never stored; whether the code still fits is
    // decided by the count alone.
    if (index < 0 || index >= kCodeWords) return;
    m_code[static_cast<size_t>(index)] = static_cast<uint16_t>(word & 0xFFFF);
}

void CodeEncoder::appendValue(uint32_t v) {
    if (v < 0xFFFF)
        append(v);
    else
        appendHighLow(v);
}

void CodeEncoder::appendHighLow(uint32_t v) {
    append(v >> 16);
    append(v & 0xFFFF);
}

EncodeStatus CodeEncoder::encodeProgram(InstructionTable& table) {
    reset();
    m_rowStarts.clear();
    for (int row = 0; row < kListRows && !m_stopEncoding && !m_overflow; ++row) {
        m_rowStarts.push_back(m_codeCount);
        EncodeStep(table, row);
    }
    if (m_overflow || m_codeCount > kCodeWords) return EncodeStatus::TooLarge;
    const uint16_t end = code::endWord(m_mode2);
    for (int i = 0; i < m_codeCount; ++i) {
        if (m_code[static_cast<size_t>(i)] == end) {
            m_codeEnd = i;
            return EncodeStatus::Ok;
        }
    }
    return EncodeStatus::NoEnd;
}

void CodeEncoder::EncodeStep(InstructionTable& table, int row) {
    if (row < 0 || row >= kListRows) return;
    if (table.m_Instruction[0].empty()) table.m_Instruction[0] = "END";
    encodeRow(typeRow(table.m_Instruction[static_cast<size_t>(row)],
                      table.m_Parameter[static_cast<size_t>(row)]));
}

void CodeEncoder::encodeRow(const TypedRow& row) {
    const instr::Instruction* i = row.instruction;
    if (row.is(instr::Kind::End)) m_stopEncoding = true;

    if (isGroupA(i, m_mode2)) {
        const uint32_t v = word(i, row.mnemonic, readPiece(row.operand));
        // A data register is reset by its own word before its descriptor.
        if (m_mode2 && row.is(instr::Kind::Rst) && namesDataRegister(row)) {
            append(0x0D00);
            appendHighLow(v);
        } else {
            appendValue(v);
        }
        return;
    }
    if (row.is(instr::Kind::Label)) {
        append(word(i, row.mnemonic, Piece{}));
        return;
    }
    const OperandPieces pieces = cutOperand(row, m_mode2);
    if (row.is(instr::Kind::Out)) {
        encodeOut(i, pieces);
        return;
    }
    append(word(i, row.mnemonic, Piece{}));
    if (m_mode2)
        encodeOperandsMode2(pieces);
    else
        encodeOperandsMode1(pieces);
}

void CodeEncoder::encodeOut(const instr::Instruction* out, const OperandPieces& p) {
    const Piece& device = p.read[0];
    const char first = device.letter;
    if (first == 'S' || first == 'Y' || first == 'M') {
        appendValue(word(out, "OUT", device));
    } else if (first == 'T' || first == 'C') {
        append(word(out, "OUT", device) & 0xFFFF);
        appendSetValue(p);
    }
}

// The set value of a timer or counter: a K or H constant, or a data register.
void CodeEncoder::appendSetValue(const OperandPieces& p) {
    const Piece& kind = p.read[1];
    if (kind.kind == Piece::Kind::ConstantLetter) {
        const uint32_t n = p.read[2].leading;
        const bool h = kind.letter == 'H';
        if (m_mode2) {
            append(((n & 0xFF) << 8) + (h ? 0x82 : 0x80));
            append((n & 0xFF00) + 0x80);
        } else {
            append(h ? code::kConstH : code::kConstK);
            append(n);
            append(code::kOperandEnd);
        }
    } else if (m_mode2) {
        appendHighLow(operandWord(kind));
    } else {
        append(operandWord(kind));
    }
}

// Mode 1: one word per piece; a K or H piece writes its marker, the number of
// the piece after it and the operand end, which the marker piece that follows
// writes again.
void CodeEncoder::encodeOperandsMode1(const OperandPieces& p) {
    const int base = m_codeCount;
    for (int k = 0; k < p.count; ++k) {
        const Piece& piece = p.read[static_cast<size_t>(k)];
        if (piece.kind == Piece::Kind::ConstantLetter) {
            put(base + k, piece.letter == 'H' ? code::kConstH : code::kConstK);
            put(base + k + 1, p.read[static_cast<size_t>(k + 1)].leading);
            put(base + k + 2, code::kOperandEnd);
            ++k;
        } else {
            put(base + k, operandWord(piece));
        }
    }
    m_codeCount = base + p.count;
    if (m_codeCount > kCodeWords) m_overflow = true;
}

// Mode 2: two words per operand, in order: a constant as its low byte and its
// high byte (each with the constant flag), a device as its 32-bit descriptor,
// high half first. Marker pieces and the piece INC and DEC skip carry no word.
void CodeEncoder::encodeOperandsMode2(const OperandPieces& p) {
    for (int k = 0; k < p.count; ++k) {
        const Piece& piece = p.read[static_cast<size_t>(k)];
        if (piece.kind == Piece::Kind::ConstantLetter) {
            const uint32_t v = p.read[static_cast<size_t>(k + 1)].leading;
            append(((v & 0xFF) << 8) + (piece.letter == 'H' ? 0x82 : 0x80));
            append((v & 0xFF00) + 0x80);
            ++k;
        } else if (piece.kind == Piece::Kind::Device) {
            appendHighLow(operandWord(piece));
        }
    }
}

uint32_t CodeEncoder::EncodeWord(std::string_view mnemonic, std::string_view operand) const {
    return word(instr::find(mnemonic), mnemonic, readPiece(operand));
}

uint32_t CodeEncoder::operandWord(const Piece& p) const {
    return word(labelRow(), "", p);
}

uint32_t CodeEncoder::word(const instr::Instruction* i, std::string_view m, const Piece& p) const {
    return m_mode2 ? wordMode2(i, m, p) : wordMode1(i, m, p);
}

uint32_t CodeEncoder::wordMode1(const instr::Instruction* i, std::string_view m,
                                const Piece& p) const {
    const bool operandOnly = i != nullptr && i->kind == instr::Kind::Label;
    uint32_t o = operandOnly ? 14 : i ? i->mode1Code : instr::kNoCode;
    const uint32_t n = p.number;
    uint32_t b = 0;
    switch (p.letter) {
        case 'Y':
            b = 32;
            break;
        case 'M':
            b = 64;
            break;
        case 'T':
            b = 304;
            break;
        case 'C':
            b = 320;
            break;
        case 'D':
            b = 0xE000;
            o = 13;
            break;
        default:
            break;
    }
    if (o <= 12)
        return !device::isSpecialNumber(n) ? o * 4096 + b + n
                                           : o * 4096 + (n - device::kFirstSpecialNumber) + 336;
    if (o == 13) return !device::isSpecialNumber(n) ? 0xE000 + n : 0xE000 + n - 7952;
    if (o == 14 && p.kind == Piece::Kind::OperandEnd) return code::kOperandEnd;
    if (o == 14) return !device::isSpecialNumber(n) ? 0xD000 + b + n : n + 45584;
    return noOperand(i, m);
}

uint32_t CodeEncoder::wordMode2(const instr::Instruction* i, std::string_view m,
                                const Piece& p) const {
    const char letter = p.letter;
    const uint32_t n = p.number;
    const bool high = device::isSpecialNumber(n);  // M8000 and up
    const uint32_t n2 = high ? n - device::kFirstSpecialNumber : n;
    const bool yOrLowM = letter == 'Y' || (letter == 'M' && !high);
    const bool highM = letter == 'M' && high;
    const bool timerOrCounter = letter == 'T' || letter == 'C';

    uint32_t o = instr::kNoCode;
    if (i && i->kind == instr::Kind::Label) {
        o = 16;
    } else if (i && i->mode2Code != instr::kNoCode) {
        o = i->mode2Code;
    } else if (i && (i->kind == instr::Kind::Out || i->kind == instr::Kind::Set ||
                     i->kind == instr::Kind::Rst)) {
        const instr::DeviceCodes& c = i->mode2ByDevice;
        o = yOrLowM          ? c.bit
            : highM          ? c.highM
            : timerOrCounter ? c.timerCounter
            : letter == 'D'  ? c.dataRegister
                             : 14;
    }

    uint32_t f = 0;
    switch (letter) {
        case 'X':
            f = 4;
            break;
        case 'Y':
            f = 5;
            break;
        case 'M':
            f = high ? 15 : 8;
            break;
        case 'T':
            f = 6;
            break;
        case 'C':
            f = 14;
            break;
        case 'D':
            f = 6;
            break;
        default:
            break;
    }

    if (o <= 14 && p.kind == Piece::Kind::OperandEnd) return code::kEndWordMode2;
    if (o <= 14) return o * 16 + f + n2 * 256;
    if ((o >= 0xCA01 && o <= 0xCF01) || (o >= 0x200 && o <= 0xC00))
        return o * 65536 + n2 * 256 + 0x80 + f;
    if (o == 0xD00) return dataRegisterDescriptor(n);
    if (o == 16) {
        // The descriptor of an operand of its own, by its device letter.
        switch (letter) {
            case 'Y':
                return (n << 24) + 0x840580;
            case 'D':
                return dataRegisterDescriptor(n);
            case 'T':
                return ((2 * n) << 24) + 0x860082;
            case 'C':
                return ((2 * n) << 24) + 0x860084;
            case 'M':
                return high ? (n2 << 24) + 0x840F80 : (n << 24) + 0x840880;
            default:
                return 0;
        }
    }
    return noOperand(i, m);
}

uint16_t CodeEncoder::EncodeNoOperand(std::string_view mnemonic) const {
    return noOperand(instr::find(mnemonic), mnemonic);
}

uint16_t CodeEncoder::noOperand(const instr::Instruction* i, std::string_view m) const {
    if (i && i->fixedMode1 != 0) return m_mode2 ? i->fixedMode2 : i->fixedMode1;
    const auto fn = static_cast<uint32_t>(classifyInstruction(m, SelFunctionNumber, m_mode2));
    return static_cast<uint16_t>(m_mode2 ? fn : 0xF000 + fn);
}

}  // namespace rs
