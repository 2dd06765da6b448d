#include "comm/operand_pieces.h"

#include "core/char_class.h"
#include "core/device/device_ref.h"

namespace rs {

namespace {

// Rows whose operand is one device text (or a device and a set value): no
// operand markers.
bool takesMarkers(const TypedRow& row) {
    return !(row.is(instr::Kind::Out) || row.is(instr::Kind::Set) || row.is(instr::Kind::Rst) ||
             row.is(instr::Kind::Label));
}

}  // namespace

OperandPiece readPiece(std::string_view text) {
    OperandPiece p;
    p.leading = leadingNumber(text);
    if (text.empty()) return p;
    if (const auto ref = device::parseDevice(text, device::kEncoderSyntax)) {
        p.letter = ref->letter;
        p.number = static_cast<uint32_t>(ref->number);
    }
    const std::string_view afterBlank = text[0] == ' ' ? text.substr(1) : text;
    if (text == "K" || text == "H")
        p.kind = OperandPiece::Kind::ConstantLetter;
    else if (afterBlank == kMarkerPiece)
        p.kind = OperandPiece::Kind::OperandEnd;
    else
        p.kind = OperandPiece::Kind::Device;
    return p;
}

OperandPieces cutOperand(const TypedRow& row, bool mode2) {
    OperandPieces out;
    std::string s(row.operand);
    s += ' ';
    const bool markers = takesMarkers(row);
    const bool skipOne = mode2 && (row.mnemonic == "INC" || row.mnemonic == "DEC");
    int cur = 0;
    int last = -1;
    bool blankTaken = false;  // the blank after a marker already belongs to it
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (blankTaken) {
            blankTaken = false;
        } else {
            if (cur >= OperandPieces::kMaxCut) break;
            out.piece[cur] += c;
            last = cur;
        }
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        const char after = i + 2 < s.size() ? s[i + 2] : '\0';
        if (next == '\0') break;
        if (isLetter(next) || ((c == 'K' || c == 'H') && isDigit(next) && !isLetter(after))) {
            ++cur;
        } else if (isBlank(next) && markers) {
            cur += skipOne ? 2 : 1;
            out.piece[cur] = kMarkerPiece;
            last = cur;
            blankTaken = true;
            if (cur >= OperandPieces::kMaxCut) break;  // the marker closes the cut
        }
    }
    out.count = last + 1;
    for (int k = 0; k < out.count; ++k) out.read[k] = readPiece(out.piece[k]);
    return out;
}

uint32_t leadingNumber(std::string_view piece) {
    uint32_t n = 0;
    for (char c : piece) {
        if (!isDigit(c)) break;
        n = n * 10 + static_cast<uint32_t>(c - '0');
    }
    return n;
}

}  // namespace rs
