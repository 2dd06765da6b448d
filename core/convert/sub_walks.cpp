// The sub-walks of the compile walk: parallel branches (OR chain, block
// compiler, nested block closer) and output branches (branch-start decision,
// output branch walk, split walk). A report inside a sub-walk ends that
// sub-walk only.
#include <algorithm>

#include "core/convert/converter.h"

namespace rs::convert {

// A parallel branch one column wide: OR for every contact down the column.
void Converter::orChain(int R, int c) {
    if (!enterSubWalk(R, c)) return;
    DepthGuard guard(m_depth);
    if (!sym(R, c)) return reportUnconvertible(R, c);
    int last = R;
    while (!stopped()) {
        emitOr(R, c);
        last = R;
        if (R + 1 < kGridRows && has(R, c + 1, LinkDown) && sym(R + 1, c) &&
            (has(R, c, LinkDown) || c == 1))
            ++R;
        else
            break;
    }
    m_nRowReached = std::max(m_nRowReached, last);
    if (!m_bBlockJoined) {
        emitPlain("ANB");
        m_bBlockJoined = true;
    }
}

// A parallel branch wider than one column, in row D from column s to the
// closing column e, with the blocks nested inside it.
void Converter::blockCompiler(int D, int s, int e) {
    if (!enterSubWalk(D, s)) return;
    DepthGuard guard(m_depth);
    for (int k = s + 1; k <= e - 1; ++k)
        if (has(D, k, LinkVisited)) return reportUnconvertible(D, k);
    int b = s;
    for (int i = s; i <= e && !stopped(); ++i) {
        const CellLinks l = L(D, i);
        const bool lSym = (l & LinkSymbol) != 0;
        const bool lStart = (l & LinkBranchStart) != 0;
        const bool lEnd = (l & LinkBranchEnd) != 0;
        bool ored = false;
        if (i == s) {
            if (!lSym) return reportUnconvertible(D, s);
            // A branch of one contact is ORed straight away. One contact
            // followed by wire is not enough: a block nested in the branch
            // may start at that contact and close further right.
            bool oneContact = !sym(D, s + 1);
            for (int k = s + 1; k <= e - 1 && oneContact; ++k)
                oneContact = !sym(D, k) && !has(D, k, LinkBranchEnd);
            if (!oneContact) {
                m_bBlockOred = false;
            } else {
                emitOr(D, s);
                m_bBlockOred = true;
                ored = true;
                if (!lStart && s > 1) m_bBlockJoined = false;
            }
        }
        // The closing column belongs to the block only through the vertical
        // wire on its left edge; its cell is compiled by the walk after it.
        const bool inside = i < e;
        if (!ored && inside && lSym && (i == s || (lStart && !lEnd))) emitLoad(D, i);
        if (l & LinkDown) {
            if (lStart) {
                bool closes = false;
                for (int k = i + 1; k <= e && !closes; ++k) closes = has(D, k, LinkBranchEnd);
                if (!closes && i != s && i != e) return reportUnconvertible(D, e);
                if (!lEnd) b = i;
            }
            if (lEnd && i > s) {
                bool any = false;
                for (int k = b; k <= i - 1 && !any; ++k) any = sym(D + 1, k);
                if (!any) return reportUnconvertible(D, i);
                // A one-column block whose top cell is plain wire: the
                // contacts below it are shorted and have no effect.
                if (i - b == 1 && !sym(D, b)) return reportUnconvertible(D + 1, b);
                if (i - b == 1) {
                    m_bBlockJoined = s == b;
                    orChain(D + 1, i - 1);
                } else {
                    // A branch spanning the whole block is one more alternative
                    // of it: the rows above are ORed first, and the walk's ORB
                    // after the block takes this branch. Any other inner block
                    // is closed here with its own ORB.
                    const bool spans = i == e && (b == m_nBlockStartCol || b == s);
                    if (spans && !m_bBlockOred) emitPlain("ORB");
                    const bool outerOred = m_bBlockOred;
                    blockCompiler(D + 1, b, i);
                    if (!spans) {
                        if (m_bBlockOred)
                            m_bBlockOred = false;
                        else
                            emitPlain("ORB");
                        m_bBlockOred = outerOred;
                    }
                    m_bBlockJoined = s == b;
                }
                if (!m_bBlockJoined) {
                    emitPlain("ANB");
                    m_bBlockJoined = true;
                }
                if (lStart && inside) {
                    emitLoad(D, i);
                    b = i;
                }
            }
        }
        const bool downAbove = has(D - 1, i, LinkDown);
        if (inside && i > s && lSym && (l & LinkRight) &&
            ((!(l & LinkDown) && !downAbove) || ((l & LinkDown) && !lStart)))
            emitAnd(D, i);
    }
    m_nRowReached = std::max(m_nRowReached, D);
}

// Blocks stacked below a block end in column c: the block whose branch starts
// at a column left of c in row A (or, when A is the top row T, in the first
// stacked row below it) is compiled and joined.
void Converter::nestedBlockCloser(int A, int T, int c) {
    if (!enterSubWalk(A, c)) return;
    DepthGuard guard(m_depth);
    int row = A;
    if (A == T) {
        row = -1;
        for (int k = T + 1; k <= lastRow(); ++k) {
            if (has(k, c, LinkBranchEnd) && wired(k + 1, c - 1)) {
                row = k;
                break;
            }
            if (!has(k, c, LinkDown)) break;
        }
        if (row < 0) return;
    }
    int i = 1;
    for (int k = c - 2; k > 1; --k) {
        if (has(row, k, LinkBranchStart) && sym(row + 1, k)) {
            i = k;
            break;
        }
    }
    blockCompiler(row + 1, i, c);
    if (sym(row + 1, i) && sym(row + 1, i + 1)) emitPlain("ORB");
    m_bBlockOred = false;
    bool secondEnd = false;
    for (int k = c + 1; k <= kOutputCol && !secondEnd; ++k) secondEnd = has(row, k, LinkBranchEnd);
    m_bBlockJoined = i == 1 || secondEnd;
    if (!m_bBlockJoined) {
        emitPlain("ANB");
        m_bBlockJoined = true;
    }
    m_nRowReached = std::max(m_nRowReached, row + 1);
}

// A contact where a branch starts: loaded when the branch rejoins its row (a
// parallel block starts here), ANDed when it is an output branch.
void Converter::branchStartDecision(int R, int c) {
    int branch = -1;
    for (int k = R + 1; k <= lastRow() + 1 && k < kGridRows; ++k) {
        if (wired(k, c) && has(k - 1, c, LinkBranchStart)) {
            branch = k;
            break;
        }
    }
    bool rejoins = false;
    if (branch > 0) {
        for (int k = c + 1; k <= kOutputCol && !rejoins; ++k)
            rejoins = has(branch - 1, k, LinkDown) && wired(branch, k - 1);
    }
    if (rejoins)
        emitLoad(R, c);
    else
        emitAnd(R, c);
}

// Entered at an output split point without a contact: the outputs hanging
// straight down the split column, then the first branch row with a contact.
void Converter::outputBranchWalk(int R, int c) {
    if (!enterSubWalk(R, c)) return;
    DepthGuard guard(m_depth);
    while (!stopped()) {
        emitOutput(R);
        if (R + 1 < kGridRows && sym(R, kOutputCol) && has(R, c, LinkVisited) && wired(R, c) &&
            wired(R + 1, c) && !sym(R + 1, c))
            ++R;
        else
            break;
    }
    if (!stopped() && has(R, c, LinkVisited) && wired(R, c) && R + 1 < kGridRows) {
        if (moreBranchesBelow(R + 1, c)) emitPlain("MPS");
        splitWalk(R + 1, c);
    }
    m_nRowReached = std::max(m_nRowReached, R);
}

// Whether the split point of column c has another output branch below the
// one starting in row R: its vertical wire goes on down from row R to a cell
// where an output branch starts. A branch that opens with a parallel block
// shares that wire with the block, so the block's own rows are passed over.
bool Converter::moreBranchesBelow(int R, int c) const {
    if (has(R, c, LinkVisited) && sym(R, c)) return true;
    for (int k = R; k <= lastRow() && has(k, c, LinkDown); ++k)
        if (k > R && has(k, c, LinkVisited)) return true;
    return false;
}

// One output branch row from its split column c: MRD or MPP first when the
// walk asked for it, then its contacts, blocks and output, then the output
// branches that hang below it.
void Converter::splitWalk(int R, int c) {
    if (!enterSubWalk(R, c)) return;
    DepthGuard guard(m_depth);
    int E = R;
    for (int m = c + 1; m <= kOutputCol; ++m) {
        int row = R;
        while (row < kGridRows - 1 && has(row, m, LinkBranchEnd)) ++row;
        E = std::max(E, row);
    }
    if (m_bSplitPending) {
        emitPlain(moreBranchesBelow(R, c) ? "MRD" : "MPP");
        m_bSplitPending = false;
    }
    int start = c;
    for (int k = c; k <= kOutputCol && !stopped(); ++k) {
        const CellLinks l = L(R, k);
        const bool lSym = (l & LinkSymbol) != 0;
        const bool lDown = (l & LinkDown) != 0;
        const bool lStart = (l & LinkBranchStart) != 0;
        const bool lEnd = (l & LinkBranchEnd) != 0;
        const bool lVisited = (l & LinkVisited) != 0;
        if (k == c && lSym) {
            if (lStart && !lVisited) start = k;
            if (lStart)
                branchStartDecision(R, k);
            else
                emitAnd(R, k);
        } else if (lVisited && !lEnd) {
            if (!lSym) {
                outputBranchWalk(R, k);
                return;
            }
            emitPlain("MPS");
            branchStartDecision(R, k);
        } else if (lSym && (l & LinkRight) && lStart && !lEnd) {
            start = k;
            emitLoad(R, k);
        } else {
            // The split wire itself may close a block left of the split, one
            // the walk has compiled before it came to the split.
            if (lDown && lEnd && k > c) {
                const BranchClose closed = closeBranchesAt(R, k, l, start);
                if (closed == BranchClose::SplitHere) outputBranchWalk(R, k);
                if (closed != BranchClose::GoOn) return;
            }
            if (lSym && (l & LinkRight) && (!lDown || !lStart)) emitAnd(R, k);
        }
        const int32_t kind = m_g.kind(R, k);
        if (k == kOutputCol && (kind == Coil || kind == AppInstruction)) {
            emitOutput(R);
            for (int row = R + 1; row <= E + 1 && row < kGridRows && !stopped(); ++row) {
                if (!sym(row, kOutputCol)) continue;
                for (int m = kOutputCol; m >= c; --m) {
                    if (has(row - 1, m, LinkVisited)) {
                        m_bSplitPending = true;
                        splitWalk(row, m);
                        break;
                    }
                }
            }
        }
    }
    m_nRowReached = std::max(m_nRowReached, E);
}

}  // namespace rs::convert
