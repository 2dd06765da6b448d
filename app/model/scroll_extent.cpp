#include "app/model/scroll_extent.h"

#include <algorithm>

#include "app/model/ladder_scene.h"
#include "app/model/view_input.h"

namespace rs::shell {

ScrollExtent ladderExtent(const LadderGrid& grid, const LadderGeometry& g, int clientHeight) {
    const int lowest = std::clamp(std::max(endRow(grid), grid.m_nCursorRow), 0, kGridRows - 1);
    return {g.clientWidth, lowest * g.H + std::max(clientHeight, 0)};
}

ScrollExtent listExtent(const Session& s, int clientWidth, int clientHeight) {
    const int records = static_cast<int>(s.view.records.m_InstructionList.size());
    int end = listEndLine(*s.app.table);
    if (end < 0) end = records;
    const int lowest = std::clamp(std::max(end, s.view.m_nListCursor), 0, kListRows - 1);
    return {clientWidth, lowest * kListLineHeight + std::max(clientHeight, 0)};
}

ScrollExtent viewExtent(const Session& s, const LadderGeometry& g, int clientHeight) {
    if (s.view.m_bListMode) return listExtent(s, g.clientWidth, clientHeight);
    return ladderExtent(*s.view.grid, g, clientHeight);
}

int scrollToShow(int current, int windowHeight, int top, int bottom) {
    if (top < current) return top;
    if (bottom > current + windowHeight) return std::min(top, bottom - windowHeight);
    return current;
}

}  // namespace rs::shell
