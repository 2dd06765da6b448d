#pragma once

#include <vector>

#include "core/ladder_grid.h"

namespace rs::convert {

// One row the series-parallel compiler asks Convert to write: a contact of a
// cell as load, and or or; a block or stack row (ANB, ORB, MPS, MRD, MPP); or
// the output in column 10 of a grid row.
struct SpStep {
    enum Kind { Load, And, Or, Plain, Output };
    Kind kind;
    int row = 0;
    int col = 0;
    const char* mnemonic = nullptr;  // Plain only
};

struct SpResult {
    bool ok = false;
    int row = -1;  // the cell that keeps the rung from converting, when not ok
    int col = -1;
    bool reversed = false;  // that cell is a contact the circuit reads right to left
    std::vector<SpStep> steps;
};

// Compiles the rung drawn in grid rows first..last as a relay circuit: the
// wires (plain wire cells, vertical wires) make the circuit's nodes, every
// contact joins two nodes, every output hangs at one. The circuit is reduced
// by contacts in series (a node with two contacts and nothing else), contacts
// in parallel (two contacts between the same nodes) and branches (a node
// reached by one contact only, with outputs or further branches hanging
// there). A rung that reduces to branches from the left rail is written in
// the list style of Convert: LD, AND, OR with ANB and ORB for blocks, outputs
// at their point, MPS, MRD and MPP where a point has more than one branch.
// Contacts pass current from left to right only (`eval::cellPath`): a rung
// whose reduction reads a contact from its right end to its left end means
// something the list cannot say, and is refused at that contact.
// Refused, at a cell, are: a contact in parallel with a plain wire (shorted),
// a contact that leads nowhere, an output wired straight to the rail or to no
// rail, a symbol that is neither a contact left of column 10 nor an output in
// it, and a circuit that does not reduce (a bridge). `maxDepth` bounds the
// nesting of blocks and points.
SpResult compileSeriesParallel(const LadderGrid& g, int first, int last, int maxDepth);

}  // namespace rs::convert
