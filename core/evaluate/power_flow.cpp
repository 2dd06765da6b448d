#include "core/evaluate/power_flow.h"

#include <algorithm>
#include <numeric>

namespace rs::eval {

namespace {

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

bool conducts(const LadderGrid& g, int r, int c, const DeviceReader& devices) {
    const int32_t kind = serialTwin(g.kind(r, c));
    const bool symbol = g.hasSymbol(r, c);
    if (symbol && (kind == OpenContact || kind == RisingPulse)) return devices(g.text(r, c));
    if (symbol && (kind == CloseContact || kind == FallingPulse)) return !devices(g.text(r, c));
    return g.hasWire(r, c) && !symbol;
}

bool isFlowText(const std::string& t) {
    return t == "FEND" || t == "SRET" || t == "FOR" || t == "NEXT";
}

}  // namespace

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
    const FlowMap map = flowMap(grid, [&](int r, int c) { return conducts(grid, r, c, devices); });
    std::vector<Output> out;
    for (int r = 0; r < map.rows(); ++r) {
        const int32_t kind = grid.kind(r, kOutputCol);
        const std::string& text = grid.text(r, kOutputCol);
        if ((kind != Coil && kind != AppInstruction) || isFlowText(text)) continue;
        out.push_back({text, map.powered(r, kOutputCol)});
    }
    return out;
}

}  // namespace rs::eval
