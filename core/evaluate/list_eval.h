#pragma once

#include <string>
#include <vector>

#include "core/evaluate/devices.h"
#include "core/instruction_store.h"

namespace rs::eval {

struct ListRow {
    std::string mnemonic;
    std::string operand;
};

struct ListResult {
    bool ok = true;
    int errorRow = -1;            // the row the evaluator refused
    std::string problem;          // why
    std::vector<Output> outputs;  // in the order the rows wrote them
};

template <typename Lane>
struct LaneListResult {
    bool ok = true;
    int errorRow = -1;
    std::string problem;
    std::vector<LaneOutput<Lane>> outputs;  // in the order the rows wrote them, with their rows
};
using WideListResult = LaneListResult<uint64_t>;

// Runs one scan of an instruction list over the given device values. Knows
// the bit instructions LD, LDI, AND, ANI, OR, ORI (and their pulse forms),
// ANB, ORB, MPS, MRD, MPP and OUT; any other mnemonic with an operation block
// open is an application instruction driven by it (an output); a label row or
// a row of FEND, SRET, FOR, NEXT and the like stands between rungs. After an
// output the rung's result stays: AND, MPS, or a block loaded and joined with
// ANB or ORB continues from it (LD X000, OUT Y000, LD X001, OR X002, ANB,
// OUT Y001); a load whose block reaches an output or MPS unjoined starts a new
// rung. It
// refuses what no well-formed list does: an output or a rung boundary with a
// block left open, ANB or ORB without two blocks, MRD or MPP without MPS, an
// MPS still open at END or a rung boundary, a contact with no block to work on.
// The list ends at END or after its last row.
ListResult runList(const std::vector<ListRow>& rows, const DeviceReader& devices);

// The same scan over 64 input assignments at once (bit k of every value is
// scan k). Refuses exactly what runList refuses.
WideListResult runListWide(const std::vector<ListRow>& rows, const WideReader& devices);

// The same scan over any lane of values: a 64-bit word (as runListWide) or a
// `Bdd`, which gives each output as a function of the devices.
template <typename Lane>
LaneListResult<Lane> runListLanes(const std::vector<ListRow>& rows,
                                  const LaneReader<Lane>& devices);

// The rows of an instruction table up to its END row (included) or its first
// free row.
std::vector<ListRow> tableRows(const InstructionTable& table);

}  // namespace rs::eval
