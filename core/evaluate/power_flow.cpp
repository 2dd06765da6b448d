#include "core/evaluate/power_flow.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "core/instructions/instruction.h"

namespace rs::eval {

namespace {

constexpr uint64_t kAll = ~uint64_t{0};

// Union-find over the nodes (row, edge): edge e is the left edge of column e,
// 1 to 10; edge 1 of every row is the left rail, node 0.
class Nodes {
  public:
    explicit Nodes(int rows) : m_parent(static_cast<size_t>(rows) * 10 + 1) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    static int id(int row, int edge) { return edge == 1 ? 0 : 1 + row * 10 + (edge - 1); }
    int find(int x) {
        while (m_parent[x] != x) x = m_parent[x] = m_parent[m_parent[x]];
        return x;
    }
    void join(int a, int b) { m_parent[find(a)] = find(b); }

  private:
    std::vector<int> m_parent;
};

// Which scans let a cell of columns 1 to 9 join its left and right edges.
uint64_t conducts(const LadderGrid& g, int r, int c, const WideReader& devices) {
    const int32_t kind = serialTwin(g.kind(r, c));
    const bool symbol = g.hasSymbol(r, c);
    if (symbol && (kind == OpenContact || kind == RisingPulse)) return devices(g.text(r, c));
    if (symbol && (kind == CloseContact || kind == FallingPulse)) return ~devices(g.text(r, c));
    return g.hasWire(r, c) && !symbol ? kAll : 0;
}

bool isFlowText(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}

}  // namespace

std::vector<WideOutput> runGridWide(const LadderGrid& grid, int first, int last,
                                    const WideReader& devices) {
    first = std::max(first, 0);
    last = std::min(last, kGridRows - 1);
    std::vector<WideOutput> out;
    if (last < first) return out;
    const int rows = last - first + 1;
    // Per row: the conducting scans of columns 1 to 9 and the powered scans of
    // the left edges 1 to 10 (edge 1 is the left rail).
    std::vector<std::array<uint64_t, 10>> cond(static_cast<size_t>(rows));
    std::vector<std::array<uint64_t, 11>> power(static_cast<size_t>(rows));
    std::vector<uint16_t> downs(static_cast<size_t>(rows), 0);  // bit c: LinkDown at column c
    for (int i = 0; i < rows; ++i) {
        const int r = first + i;
        for (int c = 1; c <= 9; ++c) cond[i][c] = conducts(grid, r, c, devices);
        power[i].fill(0);
        power[i][1] = kAll;
        if (i + 1 < rows)
            for (int c = 2; c <= kOutputCol; ++c)
                if (grid.has(r, c, LinkDown)) downs[i] |= static_cast<uint16_t>(1u << c);
    }
    // Power spreads along rows both ways and over vertical wires both ways,
    // until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < rows; ++i) {
            auto& p = power[i];
            for (int c = 1; c <= 9; ++c) p[c + 1] |= p[c] & cond[i][c];
            for (int c = 9; c >= 1; --c) p[c] |= p[c + 1] & cond[i][c];
        }
        for (int i = 0; i + 1 < rows; ++i) {
            if (downs[i] == 0) continue;
            auto& p = power[i];
            auto& q = power[i + 1];
            for (int c = 2; c <= kOutputCol; ++c) {
                if (!(downs[i] & (1u << c)) || p[c] == q[c]) continue;
                p[c] = q[c] = p[c] | q[c];
                changed = true;
            }
        }
    }
    for (int i = 0; i < rows; ++i) {
        const int r = first + i;
        const int32_t kind = grid.kind(r, kOutputCol);
        const std::string& text = grid.text(r, kOutputCol);
        if ((kind != Coil && kind != AppInstruction) || isFlowText(text)) continue;
        out.push_back({text, power[i][kOutputCol], r});
    }
    return out;
}

FlowMap flowMap(const LadderGrid& grid, const std::function<bool(int row, int col)>& conducts) {
    const int rows = std::max(std::min(grid.m_nDrawnLastRow + 1, kGridRows), 0);
    FlowMap map(rows);
    if (rows == 0) return map;
    Nodes nodes(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c <= 9; ++c)
            if (conducts(r, c)) nodes.join(Nodes::id(r, c), Nodes::id(r, c + 1));
        for (int c = 1; c <= kOutputCol; ++c)
            if (r + 1 < rows && grid.has(r, c, LinkDown))
                nodes.join(Nodes::id(r, c), Nodes::id(r + 1, c));
    }
    const int rail = nodes.find(0);
    for (int r = 0; r < rows; ++r)
        for (int e = 1; e <= 10; ++e)
            if (nodes.find(Nodes::id(r, e)) == rail) map.setPowered(r, e);
    return map;
}

std::vector<Output> runGrid(const LadderGrid& grid, const DeviceReader& devices) {
    const std::vector<WideOutput> wide =
        runGridWide(grid, 0, std::min(grid.m_nDrawnLastRow, kGridRows - 1),
                    [&devices](const std::string& d) { return devices(d) ? kAll : 0; });
    std::vector<Output> out;
    out.reserve(wide.size());
    for (const WideOutput& o : wide) out.push_back({o.name, (o.on & 1u) != 0});
    return out;
}

}  // namespace rs::eval
