#include <algorithm>
#include <map>

#include "tests/convert/ladder_gen.h"

namespace rs::test {

namespace {

class Drawer {
  public:
    explicit Drawer(uint32_t seed) : m_rng(seed) {}

    GenLadder draw(uint32_t seed) {
        if (chance(60)) {
            GenOptions o;
            o.maxRungs = pick(1, 3);
            o.maxDepth = pick(0, 2);
            o.blocksInOutputs = chance(50);
            o.sharedWires = chance(50);
            for (const GenCell& c : generateLadder(seed, o).cells) m_cells[{c.row, c.col}] = c;
        }
        for (const auto& [pos, c] : m_cells) m_rows = std::max(m_rows, pos.first + 1);
        if (m_rows == 0)
            for (int k = pick(1, 3); k > 0; --k) rung();
        for (int e = pick(0, 4); e > 0; --e) edit();
        const bool wide = chance(20);
        if (wide) {
            if (chance(60)) bigRung();
            widen();
        }
        GenLadder out;
        for (const auto& [pos, c] : m_cells) {
            out.cells.push_back(c);
            out.lastRow = std::max(out.lastRow, pos.first);
        }
        if (wide) {
            // Every contact its own device: rungs of more than 12 devices.
            for (const auto& [pos, c] : m_cells)
                if (isSerialContactKind(serialTwin(c.kind)) &&
                    std::find(out.inputs.begin(), out.inputs.end(), c.text) == out.inputs.end())
                    out.inputs.push_back(c.text);
            return out;
        }
        for (int i = 0; i < 8; ++i) out.inputs.push_back("X00" + std::to_string(i));
        out.inputs.push_back("M0");
        out.inputs.push_back("Y000");
        return out;
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    GenCell& at(int r, int c) {
        auto it = m_cells.find({r, c});
        if (it == m_cells.end())
            it = m_cells.emplace(std::make_pair(r, c), GenCell{r, c, 0, 0, {}}).first;
        return it->second;
    }
    std::string device() {
        static const char* const kDevices[] = {"X000", "X001", "X002", "X003", "X004",
                                               "X005", "X006", "X007", "M0",   "Y000"};
        return kDevices[pick(0, 9)];
    }
    std::string output(int32_t kind) {
        static const char* const kBoxes[] = {"SET M0",    "RST M0", "SET Y001",
                                             "MOV K1 D0", "INC D0", "CMP K1 D0 M10"};
        if (kind == AppInstruction) return kBoxes[pick(0, 5)];
        if (chance(10)) return "T0 K10";
        return "Y0" + std::to_string(10 + pick(0, 40));
    }
    int row() { return pick(0, m_rows); }  // the row after the last one too
    void symbol(int r, int c, int32_t kind) {
        GenCell& x = at(r, c);
        x.kind = kind;
        x.text = kind == Coil || kind == AppInstruction ? output(kind) : device();
        x.links |= LinkWire | LinkSymbol;
        m_rows = std::max(m_rows, r + 1);
    }
    void hline(int r, int from, int to) {
        for (int c = from; c <= to; ++c) {
            GenCell& x = at(r, c);
            x.kind = HorizontalLine;
            x.links = static_cast<CellLinks>((x.links | LinkWire) & ~LinkSymbol);
        }
        m_rows = std::max(m_rows, r + 1);
    }

    void edit() {
        switch (pick(0, 11)) {
            case 0:
            case 1: {  // any symbol anywhere, mostly contacts
                static const int32_t kKinds[] = {1, 1, 2, 7, 8, 3, 3, 4, 9, 10, 5, 6, 11, 12, 13};
                symbol(row(), pick(1, 10), kKinds[pick(0, 14)]);
                break;
            }
            case 2: {  // a branch contact under plain wire, or under a contact
                const int r = pick(0, m_rows - 1);
                static const int32_t kBranch[] = {3, 4, 9, 10};
                symbol(r + 1, pick(1, 9), kBranch[pick(0, 3)]);
                break;
            }
            case 3: {
                const int from = pick(1, 9), r = row(), to = pick(from, 9);
                hline(r, from, to);
                // A mark drawn on the wire.
                if (chance(15)) at(r, pick(from, to)).kind = pick(RisingEdgeMark, InvertMark);
                break;
            }
            case 4:
            case 5: {  // a vertical line of one to three rows
                const int r = pick(0, std::max(0, m_rows - 1));
                const int c = pick(1, 10);
                const int n = pick(1, 3);
                for (int k = 0; k < n; ++k) at(r + k, c).links |= LinkDown;
                break;
            }
            case 6:
                if (chance(50))
                    m_cells.erase({pick(0, m_rows), pick(1, 10)});
                else
                    at(pick(0, m_rows), pick(1, 10)).links &= static_cast<CellLinks>(~0xF0);
                break;
            case 7:
                at(row(), 0).text = "P" + std::to_string(pick(0, 9));
                break;
            case 8: {  // outputs of two rows joined at column 10
                const int r = pick(0, std::max(0, m_rows - 1));
                at(r, kOutputCol).links |= LinkDown;
                if (chance(50)) symbol(r + 1, pick(1, 9), chance(70) ? 1 : 8);
                if (chance(50)) symbol(r + 1, kOutputCol, Coil);
                break;
            }
            case 9: {  // a vertical wire in the middle of a row of contacts
                const int r = pick(0, std::max(0, m_rows - 1));
                const int c = pick(2, 9);
                symbol(r, c - 1, chance(70) ? 1 : 2);
                symbol(r, c, chance(70) ? 1 : 7);
                at(r, c).links |= LinkDown;
                symbol(r + 1, chance(50) ? c - 1 : c, chance(70) ? 1 : 8);
                if (chance(50)) hline(r + 1, c + 1, 9);
                if (chance(40)) symbol(r + 1, kOutputCol, Coil);
                break;
            }
            default:
                rung();
                break;
        }
    }

    // A further rung: contacts, wire and an output of any kind.
    void rung() {
        const int r = m_rows;
        const int contacts = pick(1, 3);
        for (int c = 1; c <= contacts; ++c) symbol(r, c, c == 1 || chance(70) ? 1 : 2);
        hline(r, contacts + 1, 9);
        symbol(r, kOutputCol, chance(50) ? Coil : AppInstruction);
    }

    // A rung of nine contacts with a series block of contacts in parallel
    // under part of it.
    void bigRung() {
        const int r = m_rows;
        for (int c = 1; c <= 9; ++c) symbol(r, c, chance(80) ? 1 : 2);
        symbol(r, kOutputCol, Coil);
        const int from = pick(1, 5), to = pick(from + 2, 9);
        for (int c = from; c <= to; ++c) symbol(r + 1, c, chance(80) ? 1 : 8);
        if (from > 1) at(r, from).links |= LinkDown;
        if (to < 9)
            at(r, to + 1).links |= LinkDown;
        else
            at(r, kOutputCol).links |= LinkDown;
    }

    // Every contact gets a device of its own, X010 upwards (octal).
    void widen() {
        int next = 8;
        for (auto& [pos, c] : m_cells) {
            if (!isSerialContactKind(serialTwin(c.kind))) continue;
            const int n = next++;
            c.text =
                "X" + std::to_string(n / 64) + std::to_string(n / 8 % 8) + std::to_string(n % 8);
        }
    }

    std::mt19937 m_rng;
    std::map<std::pair<int, int>, GenCell> m_cells;
    int m_rows = 0;
};

}  // namespace

GenLadder generateDrawnGrid(uint32_t seed) {
    return Drawer(seed).draw(seed);
}

}  // namespace rs::test
