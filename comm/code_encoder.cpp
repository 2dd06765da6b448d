#include "comm/code_encoder.h"

#include <string>

#include "comm/code_words.h"
#include "core/char_class.h"
#include "core/device/device_ref.h"
#include "core/instruction_set.h"
#include "core/instructions/instruction.h"

namespace rs {

namespace {

// The rows whose words EncodeWord gives whole: contacts, blocks, the point
// stack and END; in mode 2 SET and RST too.
bool isGroupA(std::string_view m, bool mode2) {
    const instr::Instruction* i = instr::find(m);
    if (i == nullptr) return false;
    if (i->isContact() || i->isBlockOrStack() || i->kind == instr::Kind::End) return true;
    return mode2 && (i->kind == instr::Kind::Set || i->kind == instr::Kind::Rst);
}

bool contains(std::string_view s, char c) {
    return s.find(c) != std::string_view::npos;
}

// A device operand as the encoder reads it (`device::kEncoderSyntax`): a
// leading blank dropped, the letter and the decimal value of the next four
// characters, or for a text with an X or Y anywhere the value of three octal
// digits. The text is what the word rules compare; where the octal reading
// applied it holds only the letter and its digits, so no other letter of the
// text is seen.
struct Device {
    std::string text;
    char letter = '\0';
    uint32_t n = 0;
};

Device readDevice(std::string_view operand) {
    const auto ref = device::parseDevice(operand, device::kEncoderSyntax);
    if (!ref) return {};
    if (operand[0] == ' ') operand.remove_prefix(1);
    const bool octal = contains(operand, 'X') || contains(operand, 'Y');
    return {octal ? std::string(1, ref->letter) : std::string(operand), ref->letter,
            static_cast<uint32_t>(ref->number)};
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
    const std::string& m = table.m_Instruction[static_cast<size_t>(row)];
    const std::string& p = table.m_Parameter[static_cast<size_t>(row)];
    if (m == "END") m_stopEncoding = true;

    if (isGroupA(m, m_mode2)) {
        const uint32_t v = EncodeWord(m, p);
        if (m_mode2 && m == "RST" && contains(p, 'D')) {
            append(0x0D00);
            appendHighLow(v);
        } else {
            appendValue(v);
        }
        return;
    }
    if (m.empty()) {
        append(EncodeWord("", ""));
        return;
    }
    const OperandPieces pieces = cutOperand(m, p, m_mode2);
    if (m == "OUT") {
        encodeOut(pieces);
        return;
    }
    append(EncodeWord(m, ""));
    if (m_mode2)
        encodeOperandsMode2(pieces);
    else
        encodeOperandsMode1(pieces);
}

void CodeEncoder::encodeOut(const OperandPieces& p) {
    const char first = p.piece[0].empty() ? '\0' : p.piece[0][0];
    if (first == 'S' || first == 'Y' || first == 'M') {
        appendValue(EncodeWord("OUT", p.piece[0]));
    } else if (first == 'T' || first == 'C') {
        append(EncodeWord("OUT", p.piece[0]) & 0xFFFF);
        appendSetValue(p);
    }
}

// The set value of a timer or counter: a K or H constant, or a data register.
void CodeEncoder::appendSetValue(const OperandPieces& p) {
    const std::string& kind = p.piece[1];
    if (kind == "K" || kind == "H") {
        const uint32_t n = leadingNumber(p.piece[2]);
        if (m_mode2) {
            append(((n & 0xFF) << 8) + (kind == "H" ? 0x82 : 0x80));
            append((n & 0xFF00) + 0x80);
        } else {
            append(kind == "H" ? code::kConstH : code::kConstK);
            append(n);
            append(code::kOperandEnd);
        }
    } else if (m_mode2) {
        appendHighLow(EncodeWord("", kind));
    } else {
        append(EncodeWord("", kind));
    }
}

// Mode 1: one word per piece; a K or H piece writes its marker, the number of
// the piece after it and the operand end, which the marker piece that follows
// writes again.
void CodeEncoder::encodeOperandsMode1(const OperandPieces& p) {
    const int base = m_codeCount;
    for (int k = 0; k < p.count; ++k) {
        const std::string& piece = p.piece[static_cast<size_t>(k)];
        if (piece == "K" || piece == "H") {
            put(base + k, piece == "H" ? code::kConstH : code::kConstK);
            put(base + k + 1, leadingNumber(p.piece[static_cast<size_t>(k + 1)]));
            put(base + k + 2, code::kOperandEnd);
            ++k;
        } else {
            put(base + k, EncodeWord("", piece));
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
        const std::string& piece = p.piece[static_cast<size_t>(k)];
        if (piece == "K" || piece == "H") {
            const uint32_t v = leadingNumber(p.piece[static_cast<size_t>(k + 1)]);
            append(((v & 0xFF) << 8) + (piece == "H" ? 0x82 : 0x80));
            append((v & 0xFF00) + 0x80);
            ++k;
        } else if (!piece.empty() && piece != kMarkerPiece) {
            appendHighLow(EncodeWord("", piece));
        }
    }
}

uint32_t CodeEncoder::EncodeWord(std::string_view mnemonic, std::string_view operand) const {
    const Device d = readDevice(operand);
    return m_mode2 ? wordMode2(mnemonic, d.text, d.n) : wordMode1(mnemonic, d.text, d.n);
}

uint32_t CodeEncoder::wordMode1(std::string_view m, std::string_view text, uint32_t n) const {
    const instr::Instruction* i = instr::find(m);
    uint32_t o = i ? i->mode1Code : instr::kNoCode;
    if (m.empty()) o = 14;
    const char letter = text.empty() ? '\0' : text[0];
    uint32_t b = 0;
    switch (letter) {
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
    if (o == 14 && text == kMarkerPiece) return code::kOperandEnd;
    if (o == 14) return !device::isSpecialNumber(n) ? 0xD000 + b + n : n + 45584;
    return EncodeNoOperand(m);
}

uint32_t CodeEncoder::wordMode2(std::string_view m, std::string_view text, uint32_t n) const {
    const char letter = text.empty() ? '\0' : text[0];
    const bool high = device::isSpecialNumber(n);  // M8000 and up
    const uint32_t n2 = high ? n - device::kFirstSpecialNumber : n;
    const bool yOrLowM = letter == 'Y' || (letter == 'M' && !high);
    const bool highM = letter == 'M' && high;
    const bool timerOrCounter = letter == 'T' || letter == 'C';

    const instr::Instruction* i = instr::find(m);
    uint32_t o = instr::kNoCode;
    if (m.empty()) {
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

    if (o <= 14 && text == kMarkerPiece) return code::kEndWordMode2;
    if (o <= 14) return o * 16 + f + n2 * 256;
    if ((o >= 0xCA01 && o <= 0xCF01) || (o >= 0x200 && o <= 0xC00))
        return o * 65536 + n2 * 256 + 0x80 + f;
    if (o == 0xD00) return dataRegisterDescriptor(n);
    if (o == 16) {
        if (contains(text, 'Y')) return (n << 24) + 0x840580;
        if (contains(text, 'D')) return dataRegisterDescriptor(n);
        if (contains(text, 'T')) return ((2 * n) << 24) + 0x860082;
        if (contains(text, 'C')) return ((2 * n) << 24) + 0x860084;
        if (contains(text, 'M')) return high ? (n2 << 24) + 0x840F80 : (n << 24) + 0x840880;
        return 0;
    }
    return EncodeNoOperand(m);
}

uint16_t CodeEncoder::EncodeNoOperand(std::string_view mnemonic) const {
    const instr::Instruction* i = instr::find(mnemonic);
    if (i && i->fixedMode1 != 0) return m_mode2 ? i->fixedMode2 : i->fixedMode1;
    const auto fn =
        static_cast<uint32_t>(classifyInstruction(mnemonic, SelFunctionNumber, m_mode2));
    return static_cast<uint16_t>(m_mode2 ? fn : 0xF000 + fn);
}

}  // namespace rs
