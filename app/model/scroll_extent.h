#pragma once

#include "app/model/ladder_geometry.h"
#include "core/session.h"

namespace rs::shell {

// The size of what the view can scroll over, in pixels.
struct ScrollExtent {
    int width = 0;
    int height = 0;
};

// The ladder: every row down to the END row (or the cursor row, when a click
// put it lower), and scrolled to the end a screen that starts with that row,
// the empty rows below it to draw into; as wide as the diagram, which always
// fits the client width.
ScrollExtent ladderExtent(const LadderGrid& grid, const LadderGeometry& g, int clientHeight);

// The instruction list: every line down to a screen that starts with the END
// line (or the cursor line).
ScrollExtent listExtent(const Session& s, int clientWidth, int clientHeight);

// The extent of whichever presentation the session shows.
ScrollExtent viewExtent(const Session& s, const LadderGeometry& g, int clientHeight);

// The scroll position that brings the span from top to bottom into a window
// of the given height scrolled to `current`: unchanged when the span shows
// already, else the least move that shows its top.
int scrollToShow(int current, int windowHeight, int top, int bottom);

}  // namespace rs::shell
