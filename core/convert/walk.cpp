// The compile walk: rung by rung, left to right, one instruction-list row per
// instruction, with the step label of every rung.
#include <string>

#include "core/convert/converter.h"
#include "core/convert/step_count.h"
#include "core/instruction_set.h"
#include "core/instructions/instruction.h"
#include "core/messages.h"

namespace rs::convert {

namespace {
bool isFlowRow(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}
}  // namespace

// Nothing drawn in columns 1 to 10 of row H, and no wire reaching it from above.
bool Converter::bareRow(int H) const {
    for (int c = 1; c <= kOutputCol; ++c)
        if (wired(H, c) || sym(H, c) || has(H, c, LinkDown)) return false;
    return !has(H - 1, 1, LinkDown);
}

void Converter::compileWalk() {
    InstructionTable& table = m_s.table();
    int lastLinked = -1;  // the last row whose column 1 symbol was wired above
    noteNormalisedOutputs();
    for (int H = 0; H <= lastRow() && !stopped(); ++H) {
        const int r0 = m_r;
        if (!sym(H, kOutputCol) && m_g.text(H, 0).empty()) {
            reportUnconvertible(H, kOutputCol);
            m_bWalkStopped = true;
            break;
        }
        if (sym(H, 1)) {
            m_g.setLinks(H, 1, LinkWire | LinkSymbol | LinkRight);
            lastLinked = H;
        }
        // Column 1 of a row without text carries no wiring. Only the first
        // rung and the row whose column 1 was just wired can change what this
        // finds.
        if (H == 0) {
            for (int k = 0; k <= lastRow(); ++k)
                if (m_g.text(k, 1).empty()) m_g.setLinks(k, 1, 0);
        } else if (lastLinked == H && m_g.text(H, 1).empty()) {
            m_g.setLinks(H, 1, 0);
        }
        // A flow row is written as its instruction and the walk goes on with
        // the row after it; flow rows that follow each other are each written.
        while (H <= lastRow() && !stopped() && isFlowRow(m_g.text(H, kOutputCol))) {
            const std::string& flow = m_g.text(H, kOutputCol);
            emitRow(flow, {}, classifyInstruction(flow, SelFunctionNumber, m_s.mode2()), 1);
            noteFlowRow(H);
            ++H;
        }
        if (H <= lastRow() && !stopped()) {
            m_nRowReached = H;
            const std::string& label = m_g.text(H, 0);
            if (!label.empty()) {
                emitRow({}, label, 0, 1);
                noteWritten(H, 0);
            }
            // A label on a row with nothing drawn is a jump target without a
            // rung of its own (a label before END): only the label is written.
            if (label.empty() || !bareRow(H)) compileRung(H);
            H = m_nRowReached;
        } else {
            H = std::min(H, lastRow());
        }
        if (stopped()) break;
        if (m_r > r0) {
            for (int k = r0; k < m_r; ++k)
                m_nSteps += rowSteps(table.m_Instruction[k], table.m_Parameter[k], table.m_FunNo[k],
                                     m_s.mode2());
            if (m_nSteps >= kMaxSteps) {
                msg::refuse(m_s.sink, msg::kStepOutOfRange);
                m_out.stepOverflow = true;
                m_bWalkStopped = true;
                break;
            }
            m_g.setRowStep(H + 1, std::to_string(m_nSteps));
        }
    }
    if (!stopped()) checkWrittenList();
    if (!stopped()) store::appendEnd(table, m_s.view.records, m_r++);
}

void Converter::columnWalk(int H) {
    int start = 1;
    int mpsRow = 0;
    for (int c = 1; c <= kOutputCol && !stopped(); ++c) {
        const CellLinks l = L(H, c);
        const CellLinks u = H > 0 ? L(H - 1, c) : CellLinks{0};
        const bool lSym = (l & LinkSymbol) != 0;
        const bool lDown = (l & LinkDown) != 0;
        const bool lStart = (l & LinkBranchStart) != 0;
        const bool lEnd = (l & LinkBranchEnd) != 0;
        const bool lVisited = (l & LinkVisited) != 0;

        // Output split.
        if ((lVisited && !lEnd) || ((u & LinkVisited) && !lEnd)) {
            if (lSym && lDown && c > 1) {
                if ((mpsRow == 0 && (m_nMpsCount == 0 || m_nMpsCount == m_nMppCount)) ||
                    mpsRow == H) {
                    emitPlain("MPS");
                    mpsRow = H;
                } else if (mpsRow < H && m_nMppCount < m_nMpsCount) {
                    emitPlain("MRD");
                }
            } else if (lSym) {
                if (sym(H + 1, kOutputCol) && (u & LinkDown) && m_nMpsCount > m_nMppCount &&
                    m_nMpsCount != 0)
                    emitPlain("MRD");
            } else {
                if (!sym(H, c - 1) && c > 1 && m_nMpsCount != m_nMppCount && (l & LinkRight))
                    emitPlain("MPP");
                splitAt(H, c);
                return;
            }
        }
        // Load.
        const bool loadFirst = c == 1 && H == 0 && lSym && (l & LinkRight);
        const bool loadUnjoined = !(l & LinkLeft) && H >= 1 && !has(H - 1, c + 1, LinkDown);
        const bool loadBranch = lDown && lStart && !lVisited && !lEnd;
        if (loadFirst || loadUnjoined || loadBranch) {
            if ((u & LinkVisited) && H > 1 && m_nMppCount < m_nMpsCount) emitPlain("MPP");
            emitLoad(H, c);
        }
        // Vertical wire at the left edge of the cell.
        if (lDown) {
            if (lStart && !lEnd) {
                start = c;
                if (lVisited) branchStartDecision(H, c);
            } else if (lEnd) {
                const BranchClose closed = closeBranchesAt(H, c, l, start);
                if (closed == BranchClose::Refused) m_bWalkStopped = true;
                if (closed == BranchClose::SplitHere) splitAt(H, c);
                if (closed != BranchClose::GoOn) return;
            }
        }
        // The first symbol after an output branch point.
        if (!sym(H, c - 1) && lSym && (l & LinkRight) && c > 1 && !lDown && !lVisited)
            emitPlain("MPP");
        // And.
        const int32_t outKind = m_g.kind(H, kOutputCol);
        if (lSym && c > 1 &&
            ((l & LinkRight) || outKind == OpenContact || outKind == CloseContact) &&
            !(lDown && lStart))
            emitAnd(H, c);
        // Output, then the further outputs hanging below this rung.
        const int32_t kind = m_g.kind(H, c);
        if (kind == Coil || kind == AppInstruction) {
            if (c == kOutputCol) emitOutput(H);
            outputsBelow(H + 1, kOutputCol);
        }
    }
}

// The output branches hanging below a rung from row `from` on, each at a
// split column left of the one before (`prevM` to start with).
void Converter::outputsBelow(int from, int prevM) {
    for (int R = from; R <= m_nRowReached + 1 && R < kGridRows && !stopped(); ++R) {
        if (!sym(R, kOutputCol)) continue;
        int m = 0;
        for (int k = kOutputCol; k >= 2; --k) {
            if (has(R - 1, k, LinkVisited)) {
                m = k;
                break;
            }
        }
        if (m == 0) continue;
        if (1 < m && m < prevM) {
            m_bSplitPending = true;
            splitWalk(R, m);
            R = std::max(R, m_nRowReached);
        }
        prevM = m;
    }
}

// An output split without a contact at column c of the rung's row H: its
// outputs and branches, then the branches of the splits further left whose
// rows come after them.
void Converter::splitAt(int H, int c) {
    const int before = m_nRowReached;
    m_nRowReached = H;
    outputBranchWalk(H, c);
    const int last = m_nRowReached;
    m_nRowReached = std::max(before, last);
    if (c > 2 && !stopped()) outputsBelow(last + 1, c);
}

// Branches close at the vertical wire on the left edge of (R, c), whose links
// were l before: the block they form closes, or the blocks nested in the row
// do. Where the next branch starts at the same cell it is loaded, or split
// when an output branch leaves there. Refused after a block's report;
// SplitHere when an output branch without a contact leaves there: the caller
// walks it, and it takes the rest of the row.
Converter::BranchClose Converter::closeBranchesAt(int R, int c, CellLinks l, int& start) {
    if (wired(R + 1, c - 1)) {
        if (!closeBlockAt(R, c, start)) return BranchClose::Refused;
    } else if (c > 2) {
        nestedBlockCloser(R, R, c);
    }
    if (!(l & LinkBranchStart)) return BranchClose::GoOn;
    start = c;
    if (!(l & LinkVisited)) {
        emitLoad(R, c);
        return BranchClose::GoOn;
    }
    if (!(l & LinkSymbol)) return BranchClose::SplitHere;
    emitPlain("MPS");
    branchStartDecision(R, c);
    return BranchClose::GoOn;
}

// At a vertical wire that closes branches, a block closes at column c of row
// H (its lower rows arrive from the left). Whether it stands at the start of
// the rung is settled before its branches are compiled, so that a block at the
// rung start needs no ANB. False, after the report, when the top row of the
// block holds no symbol.
bool Converter::closeBlockAt(int H, int c, int start) {
    int symbols = 0;
    for (int k = start; k <= c - 1; ++k) symbols += sym(H, k) ? 1 : 0;
    if (symbols == 0) {
        reportUnconvertible(H, start);
        return false;
    }
    const bool atStart = start == 1;
    if (c - start == 1) {
        m_bBlockJoined = atStart;
        orChain(H + 1, c - 1);
    } else {
        m_nBlockStartCol = start;
        blockCompiler(H + 1, start, c);
        if (m_bBlockOred)
            m_bBlockOred = false;
        else
            emitPlain("ORB");
        if (!atStart) emitPlain("ANB");
    }
    m_bBlockJoined = true;
    // Blocks stacked below, closing in the same column, that the block just
    // compiled did not take.
    for (int k = H + 1; k <= lastRow() && has(k, c, LinkBranchEnd) && !stopped(); ++k) {
        if (m_nRowReached >= k + 1) continue;
        if (wired(k + 1, c - 1)) nestedBlockCloser(k, H, c);
    }
    return true;
}

}  // namespace rs::convert
