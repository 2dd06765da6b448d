// Series-parallel ladders drawn every way a user can draw them: contacts in
// series and in parallel nested to any depth and in any branch, blocks that
// open the rung or end on the output column, lone branch contacts, short
// branches padded with wire on either side, empty rows inside a block, and
// outputs (coils, SET, RST, instruction boxes right against the split wire)
// branching off points at any column, points inside branches among them.
// Each ladder carries the circuit it was drawn from, evaluated here on its
// own, as a second answer to the grid evaluator and to Convert.
#include <algorithm>
#include <map>
#include <memory>

#include "tests/convert/ladder_gen.h"

namespace rs::test {

namespace {

struct Net {
    enum Type { Contact, Series, Parallel } type = Contact;
    int32_t kind = OpenContact;
    std::string device;
    std::vector<Net> kids;
    std::vector<int> gaps;  // Parallel: empty rows drawn after each kid
};

struct Point;
struct Item {
    std::string output;  // an output, when there is no branch
    int operands = 0;    // columns an instruction box covers left of column 10
    bool box = false;
    std::shared_ptr<Net> net;  // a branch: its contacts and the point after them
    std::shared_ptr<Point> point;
};
struct Point {
    std::vector<Item> items;
};
struct Rung {
    Net condition;
    Point point;
    int conditionWidth = 0;  // columns the condition is drawn over (padding included)
};

int width(const Net& n) {
    if (n.type == Net::Contact) return 1;
    int w = 0;
    for (const Net& k : n.kids) w = n.type == Net::Series ? w + width(k) : std::max(w, width(k));
    return w;
}
int height(const Net& n) {
    if (n.type == Net::Contact) return 1;
    int h = 0;
    for (size_t i = 0; i < n.kids.size(); ++i)
        h = n.type == Net::Series ? std::max(h, height(n.kids[i]))
                                  : h + height(n.kids[i]) + n.gaps[i];
    return h;
}
constexpr int kMaxRungContacts = 40;

int contacts(const Net& n) {
    int k = n.type == Net::Contact ? 1 : 0;
    for (const Net& x : n.kids) k += contacts(x);
    return k;
}
int contacts(const Point& p) {
    int k = 0;
    for (const Item& it : p.items)
        if (it.net) k += contacts(*it.net) + contacts(*it.point);
    return k;
}

int height(const Point& p);
int height(const Item& it) {
    return it.net ? std::max(height(*it.net), height(*it.point)) : 1;
}
int height(const Point& p) {
    int h = 0;
    for (const Item& it : p.items) h += height(it);
    return h;
}
// Columns 1..9 a point at some column needs to its right, column 10 aside.
int needs(const Point& p) {
    int w = 0;
    for (const Item& it : p.items)
        w = std::max(w, it.net ? width(*it.net) + needs(*it.point) : it.operands);
    return w;
}

uint64_t value(const Net& n, const eval::WideReader& devices) {
    if (n.type == Net::Contact) {
        const uint64_t v = devices(n.device);
        return n.kind == CloseContact || n.kind == FallingPulse ? ~v : v;
    }
    uint64_t v = n.type == Net::Series ? ~uint64_t{0} : 0;
    for (const Net& k : n.kids)
        v = n.type == Net::Series ? v & value(k, devices) : v | value(k, devices);
    return v;
}
void outputs(const Point& p, uint64_t on, const eval::WideReader& devices,
             std::vector<uint64_t>& out) {
    for (const Item& it : p.items) {
        if (!it.net)
            out.push_back(on);
        else
            outputs(*it.point, on & value(*it.net, devices), devices, out);
    }
}

class SpBuilder {
  public:
    explicit SpBuilder(uint32_t seed) : m_rng(seed), m_wide(chance(20)) {}

    SpLadder build() {
        auto rungs = std::make_shared<std::vector<Rung>>();
        int row = 0;
        for (int k = pick(1, 3); k > 0; --k) {
            Rung r;
            // A rung that does not fit the columns, or would take the program
            // near the step limit, is drawn anew.
            bool fits = false;
            for (int tries = 0; tries < 50 && !fits; ++tries) fits = makeRung(r);
            if (!fits) continue;
            row = place(r, row);
            rungs->push_back(std::move(r));
        }
        SpLadder out;
        for (const auto& [pos, cell] : m_cells) {
            out.ladder.cells.push_back(cell);
            std::vector<std::string>& in = out.ladder.inputs;
            if (isSerialContactKind(serialTwin(cell.kind)) &&
                std::find(in.begin(), in.end(), cell.text) == in.end())
                in.push_back(cell.text);
        }
        out.ladder.lastRow = row - 1;
        out.meaning = [rungs](const eval::WideReader& devices) {
            std::vector<uint64_t> v;
            for (const Rung& r : *rungs) outputs(r.point, value(r.condition, devices), devices, v);
            return v;
        };
        return out;
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    std::string device() {
        const int n = m_wide ? m_nextDevice++ : pick(0, 7);
        return "X" + std::to_string(n / 64) + std::to_string(n / 8 % 8) + std::to_string(n % 8);
    }

    Net contact() {
        static const int32_t kKinds[] = {OpenContact,  OpenContact, OpenContact,
                                         CloseContact, RisingPulse, FallingPulse};
        Net n;
        n.kind = kKinds[pick(0, 5)];
        n.device = device();
        return n;
    }

    // A network at most `maxWidth` columns wide.
    Net net(int maxWidth, int depth) {
        if (maxWidth <= 0 || depth >= 4 || chance(35 + 15 * depth)) return contact();
        Net n;
        if (chance(50) && maxWidth >= 2) {
            n.type = Net::Series;
            int left = maxWidth;
            for (int k = pick(2, std::min(4, maxWidth)); k > 0 && left > 0; --k) {
                n.kids.push_back(net(std::min(left - (k - 1), 3), depth + 1));
                left -= width(n.kids.back());
            }
            if (n.kids.size() == 1) return n.kids.front();
            return n;
        }
        n.type = Net::Parallel;
        for (int k = pick(2, 4); k > 0; --k) {
            n.kids.push_back(net(maxWidth, depth + 1));
            n.gaps.push_back(chance(8) ? 1 : 0);
        }
        n.gaps.back() = 0;
        return n;
    }

    Item output(bool boxAllowed) {
        static const char* const kBoxes[] = {"SET M0", "RST M1",        "MOV K1 D0",
                                             "INC D0", "CMP K1 D0 M10", "ZCP K1 K9 D8 M112"};
        static const int kOperands[] = {1, 1, 2, 1, 3, 4};
        Item it;
        if (boxAllowed && chance(25)) {
            const int b = pick(0, 5);
            it.output = kBoxes[b];
            it.operands = kOperands[b];
            it.box = true;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "Y%03o", m_nextCoil++);
            it.output = buf;
        }
        return it;
    }

    // What hangs at a point with `room` columns of 1..9 to its right.
    Point point(int room, int depth) {
        Point p;
        const int items = room >= 1 && chance(45) ? pick(2, 3) : 1;
        for (int i = 0; i < items; ++i) {
            if (room >= 2 && depth < 3 && chance(30)) {
                Item it;
                it.net = std::make_shared<Net>(net(std::min(room - 1, 3), 2));
                it.point = std::make_shared<Point>(point(room - width(*it.net), depth + 1));
                p.items.push_back(std::move(it));
            } else {
                p.items.push_back(output(true));
            }
            // An output needs its room; boxes that do not fit become coils.
            if (!p.items.back().net && p.items.back().operands > room)
                p.items.back() = output(false);
        }
        return p;
    }

    bool makeRung(Rung& r) {
        r.condition = net(chance(30) ? 3 : 6, 0);
        const int w = width(r.condition);
        if (w > 8) return false;
        r.point = point(9 - w, 0);
        const int room = 9 - w;
        // A rung of one output may draw its condition up to the output column
        // (a block there closes on it); otherwise pad it sometimes.
        const bool single = r.point.items.size() == 1 && !r.point.items[0].net;
        r.conditionWidth = w;
        if (single && chance(30))
            r.conditionWidth = std::max(w, 9 - r.point.items[0].operands);
        else if (chance(20))
            // A split stays left of column 10: coils joined there are not a
            // point but outputs in parallel.
            r.conditionWidth =
                w + pick(0, std::max(0, room - std::max(needs(r.point), single ? 0 : 1)));
        return needs(r.point) <= 9 - r.conditionWidth &&
               contacts(r.condition) + contacts(r.point) <= kMaxRungContacts;
    }

    GenCell& at(int r, int c) {
        auto it = m_cells.find({r, c});
        if (it == m_cells.end())
            it = m_cells.emplace(std::make_pair(r, c), GenCell{r, c, Empty, 0, {}}).first;
        return it->second;
    }
    void wire(int r, int c) {
        GenCell& x = at(r, c);
        x.kind = HorizontalLine;
        x.links |= LinkWire;
    }
    void down(int r, int c) { at(r, c).links |= LinkDown; }

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

    // Draws the network over columns c..c+w-1 from row r (w at least its width).
    void draw(const Net& n, int r, int c, int w, bool lone = false) {
        if (n.type == Net::Contact) {
            const int at0 = chance(25) ? c + w - 1 : c;  // padded on the left or the right
            for (int k = c; k < c + w; ++k)
                if (k != at0) wire(r, k);
            GenCell& x = at(r, at0);
            x.kind = lone && w == 1 ? branchKind(n.kind) : n.kind;
            x.text = n.device;
            x.links |= LinkWire | LinkSymbol;
            return;
        }
        if (n.type == Net::Series) {
            const int extra = w - width(n);
            const size_t padded = static_cast<size_t>(pick(0, static_cast<int>(n.kids.size()) - 1));
            int k = c;
            for (size_t i = 0; i < n.kids.size(); ++i) {
                const int kw = width(n.kids[i]) + (i == padded ? extra : 0);
                draw(n.kids[i], r, k, kw);
                k += kw;
            }
            return;
        }
        // A lone contact right under the row above may be drawn as a branch
        // contact, which carries the block's vertical wires itself.
        int row = r;
        for (size_t i = 0; i < n.kids.size(); ++i) {
            const bool branch = i > 0 && w == 1 && n.gaps[i - 1] == 0 &&
                                n.kids[i].type == Net::Contact && height(n.kids[i - 1]) == 1 &&
                                chance(50);
            draw(n.kids[i], row, c, w, branch);
            const int next = row + height(n.kids[i]) + n.gaps[i];
            if (i + 1 < n.kids.size())
                for (int k = row; k < next; ++k) {
                    if (c > 1) down(k, c);
                    down(k, c + w);
                }
            row = next;
        }
    }

    // Draws a point at column c of row r: its items one under the other, the
    // split wire down column c; returns the rows it takes.
    void draw(const Point& p, int r, int c) {
        int row = r;
        for (size_t i = 0; i < p.items.size(); ++i) {
            const Item& it = p.items[i];
            if (it.net) {
                const int w = width(*it.net);
                draw(*it.net, row, c, w);
                draw(*it.point, row, c + w);
            } else {
                for (int k = c; k <= 9; ++k) wire(row, k);
                GenCell& x = at(row, kOutputCol);
                x.kind = it.box ? AppInstruction : Coil;
                x.text = it.output;
                x.links |= LinkWire | LinkSymbol;
            }
            const int next = row + height(it);
            if (i + 1 < p.items.size())
                for (int k = row; k < next; ++k) down(k, c);
            row = next;
        }
    }

    int place(const Rung& r, int row) {
        draw(r.condition, row, 1, r.conditionWidth);
        draw(r.point, row, 1 + r.conditionWidth);
        return row + std::max(height(r.condition), height(r.point));
    }

    std::mt19937 m_rng;
    bool m_wide;  // every contact a device of its own
    std::map<std::pair<int, int>, GenCell> m_cells;
    int m_nextDevice = 0;
    int m_nextCoil = 0;
};

}  // namespace

SpLadder generateSeriesParallel(uint32_t seed) {
    return SpBuilder(seed).build();
}

}  // namespace rs::test
