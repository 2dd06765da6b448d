#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace rs::eval {

// Depth of the controller's block stack and of its point stack (MPS).
constexpr int kRungStackDepth = 11;

// What a rung's instructions can do wrong to the stacks; each has the
// system's one message (`rungFaultText`).
enum class RungFault : uint8_t {
    LoadWithBlockOpen,       // a load after an output whose rung left a block open
    BlockStackFull,          // a load with the block stack full
    AndWithoutBlock,         // an AND contact and no block
    OrWithoutBlock,          // an OR contact and no block, or right after an output
    JoinWithoutTwoBlocks,    // ANB or ORB with fewer than two blocks, or after an output
    PointNeedsOneBlock,      // MPS with no block or more than one
    PointStackFull,          // MPS with the point stack full
    PointStackEmpty,         // MRD or MPP without MPS
    PointWithBlockOpen,      // MRD or MPP with more than one block
    OutputWithoutCondition,  // an output and no block
    OutputWithBlockOpen,     // an output with more than one block
    HeldWithPointOpen,       // a rung loaded after an output while an MPS of it is open
    PointOpenAtBoundary,     // MPS without MPP before a row that stands between rungs
    RungWithoutOutput,       // a rung's block without an output before such a row
};

std::string rungFaultText(RungFault fault);

// A refusal: the fault and the row it names. For a held result dropped with
// an MPS open that is the load which started the new rung; for every other
// fault the row the caller is at (-1 here).
struct RungRefusal {
    RungFault fault;
    int row = -1;
};

// The held result, the block stack and the point stack of one rung, over
// `Lane` values: bool for one scan, a 64-bit word for 64 scans at once (bit k
// of every value is scan k). Every operation checks what the controller
// would refuse before it changes anything and returns the refusal.
//
// After an output the rung's result stays: AND, MPS or a block loaded and
// joined by ANB or ORB continues from it (LD X000, OUT Y000, LD X001, OR
// X002, ANB, OUT Y001). A block loaded after an output sits above that held
// result until ANB or ORB joins them, or it reaches an output or MPS on its
// own: then a new rung began and the held result is dropped.
template <typename Lane>
class RungStack {
  public:
    using Result = std::optional<RungRefusal>;

    int depth() const { return m_depth; }
    int pointDepth() const { return m_pointDepth; }
    bool driven() const { return m_driven; }
    // The block being built (valid while depth() > 0).
    Lane top() const { return m_blocks[static_cast<size_t>(m_depth - 1)]; }
    // Block i (0 the oldest, below depth()) and point i (below pointDepth()),
    // for a display of the stacks.
    Lane block(int i) const { return m_blocks[static_cast<size_t>(i)]; }
    Lane point(int i) const { return m_points[static_cast<size_t>(i)]; }
    // Whether block 0 is the held result of the rung before the last load.
    bool holdsEarlierResult() const { return m_held; }

    Result load(Lane v, int row) {
        if (m_driven) {
            if (m_depth != 1) return refuse(RungFault::LoadWithBlockOpen);
            m_held = true;
            m_heldRow = row;
            m_driven = false;
        }
        if (m_depth == kRungStackDepth) return refuse(RungFault::BlockStackFull);
        m_blocks[static_cast<size_t>(m_depth++)] = v;
        return std::nullopt;
    }
    Result andWith(Lane v) {
        if (m_depth == 0) return refuse(RungFault::AndWithoutBlock);
        topRef() = topRef() & v;
        m_driven = false;
        return std::nullopt;
    }
    Result orWith(Lane v) {
        if (m_depth == 0 || m_driven) return refuse(RungFault::OrWithoutBlock);
        topRef() = topRef() | v;
        return std::nullopt;
    }
    // ANB (series) or ORB (parallel) of the two top blocks.
    Result join(bool series) {
        if (m_depth < 2 || m_driven) return refuse(RungFault::JoinWithoutTwoBlocks);
        const Lane upper = m_blocks[static_cast<size_t>(--m_depth)];
        topRef() = series ? (topRef() & upper) : (topRef() | upper);
        if (m_depth == 1) m_held = false;
        return std::nullopt;
    }
    // MPS: the block may already drive an output; its value is kept for the
    // outputs that branch off after it.
    Result push() {
        if (auto r = dropHeld()) return r;
        if (m_depth != 1) return refuse(RungFault::PointNeedsOneBlock);
        if (m_pointDepth == kRungStackDepth) return refuse(RungFault::PointStackFull);
        m_points[static_cast<size_t>(m_pointDepth++)] = topRef();
        m_driven = false;
        return std::nullopt;
    }
    // MRD (pop false) or MPP (pop true).
    Result read(bool pop) {
        if (m_pointDepth == 0) return refuse(RungFault::PointStackEmpty);
        if (m_depth != 1) return refuse(RungFault::PointWithBlockOpen);
        topRef() = m_points[static_cast<size_t>(m_pointDepth - 1)];
        if (pop) --m_pointDepth;
        m_driven = false;
        return std::nullopt;
    }
    // The condition of an output row: the rung's one block, now driving.
    Result output(Lane& condition) {
        if (auto r = dropHeld()) return r;
        if (m_depth == 0) return refuse(RungFault::OutputWithoutCondition);
        if (m_depth != 1) return refuse(RungFault::OutputWithBlockOpen);
        condition = topRef();
        m_driven = true;
        return std::nullopt;
    }
    // A row that stands between rungs (a label, FEND, END, the list's end):
    // the rung before it must be complete; the stacks start empty after it.
    Result boundary() {
        if (m_held && m_pointDepth > 0) return heldRefusal();
        if (m_pointDepth > 0) return refuse(RungFault::PointOpenAtBoundary);
        if (m_depth > 0 && !m_driven) return refuse(RungFault::RungWithoutOutput);
        *this = RungStack{};
        return std::nullopt;
    }

  private:
    static Result refuse(RungFault fault) { return RungRefusal{fault, -1}; }
    Result heldRefusal() const { return RungRefusal{RungFault::HeldWithPointOpen, m_heldRow}; }
    Lane& topRef() { return m_blocks[static_cast<size_t>(m_depth - 1)]; }
    // A new rung began at the load above the held result: that result goes,
    // unless a point of the old rung is still open.
    Result dropHeld() {
        if (!m_held || m_depth != 2) return std::nullopt;
        if (m_pointDepth > 0) return heldRefusal();
        m_blocks[0] = m_blocks[1];
        m_depth = 1;
        m_held = false;
        return std::nullopt;
    }

    std::array<Lane, kRungStackDepth> m_blocks{};
    std::array<Lane, kRungStackDepth> m_points{};
    int m_depth = 0;
    int m_pointDepth = 0;
    int m_heldRow = -1;  // the load that started a block above the held result
    bool m_driven = false;
    bool m_held = false;  // m_blocks[0] is the result of the rung before the last load
};

}  // namespace rs::eval
