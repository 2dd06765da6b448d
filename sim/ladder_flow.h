#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ladder_grid.h"
#include "sim/engine.h"

namespace rs::sim {

// The state of one ladder cell after a scan, for display.
struct CellFlow {
    bool left = false;       // power reaches the cell's left edge
    bool right = false;      // power reaches its right edge
    bool closed = false;     // a contact that conducts
    bool energized = false;  // an output (coil, instruction box) whose left edge is powered
};

// Power flow of a ladder over the engine's device values, worked out with the
// grid's power-flow evaluator. The cells' devices are resolved once by
// prepare(), since the ladder does not change while a simulation runs; a
// rising (falling) pulse contact conducts when its device rose (fell) in the
// last scan, every other contact by its device's level now.
class LadderFlow {
  public:
    void prepare(const LadderGrid& grid);
    void update(const LadderGrid& grid, const Engine& engine);

    int rows() const { return m_rows; }
    CellFlow cell(int row, int col) const;

  private:
    enum class Conduct : uint8_t { Never, Always, Open, Closed, Rise, Fall };
    struct Prepared {
        Conduct how = Conduct::Never;
        uint32_t bit = 0;
    };
    bool conducts(const Prepared& p, const Engine& engine) const;

    int m_rows = 0;
    std::vector<Prepared> m_cells;  // rows x columns 1..9
    std::vector<uint8_t> m_state;   // rows x 11, CellFlow packed in bits
};

}  // namespace rs::sim
