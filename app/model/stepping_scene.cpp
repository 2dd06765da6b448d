#include "app/model/stepping_scene.h"

#include <algorithm>

namespace rs::shell {

namespace {

// A breakpoint mark: a square of the margin, centred on the line.
Rect mark(int left, int top, int height) {
    const int size = std::min(height, kListMarginWidth) - 6;
    const int y = top + (height - size) / 2;
    return {left + 3, y, left + 3 + size, y + size};
}

bool visible(int top, int bottom, int firstY, int lastY) {
    return bottom >= firstY && top <= lastY;
}

}  // namespace

std::optional<int> marginRowAt(bool listMode, Point at, const LadderGeometry& g) {
    if (at.x < 0 || at.y < 0) return std::nullopt;
    if (listMode)
        return at.x < kListMarginWidth ? std::optional<int>(at.y / kListLineHeight) : std::nullopt;
    if (g.W <= 0 || at.x >= g.W) return std::nullopt;
    return g.rowAt(at.y);
}

std::string steppingText(const sim::Engine& engine) {
    if (!engine.midScan()) return {};
    const sim::RungLogic& s = engine.rungLogic();
    std::string text = "result ";
    text += s.depth() > 0 ? (s.top() ? "1" : "0") : "-";
    text += "  blocks";
    if (s.depth() == 0) text += " -";
    for (int i = 0; i < s.depth(); ++i) {
        const char* value = s.block(i) ? "1" : "0";
        // The result of the rung before, kept below a block loaded after its output.
        text += i == 0 && s.holdsEarlierResult() ? std::string(" (") + value + ")"
                                                 : std::string(" ") + value;
    }
    text += "  points";
    if (s.pointDepth() == 0) text += " -";
    for (int i = 0; i < s.pointDepth(); ++i) text += s.point(i) ? " 1" : " 0";
    if (engine.callDepth() > 0) text += "  call " + std::to_string(engine.callDepth());
    if (engine.loopDepth() > 0) text += "  FOR " + std::to_string(engine.loopDepth());
    return text;
}

Scene steppingListScene(const sim::Engine& engine, const std::vector<int>& breakpoints,
                        int clientWidth, int firstY, int lastY) {
    Scene s;
    for (const int row : breakpoints) {
        const int top = row * kListLineHeight;
        if (visible(top, top + kListLineHeight, firstY, lastY))
            s.boxes.push_back(mark(0, top, kListLineHeight));
    }
    const int row = engine.currentRow();
    if (row < 0) return s;
    const int top = row * kListLineHeight, bottom = top + kListLineHeight;
    s.highlights.push_back({0, top, clientWidth, bottom});
    s.texts.push_back({{clientWidth * 2 / 5, top, clientWidth, bottom},
                       steppingText(engine),
                       Scene::Align::LeftMiddle});
    return s;
}

Scene steppingLadderScene(const sim::Engine& engine, const sim::RungRows& rungs,
                          const std::vector<int>& breakpoints, const LadderGeometry& g, int firstY,
                          int lastY) {
    Scene s;
    if (g.W <= 0 || g.H <= 0) return s;
    for (const int row : breakpoints) {
        const int r = rungs.gridRowOf(row);
        if (r < 0 || !visible(r * g.H, (r + 1) * g.H, firstY, lastY)) continue;
        const int size = std::min(g.W, g.H) / 3;
        const int top = r * g.H + (g.H - size) / 2;
        s.boxes.push_back({g.W / 8, top, g.W / 8 + size, top + size});
    }
    const int r = rungs.gridRowOf(engine.currentRow());
    if (r < 0) return s;
    const int top = r * g.H;
    s.highlights.push_back({0, top, g.leftRail(), top + g.H});
    s.texts.push_back(
        {{g.W + 4, top + g.H * 3 / 4, g.clientWidth * 3 / 4, top + g.H},
         sim::rowName(engine.program(), engine.currentRow()) + ":  " + steppingText(engine),
         Scene::Align::LeftMiddle});
    return s;
}

}  // namespace rs::shell
