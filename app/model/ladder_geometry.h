#pragma once

#include "app/model/scene.h"

namespace rs::shell {

// The shortest length of the power rails, in pixels, and the pixel row up to
// which a scene is drawn when no window bounds it.
constexpr int kScrollAreaSize = 20000;
// Height of one instruction list line.
constexpr int kListLineHeight = 25;

// The ladder's geometry for one client size: always 12 cell widths and 8 rows
// visible, whatever the window's size. Integer arithmetic, divisions truncate.
struct LadderGeometry {
    LadderGeometry(int clientWidth, int clientHeight)
        : clientWidth(clientWidth), W(clientWidth / 12), H(clientHeight / 8) {}

    int clientWidth;
    int W;  // cell width
    int H;  // cell height

    int leftRail() const { return W; }
    int rightRail() const { return clientWidth * 12 / 13; }
    Rect cell(int row, int col) const { return {col * W, row * H, (col + 1) * W, (row + 1) * H}; }
    int wireY(int row) const { return row * H + H / 2; }
    // The cell under a scrolled point; the column is not capped.
    int rowAt(int y) const { return H > 0 ? y / H : 0; }
    int colAt(int x) const { return W > 0 ? x / W : 0; }
};

}  // namespace rs::shell
