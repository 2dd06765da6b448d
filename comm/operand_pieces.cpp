#include "comm/operand_pieces.h"

#include <cstdint>

#include "core/char_class.h"

namespace rs {

namespace {

// Rows whose operand is one device text (or a device and a set value): no
// operand markers.
bool takesMarkers(std::string_view m) {
    return !(m == "OUT" || m == "SET" || m == "RST" || m.empty());
}

}  // namespace

OperandPieces cutOperand(std::string_view mnemonic, std::string_view operand, bool mode2) {
    OperandPieces out;
    std::string s(operand);
    s += ' ';
    const bool markers = takesMarkers(mnemonic);
    const bool skipOne = mode2 && (mnemonic == "INC" || mnemonic == "DEC");
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
