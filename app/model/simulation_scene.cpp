#include "app/model/simulation_scene.h"

#include <algorithm>

#include "app/model/ladder_scene.h"
#include "sim/ladder_values.h"
#include "sim/watch.h"

namespace rs::shell {

namespace {

// Whether the drawing at a point of cell (row, col) carries power.
bool litAt(const SimulationSceneInput& in, int row, int col) {
    if (col >= kOutputCol) return in.flow.cell(row, kOutputCol).energized;
    if (col < 1) return false;
    const sim::CellFlow f = in.flow.cell(row, col);
    return in.grid.hasSymbol(row, col) ? f.closed : f.left;
}

bool lineLit(const SimulationSceneInput& in, const Scene::Line& l) {
    const LadderGeometry& g = in.geometry;
    if (g.W <= 0 || g.H <= 0) return false;
    // A vertical wire on a column's left edge joins the rows it spans: it
    // carries power when that edge does.
    if (l.from.x == l.to.x && l.from.x % g.W == 0) {
        const int col = l.from.x / g.W;
        const int row = std::min(l.from.y, l.to.y) / g.H;
        return col >= 1 && col <= kOutputCol && in.flow.cell(row, col).left;
    }
    const int mx = (l.from.x + l.to.x) / 2, my = (l.from.y + l.to.y) / 2;
    const int row = g.rowAt(my), col = g.colAt(mx);
    // The wire stubs of a contact carry power from the side that has it; its
    // bars light up when it is closed.
    if (col >= 1 && col <= 9 && in.grid.hasSymbol(row, col)) {
        const sim::CellFlow f = in.flow.cell(row, col);
        const int x0 = col * g.W;
        if (l.from.y == l.to.y && mx < x0 + g.W * 2 / 5) return f.left;
        if (l.from.y == l.to.y && mx > x0 + g.W * 3 / 5) return f.right;
    }
    return litAt(in, row, col);
}

// "D0=5 D1=-3": the values of the word devices the ladder shows under a cell.
std::string wordValues(const SimulationSceneInput& in, int row, int col) {
    std::string out;
    for (const std::string& w : sim::shownWordDevices(in.grid, row, col)) {
        const std::string v = sim::deviceValueText(in.engine, w);
        if (!v.empty()) out += (out.empty() ? "" : " ") + v;
    }
    return out;
}

}  // namespace

Scene simulationLadderScene(const SimulationSceneInput& in) {
    Scene s;
    for (const Scene::Line& l : in.drawn.lines)
        if (lineLit(in, l)) s.lines.push_back(l);
    for (const Scene::Arc& a : in.drawn.arcs) {
        const int mx = (a.bounds.left + a.bounds.right) / 2;
        const int my = (a.bounds.top + a.bounds.bottom) / 2;
        if (litAt(in, in.geometry.rowAt(my), in.geometry.colAt(mx))) s.arcs.push_back(a);
    }
    const LadderGeometry& g = in.geometry;
    if (g.H <= 0) return s;
    const int first = std::max(0, in.firstY / g.H - 1);
    const int last = std::min(in.flow.rows() - 1, in.lastY / g.H + 1);
    for (int r = first; r <= last; ++r) {
        const int y0 = r * g.H;
        const int top = y0 + g.H * 2 / 3, bottom = y0 + g.H;
        for (int c = 1; c <= 9; ++c) {
            if (!in.grid.hasSymbol(r, c) || !isSerialContactKind(serialTwin(in.grid.kind(r, c))))
                continue;
            const std::string v = wordValues(in, r, c);
            if (!v.empty()) s.texts.push_back({{c * g.W, top, (c + 1) * g.W, bottom}, v});
        }
        const int32_t kind = in.grid.kind(r, kOutputCol);
        if (kind != Coil && kind != AppInstruction) continue;
        const std::string v = wordValues(in, r, kOutputCol);
        if (v.empty()) continue;
        const int n = kind == Coil ? 0 : outputOperandCount(in.grid, r, true);
        const int left = kind == Coil ? g.clientWidth * 101 / 120 : instructionTextLeft(g, n);
        s.texts.push_back({{left, top, g.clientWidth, bottom}, v, Scene::Align::LeftMiddle});
    }
    return s;
}

Scene simulationListScene(const sim::Engine& engine, int clientWidth, int firstY, int lastY) {
    Scene s;
    const auto& results = engine.rowResults();
    const int first = std::max(0, firstY / kListLineHeight);
    const int last = std::min(static_cast<int>(results.size()) - 1, lastY / kListLineHeight);
    for (int i = first; i <= last; ++i)
        if (results[static_cast<size_t>(i)] == 1)
            s.highlights.push_back(
                {0, i * kListLineHeight, clientWidth, (i + 1) * kListLineHeight});
    return s;
}

}  // namespace rs::shell
