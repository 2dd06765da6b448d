#include "sim/rung_rows.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "core/convert/step_count.h"
#include "core/limits.h"

namespace rs::sim {

void RungRows::prepare(const LadderGrid& grid, const InstructionTable& table, bool mode2) {
    m_rungs.clear();
    m_rowSteps.clear();
    const int lastRow = std::min(grid.m_nLastRow + 1, kGridRows - 1);
    for (int r = 0; r <= lastRow; ++r) {
        const std::string& label = grid.rowStep(r);
        int64_t steps = 0;
        const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), steps);
        if (label.empty() || error != std::errc{} || end != label.data() + label.size()) continue;
        m_rungs.emplace_back(r, steps);
    }
    int64_t steps = 0;
    for (int k = 0; k < kListRows && table.rowUsed(k); ++k) {
        m_rowSteps.push_back(steps);
        steps += rowSteps(table.m_Instruction[static_cast<size_t>(k)],
                          table.m_Parameter[static_cast<size_t>(k)],
                          table.m_FunNo[static_cast<size_t>(k)], mode2);
        if (table.m_Instruction[static_cast<size_t>(k)] == "END") break;
    }
}

int RungRows::gridRowOf(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rowSteps.size()) || m_rungs.empty()) return -1;
    const int64_t steps = m_rowSteps[static_cast<size_t>(row)];
    // The last rung whose label is at or below the row's first step.
    const auto after = std::upper_bound(
        m_rungs.begin(), m_rungs.end(), steps,
        [](int64_t s, const std::pair<int, int64_t>& rung) { return s < rung.second; });
    return after == m_rungs.begin() ? -1 : std::prev(after)->first;
}

int RungRows::listRowOf(int gridRow) const {
    const auto after =
        std::upper_bound(m_rungs.begin(), m_rungs.end(), gridRow,
                         [](int g, const std::pair<int, int64_t>& rung) { return g < rung.first; });
    if (after == m_rungs.begin()) return -1;
    const int64_t label = std::prev(after)->second;
    const auto row = std::lower_bound(m_rowSteps.begin(), m_rowSteps.end(), label);
    if (row == m_rowSteps.end()) return -1;
    const int k = static_cast<int>(row - m_rowSteps.begin());
    return gridRowOf(k) == std::prev(after)->first ? k : -1;
}

}  // namespace rs::sim
