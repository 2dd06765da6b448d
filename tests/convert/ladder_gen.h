#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/evaluate/devices.h"
#include "core/ladder_grid.h"

namespace rs::test {

// Ladders as an engineer draws them, made at random from a seed: rungs of
// series contacts and parallel blocks (nested up to two levels, one-column
// branches drawn as branch contacts or with vertical wires), ending in one
// coil, an application instruction, or output branches split off the rung.
// Every rung is well formed, so Convert must turn it into a list of the same
// meaning.
struct GenOptions {
    int maxRungs = 4;
    int maxDepth = 2;  // nesting of parallel blocks
    bool outputBranches = true;
    bool blocksInOutputs = false;
    // Shapes that share vertical wires: a split right on a block's closing
    // wire, output branches opening with a block on the split wire, and
    // branches that are not the last ending in two outputs stacked on their
    // own split. Some of these Convert reports instead of converting.
    bool sharedWires = false;
};

struct GenCell {
    int row;
    int col;
    int32_t kind;
    CellLinks links;
    std::string text;
};

struct GenLadder {
    std::vector<GenCell> cells;
    int lastRow = -1;
    std::vector<std::string> inputs;  // devices the contacts read
};

GenLadder generateLadder(uint32_t seed, const GenOptions& options = {});

// Grids as a user may draw them with the editor's commands, well formed or
// not: a generated ladder (or nothing) edited at random: symbols of every kind
// at every column (branch contacts under plain wire among them), horizontal
// lines over symbols, vertical lines of one to three rows at any column,
// deleted cells and vertical lines, labels on any row, and further rungs
// ending in a coil, SET, RST or an instruction box. Contacts read at most ten
// devices, so every combination of them can be tried.
GenLadder generateDrawnGrid(uint32_t seed);

// A series-parallel ladder as a user may draw it (sp_gen.cpp), with the
// circuit it was drawn from: `meaning` gives the value of every output, in
// row order, for the given lanes of the devices in `ladder.inputs`.
struct SpLadder {
    GenLadder ladder;
    std::function<std::vector<uint64_t>(const eval::WideReader&)> meaning;
};
SpLadder generateSeriesParallel(uint32_t seed);

// Writes the ladder into a grid whose rows 0..clearRows-1 are emptied first.
void drawLadder(const GenLadder& ladder, LadderGrid& grid, int clearRows);

}  // namespace rs::test
