#include "tests/convert/ladder_gen.h"

#include <algorithm>
#include <map>
#include <memory>

namespace rs::test {

namespace {

struct Node;
using Series = std::vector<Node>;
struct Node {
    bool block = false;
    int32_t kind = OpenContact;
    std::string device;
    std::vector<Series> branches;
};

int width(const Series& s);
int height(const Series& s);
int width(const Node& n) {
    if (!n.block) return 1;
    int w = 0;
    for (const auto& b : n.branches) w = std::max(w, width(b));
    return w;
}
int height(const Node& n) {
    if (!n.block) return 1;
    int h = 0;
    for (const auto& b : n.branches) h += height(b);
    return h;
}
int width(const Series& s) {
    int w = 0;
    for (const auto& n : s) w += width(n);
    return w;
}
int height(const Series& s) {
    int h = 1;
    for (const auto& n : s) h = std::max(h, height(n));
    return h;
}

class Builder {
  public:
    Builder(uint32_t seed, const GenOptions& o) : m_rng(seed), m_o(o) {}

    GenLadder build() {
        GenLadder out;
        const int rungs = pick(1, m_o.maxRungs);
        int row = 0;
        for (int i = 0; i < rungs; ++i) row = rung(row);
        for (const auto& [pos, cell] : m_cells) out.cells.push_back(cell);
        out.lastRow = row - 1;
        for (int i = 0; i < 6; ++i) out.inputs.push_back(input(i));
        return out;
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    static std::string input(int i) { return "X00" + std::to_string(i); }

    Node contact() {
        static const int32_t kinds[] = {OpenContact, OpenContact, CloseContact, RisingPulse,
                                        FallingPulse};
        Node n;
        n.kind = kinds[pick(0, 4)];
        n.device = input(pick(0, 5));
        return n;
    }

    Series series(int maxWidth, int depth, int minContacts = 1, bool blockFirst = true) {
        Series s;
        const int parts = pick(minContacts, std::min(3, maxWidth));
        int used = 0;
        for (int i = 0; i < parts && used < maxWidth; ++i) {
            Node n;
            // An output branch starts with a contact: a block there would share
            // its vertical wire with the split.
            const bool mayNest = blockFirst || i > 0;
            if (mayNest && depth < m_o.maxDepth && maxWidth - used >= 1 && chance(30))
                n = block(std::min(3, maxWidth - used), depth + 1);
            else
                n = contact();
            used += width(n);
            s.push_back(std::move(n));
        }
        return s;
    }

    Node block(int maxWidth, int depth) {
        Node n;
        n.block = true;
        const int count = pick(2, 3);
        // A vertical wire may only pass rows that reach it, so a block nests
        // further blocks in its last branch only: the wires of the block do
        // not pass the rows of that branch.
        for (int i = 0; i < count; ++i)
            n.branches.push_back(series(maxWidth, i + 1 < count ? m_o.maxDepth : depth));
        return n;
    }

    GenCell& cell(int r, int c) {
        auto it = m_cells.find({r, c});
        if (it == m_cells.end())
            it = m_cells.emplace(std::make_pair(r, c), GenCell{r, c, Empty, 0, {}}).first;
        return it->second;
    }
    void put(int r, int c, int32_t kind, const std::string& text) {
        GenCell& x = cell(r, c);
        x.kind = kind;
        x.text = text;
        x.links |= LinkWire | LinkSymbol;
    }
    void wire(int r, int c) {
        GenCell& x = cell(r, c);
        x.kind = HorizontalLine;
        x.links |= LinkWire;
    }
    void down(int r, int c) { cell(r, c).links |= LinkDown; }

    // Places a series from (row, col), filled with wire to width w.
    void place(const Series& s, int row, int col, int w) {
        int c = col;
        for (const auto& n : s) {
            if (!n.block) {
                put(row, c, n.kind, n.device);
                ++c;
                continue;
            }
            const int bw = width(n);
            int r = row;
            for (size_t i = 0; i < n.branches.size(); ++i) {
                const Series& b = n.branches[i];
                // A lone contact one column wide may be drawn as a branch contact.
                if (i > 0 && bw == 1 && b.size() == 1 && !b[0].block && chance(50))
                    put(r, c, branchKind(b[0].kind), b[0].device);
                else
                    place(b, r, c, bw);
                if (i + 1 < n.branches.size()) {
                    for (int k = r; k < r + height(b); ++k) {
                        down(k, c);
                        down(k, c + bw);
                    }
                }
                r += height(b);
            }
            c += bw;
        }
        for (; c < col + w; ++c) wire(row, c);
    }

    static int32_t branchKind(int32_t k) {
        switch (k) {
            case OpenContact:
                return OpenBranch;
            case CloseContact:
                return CloseBranch;
            case RisingPulse:
                return RisingPulseBranch;
            default:
                return FallingPulseBranch;
        }
    }

    std::string coil() {
        char buf[8];
        std::snprintf(buf, sizeof buf, "Y%03o", m_nextCoil++);
        return buf;
    }

    // One rung from `row`; returns the first row after it.
    int rung(int row) {
        if (chance(15)) cell(row, 0).text = "P" + std::to_string(m_nextLabel++);
        const bool app = chance(10);
        const int outWidth = app ? 3 : 0;  // MOV K1 D0 covers columns 8 and 9
        Series main = series(6 - outWidth / 2, 0);
        // A split right after a block would put the split wire on the block's
        // closing wire; an engineer draws a contact between them.
        if (main.back().block && !(m_o.sharedWires && chance(50))) main.push_back(contact());
        const int w = width(main);
        const bool split = m_o.outputBranches && !app && w <= 6 && chance(40);
        if (!split) {
            place(main, row, 1, 9 - (app ? 2 : 0));
            put(row, kOutputCol, app ? AppInstruction : Coil, app ? "MOV K1 D0" : coil());
            if (app) cell(row, kOutputCol).kind = AppInstruction;
            return row + height(main);
        }
        const int k = 1 + w;
        place(main, row, 1, w);
        const int outputs = pick(2, 3);
        // Output rows follow each other straight down the split column (a
        // vertical wire past an empty row is refused by the checking pass);
        // they may share rows with the branches of the blocks left of it.
        int r = row;
        int bottom = row + height(main);
        for (int i = 0; i < outputs; ++i) {
            // The split wire passes the rows of every output but the last, so
            // only the last may hold blocks (their rows would not reach it).
            const bool last = i + 1 == outputs;
            const bool blockFirst = m_o.sharedWires && chance(50);
            Series o = m_o.blocksInOutputs && last && 9 - k >= 2 ? series(9 - k, 1, 1, blockFirst)
                                                                 : contactsOnly(9 - k);
            place(o, r, k, 10 - k);
            put(r, kOutputCol, Coil, coil());
            int rows = height(o);
            // A second output stacked on a split of the branch's own, right
            // after its contacts.
            const int q = k + width(o);
            if (m_o.sharedWires && !last && !o.empty() && q <= 9 && chance(40)) {
                for (int x = r; x < r + rows; ++x) down(x, q);
                for (int c = q; c <= 9; ++c) wire(r + rows, c);
                put(r + rows, kOutputCol, Coil, coil());
                ++rows;
            }
            if (i + 1 < outputs)
                for (int x = r; x < r + rows; ++x) down(x, k);
            r += rows;
            bottom = std::max(bottom, r);
        }
        return bottom;
    }

    Series contactsOnly(int maxWidth) {
        Series s;
        const int n = pick(0, std::min(2, maxWidth));
        for (int i = 0; i < n; ++i) s.push_back(contact());
        return s;
    }

    std::mt19937 m_rng;
    GenOptions m_o;
    std::map<std::pair<int, int>, GenCell> m_cells;
    int m_nextCoil = 0;
    int m_nextLabel = 0;
};

}  // namespace

GenLadder generateLadder(uint32_t seed, const GenOptions& options) {
    return Builder(seed, options).build();
}

void drawLadder(const GenLadder& ladder, LadderGrid& grid, int clearRows) {
    for (int r = 0; r < clearRows && r < kGridRows; ++r) {
        for (int c = 0; c < kGridCols; ++c) grid.clearCell(r, c);
        grid.setRowStep(r, {});
    }
    for (const auto& c : ladder.cells) grid.setCell(c.row, c.col, c.kind, c.text, c.links);
    grid.m_nLastRow = ladder.lastRow;
    grid.m_nDrawnLastRow = -1;
    grid.m_nListLastRow = -1;
    grid.m_nCursorRow = grid.m_nCursorCol = -1;
}

}  // namespace rs::test
