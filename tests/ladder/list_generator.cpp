#include "tests/ladder/list_generator.h"

#include <algorithm>

namespace rs::test {

int ListGenerator::pick(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(m_rng);
}

bool ListGenerator::chance(int percent) {
    return pick(1, 100) <= percent;
}

std::string ListGenerator::device(bool output) {
    static const char* inputs[] = {"X000", "X001", "X002", "X003", "X004", "X005",
                                   "X006", "X007", "M0",   "M1",   "T0",   "C0"};
    static const char* outputs[] = {"Y000", "Y001", "Y002", "Y003", "M0", "M1", "M2", "M3"};
    return output ? outputs[pick(0, 7)] : inputs[pick(0, 11)];
}

int ListGenerator::makeNet(int maxWidth, int maxHeight, int depth) {
    NetNode n;
    const int roll = pick(1, 100);
    const bool canSeries = maxWidth >= 2;
    const bool canParallel = maxHeight >= 2;
    if (depth <= 0 || roll <= 35 || (!canSeries && !canParallel)) {
        n.type = 'C';
        n.kind = chance(70) ? 0 : pick(1, 3);
        n.device = device(false);
    } else if (canSeries && (roll <= 70 || !canParallel)) {
        n.type = 'S';
        n.a = makeNet(pick(1, maxWidth - 1), maxHeight, depth - 1);
        n.b = makeNet(maxWidth - m_nets[n.a].width, maxHeight, depth - 1);
        n.width = m_nets[n.a].width + m_nets[n.b].width;
        n.height = std::max(m_nets[n.a].height, m_nets[n.b].height);
    } else {
        n.type = 'P';
        n.a = makeNet(maxWidth, pick(1, maxHeight - 1), depth - 1);
        n.b = makeNet(maxWidth, maxHeight - m_nets[n.a].height, depth - 1);
        n.width = std::max(m_nets[n.a].width, m_nets[n.b].width);
        n.height = m_nets[n.a].height + m_nets[n.b].height;
    }
    m_nets.push_back(n);
    return static_cast<int>(m_nets.size()) - 1;
}

std::string ListGenerator::contactLine(const char* family, int net) const {
    static const char* suffix[][4] = {
        {"LD", "LDI", "LDP", "LDF"}, {"AND", "ANI", "ANDP", "ANDF"}, {"OR", "ORI", "ORP", "ORF"}};
    const int f = family[0] == 'L' ? 0 : family[0] == 'A' ? 1 : 2;
    const NetNode& n = m_nets[static_cast<size_t>(net)];
    return std::string(suffix[f][n.kind]) + " " + n.device;
}

// A network as a block of its own: loaded, then built up. A contact joins with
// AND or OR; a wider operand is built as a block and joined with ANB or ORB.
void ListGenerator::emitBlock(int net, std::vector<std::string>& out) {
    const NetNode n = m_nets[static_cast<size_t>(net)];
    if (n.type == 'C') {
        out.push_back(contactLine("LD", net));
        return;
    }
    emitBlock(n.a, out);
    const NetNode& b = m_nets[static_cast<size_t>(n.b)];
    if (b.type == 'C' && chance(85)) {
        out.push_back(contactLine(n.type == 'S' ? "AND" : "OR", n.b));
        return;
    }
    emitBlock(n.b, out);
    out.push_back(n.type == 'S' ? "ANB" : "ORB");
}

// A network continuing from a split point or an output: its series parts one
// after another, contacts with AND, blocks loaded and joined with ANB.
void ListGenerator::emitAnchored(int net, std::vector<std::string>& out) {
    const NetNode n = m_nets[static_cast<size_t>(net)];
    if (n.type == 'S') {
        emitAnchored(n.a, out);
        emitAnchored(n.b, out);
    } else if (n.type == 'C') {
        out.push_back(contactLine("AND", net));
    } else {
        emitBlock(net, out);
        out.push_back("ANB");
    }
}

// Outputs and branches hanging at a point in column `col`.
void ListGenerator::emitPoint(int col, int depth, bool single, std::vector<std::string>& out) {
    struct Item {
        bool branch;
        std::vector<std::string> lines;
    };
    const int count = single ? 1 : depth > 0 ? pick(1, 3) : pick(1, 2);
    std::vector<Item> items;
    for (int i = 0; i < count; ++i) {
        Item item;
        item.branch = depth > 0 && col <= 7 && chance(50);
        if (item.branch) {
            const int net = makeNet(std::min(3, 9 - col), m_shape.blocksInBranches ? 3 : 1,
                                    m_shape.blocksInBranches ? 2 : 1);
            emitAnchored(net, item.lines);
            // Below a branch that is not the last one at its point, every point
            // holds one output or branch, unless the lists may reach further.
            const bool lastItem = i + 1 == count;
            emitPoint(col + m_nets[static_cast<size_t>(net)].width, depth - 1,
                      (single || !lastItem) && !m_shape.groupsInEveryBranch, item.lines);
        } else {
            // Columns a box may cover: one wire cell is left after the point.
            const int room = 9 - col;
            const int roll = pick(1, 100);
            if (roll <= 45 || room < 1) {
                item.lines.push_back("OUT " + device(true));
            } else if (roll <= 55) {
                item.lines.push_back(chance(50) ? "OUT T0 K10" : "OUT C0 D10");
            } else if (roll <= 70) {
                item.lines.push_back(std::string(chance(50) ? "SET " : "RST ") + device(true));
            } else {
                static const char* boxes[] = {"INC D0", "MOV K10 D0", "ADD D0 D1 D2",
                                              "ZCP K10 K20 D0 M0"};
                item.lines.push_back(boxes[pick(0, std::min(room, 4) - 1)]);
            }
        }
        items.push_back(std::move(item));
    }
    bool plain = items.size() == 1;
    if (!plain && chance(40)) {
        plain = true;  // outputs first, one branch last: no split point needed
        for (size_t i = 0; i + 1 < items.size(); ++i) plain = plain && !items[i].branch;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (!plain) out.push_back(i == 0 ? "MPS" : i + 1 == items.size() ? "MPP" : "MRD");
        out.insert(out.end(), items[i].lines.begin(), items[i].lines.end());
    }
}

std::vector<std::string> ListGenerator::next() {
    m_nets.clear();
    std::vector<std::string> out;
    const int rungs = pick(1, 5);
    for (int r = 0; r < rungs; ++r) {
        if (chance(10)) out.push_back("P" + std::to_string(m_labels++ % 64) + ":");
        const int net = makeNet(pick(1, 6), pick(1, 4), m_shape.blockDepth);
        emitBlock(net, out);
        emitPoint(1 + m_nets[static_cast<size_t>(net)].width, m_shape.pointDepth, false, out);
    }
    out.push_back("END");
    return out;
}

}  // namespace rs::test
