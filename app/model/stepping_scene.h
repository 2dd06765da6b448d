#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/model/ladder_geometry.h"
#include "app/model/scene.h"
#include "sim/engine.h"
#include "sim/rung_rows.h"

namespace rs::shell {

// Width of the list's margin, left of the step numbers: a click there toggles
// the line's breakpoint, and the breakpoint marks are drawn there. The
// ladder's margin is column 0, left of the left rail.
constexpr int kListMarginWidth = 16;

// The line (list) or grid row (ladder) whose margin a scrolled point is in.
std::optional<int> marginRowAt(bool listMode, Point at, const LadderGeometry& g);

// What the engine holds before the row it paused at: "result 1  blocks 1 0
// points 1", blocks and points oldest first, the result of the rung before in
// parentheses while a block loaded after its output sits above it ("blocks (1)
// 0"), with "call N" and "FOR N" while a subroutine or loop is open; empty
// between scans.
std::string steppingText(const sim::Engine& engine);

// What stepping adds to the drawn list: the line the engine paused before as
// the highlight, the stacks beside it as a text, and each line holding a
// breakpoint as a box in the margin (a mark).
Scene steppingListScene(const sim::Engine& engine, const std::vector<int>& breakpoints,
                        int clientWidth, int firstY, int lastY);

// The same over the ladder: the first row of the rung that holds the current
// row, the stacks in the lower part of that row, and a mark in the margin of
// every rung holding a breakpoint.
Scene steppingLadderScene(const sim::Engine& engine, const sim::RungRows& rungs,
                          const std::vector<int>& breakpoints, const LadderGeometry& g, int firstY,
                          int lastY);

}  // namespace rs::shell
