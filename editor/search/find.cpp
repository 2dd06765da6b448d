#include "editor/search/find.h"

#include <algorithm>

#include "core/cell.h"
#include "core/char_class.h"
#include "core/instructions/instruction.h"
#include "core/list_steps.h"
#include "editor/search/device_words.h"

namespace rs::search {

namespace {

bool containsNoCase(const std::string& text, const std::string& piece) {
    return upperText(text).find(upperText(piece)) != std::string::npos;
}

// The mnemonics a contact cell stands for, whichever place in its rung it has.
bool contactStandsFor(int32_t kind, const std::string& m) {
    switch (kind) {
        case RisingEdgeMark:
            return m == "MEP";
        case FallingEdgeMark:
            return m == "MEF";
        case InvertMark:
            return m == "INV";
        default:
            break;
    }
    const instr::Instruction* i = instr::find(m);
    return i != nullptr && i->isContact() && instr::contactCellKind(*i) == serialTwin(kind);
}

// Whether the comment of a device word of the text, from word `from` on, holds the piece.
bool commentHolds(const std::string& text, size_t from, const FindQuery& q,
                  const CommentOf& commentOf) {
    if (!commentOf) return false;
    const std::vector<std::string> ws = words(text);
    for (size_t i = from; i < ws.size(); ++i) {
        const std::string comment = commentOf(ws[i]);
        if (!comment.empty() && containsNoCase(comment, q.text)) return true;
    }
    return false;
}

bool wordsHoldDevice(const std::vector<std::string>& ws, size_t from, const std::string& key) {
    for (size_t i = from; i < ws.size(); ++i)
        if (deviceKey(ws[i]) == key) return true;
    return false;
}

// A place in the order of the search: a ladder cell index (row * 11 + col) or
// a list line.
int placeCount(const Session& s) {
    if (s.view.m_bListMode) return listLines(s);
    return (std::max(s.view.grid->m_nLastRow, -1) + 1) * kGridCols;
}

int cursorPlace(const Session& s) {
    if (s.view.m_bListMode) return s.view.m_nListCursor;
    const LadderGrid& g = *s.view.grid;
    return g.m_nCursorRow * kGridCols + g.m_nCursorCol;
}

bool placeMatches(const Session& s, int place, const FindQuery& q, const CommentOf& commentOf) {
    if (s.view.m_bListMode) return lineMatches(s, place, q, commentOf);
    return cellMatches(s, place / kGridCols, place % kGridCols, q, commentOf);
}

}  // namespace

int listLines(const Session& s) {
    return listLineCount(*s.app.table, s.view.records.m_InstructionList.size());
}

bool cellMatches(const Session& s, int row, int col, const FindQuery& q,
                 const CommentOf& commentOf) {
    const LadderGrid& g = *s.view.grid;
    const int32_t kind = g.kind(row, col);
    const std::string& text = g.text(row, col);
    switch (q.kind) {
        case FindKind::Text:
            return !text.empty() &&
                   (containsNoCase(text, q.text) ||
                    commentHolds(text, kind == AppInstruction ? 1 : 0, q, commentOf));
        case FindKind::Instruction: {
            const std::string m = upperText(q.text);
            if (kind == Coil) return m == "OUT";
            if (kind == AppInstruction) return !text.empty() && upperText(words(text).front()) == m;
            return contactStandsFor(kind, m);
        }
        case FindKind::Device: {
            const auto key = deviceKey(q.text);
            if (!key || kind == Empty || kind == HorizontalLine) return false;
            return wordsHoldDevice(words(text), kind == AppInstruction ? 1 : 0, *key);
        }
    }
    return false;
}

bool lineMatches(const Session& s, int line, const FindQuery& q, const CommentOf& commentOf) {
    const InstructionTable& t = *s.app.table;
    if (line < 0 || line >= kListRows) return false;
    const std::string& mnemonic = t.m_Instruction[line];
    const std::string& operand = t.m_Parameter[line];
    switch (q.kind) {
        case FindKind::Text:
            return containsNoCase(mnemonic + " " + operand, q.text) ||
                   commentHolds(operand, 0, q, commentOf);
        case FindKind::Instruction:
            return !mnemonic.empty() && upperText(mnemonic) == upperText(q.text);
        case FindKind::Device: {
            const auto key = deviceKey(q.text);
            return key && wordsHoldDevice(words(operand), 0, *key);
        }
    }
    return false;
}

FindOutcome findNext(Session& s, const FindQuery& q, const CommentOf& commentOf) {
    FindOutcome out;
    out.inList = s.view.m_bListMode != 0;
    if (words(q.text).empty() || (q.kind == FindKind::Device && !deviceKey(q.text))) {
        out.result = FindOutcome::Invalid;
        return out;
    }
    const int count = placeCount(s);
    if (count <= 0) return out;
    const int from = std::clamp(cursorPlace(s), -1, count);
    const int step = q.down ? 1 : -1;
    // Every place once, starting after the cursor; the cursor's own place last.
    for (int k = 1; k <= count; ++k) {
        const int place = ((from + step * k) % count + count) % count;
        if (!placeMatches(s, place, q, commentOf)) continue;
        const bool passedEnd = q.down ? place <= from : place >= from;
        out.result = passedEnd ? FindOutcome::Wrapped : FindOutcome::Found;
        if (out.inList) {
            out.row = place;
            s.view.m_nListCursor = place;
            s.view.m_nListSelExtent = 0;
        } else {
            out.row = place / kGridCols;
            out.col = place % kGridCols;
            s.view.grid->m_nCursorRow = out.row;
            s.view.grid->m_nCursorCol = out.col;
        }
        return out;
    }
    return out;
}

}  // namespace rs::search
