#pragma once

#include "app/model/ladder_geometry.h"
#include "app/model/scene.h"
#include "core/ladder_grid.h"
#include "core/session.h"
#include "project/device_comments.h"

namespace rs::shell {

// A rectangle of cells, corners included, in any order.
struct CellSelection {
    bool active = false;
    int row0 = 0;
    int col0 = 0;
    int row1 = 0;
    int col1 = 0;
};

struct LadderSceneInput {
    const LadderGrid& grid;
    LadderGeometry geometry;
    bool mode2 = true;
    // Only rows that reach into the pixel rows firstY to lastY are drawn; the
    // drawing is the same as if every row were drawn and the rest clipped.
    int firstY = 0;
    int lastY = kScrollAreaSize;
    CellSelection selection;
    // A cell a report marks with a rectangle (the list's marks are not drawn here).
    Highlight mark;
    // When given, each contact and coil shows its device's comment under it.
    const DeviceComments* comments = nullptr;
};

// The ladder as the view draws it: rails, END row, cursor box, step and row
// labels and every cell's glyph, from a grid already tidied for painting.
// Reads the grid (and the comments) only.
Scene ladderScene(const LadderSceneInput& in);

// The row of the END line: one below the last row in use.
int endRow(const LadderGrid& grid);

// Number of operands of the output instruction of a row (0 when none).
int outputOperandCount(const LadderGrid& grid, int row, bool mode2);

// The text position of an instruction box with n operands for a client width.
int instructionTextLeft(const LadderGeometry& g, int operands);

}  // namespace rs::shell
