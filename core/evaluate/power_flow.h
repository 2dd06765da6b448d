#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/evaluate/devices.h"
#include "core/ladder_grid.h"

namespace rs::eval {

// Runs the ladder as a relay circuit over the given device values, rows 0 to
// the grid's drawn last row. Every row starts at the left rail (the left edge
// of column 1); a cell of columns 1 to 9 passes current as the direction rule
// of `cellPath` says: a contact by its device (branch and edge kinds as their
// serial twins) from left to right only, a plain wire both ways, the columns
// of an instruction box left to right. LinkDown joins the left edges of a
// cell and the cell below it, both ways.
// An output cell in column 10 (coil or application instruction; not the flow
// rows FEND, SRET, FOR, NEXT) is on when its left edge is powered. Outputs come
// in row order.
std::vector<Output> runGrid(const LadderGrid& grid, const DeviceReader& devices);

// The same circuit over 64 input assignments at once, on rows first..last
// alone (vertical wires into rows outside are cut). Outputs carry their grid
// row.
std::vector<WideOutput> runGridWide(const LadderGrid& grid, int first, int last,
                                    const WideReader& devices);

// The same over any lane of values: a 64-bit word (as runGridWide) or a `Bdd`,
// which gives each output as a function of the devices.
template <typename Lane>
std::vector<LaneOutput<Lane>> runGridLanes(const LadderGrid& grid, int first, int last,
                                           const LaneReader<Lane>& devices);

// Which edges the left rail reaches, rows 0 to the grid's drawn last row, when
// each cell of columns 1 to 9 conducts as `conducts(row, col)` says, in the
// directions `cellPath` allows (LinkDown joins as above). Edge e is the left edge of column e (1 to
// 10), so a cell's right edge is the next column's left edge.
class FlowMap {
  public:
    FlowMap(int rows) : m_rows(rows), m_powered(static_cast<size_t>(rows) * 10) {}
    int rows() const { return m_rows; }
    bool powered(int row, int edge) const {
        return row >= 0 && row < m_rows && edge >= 1 && edge <= 10 &&
               m_powered[static_cast<size_t>(row) * 10 + static_cast<size_t>(edge - 1)] != 0;
    }
    void setPowered(int row, int edge) {
        m_powered[static_cast<size_t>(row) * 10 + static_cast<size_t>(edge - 1)] = 1;
    }

  private:
    int m_rows;
    std::vector<uint8_t> m_powered;
};
FlowMap flowMap(const LadderGrid& grid, const std::function<bool(int row, int col)>& conducts);

}  // namespace rs::eval
