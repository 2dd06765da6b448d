#include "core/list_to_ladder/list_to_ladder.h"

#include "core/list_to_ladder/cell_plan.h"
#include "core/list_to_ladder/rung_layout.h"
#include "core/list_to_ladder/rung_parser.h"
#include "core/messages.h"

namespace rs::ladder {

PlacementOutcome placeList(const InstructionTable& table, bool mode2, LadderGrid& grid) {
    RungModel model;
    PlacementOutcome outcome = parseRungs(table, model);
    if (!outcome.ok()) return outcome;
    CellPlan plan;
    int lastRow = -1;
    outcome = layoutRungs(model, table, mode2, plan, lastRow);
    if (!outcome.ok()) return outcome;
    plan.writeTo(grid);
    // The grid now ends at the placed ladder: the redraw puts END below it and
    // Convert reads no row of an earlier, longer ladder.
    grid.m_nListLastRow = lastRow;
    grid.m_nLastRow = lastRow;
    grid.m_nDrawnLastRow = lastRow;
    return outcome;
}

namespace {

void appendEndWhenMissing(Session& s) {
    auto& list = s.view.records.m_InstructionList;
    if (!list.empty() && list.back().m_strText == "END") return;
    store::appendEnd(s.table(), s.view.records, static_cast<int>(list.size()));
}

}  // namespace

bool listToLadder(Session& s) {
    appendEndWhenMissing(s);
    const PlacementOutcome outcome = placeList(s.table(), s.mode2(), s.grid());
    if (outcome.ok()) return true;
    s.view.m_nListCursor = outcome.listRow;
    s.view.highlight = Highlight{true, true, outcome.listRow, 0};
    const bool tooLarge = outcome.fault != PlacementFault::Malformed;
    msg::refuse(s.sink, tooLarge ? msg::kExceedsEditRange : msg::kUnconvertible);
    return false;
}

}  // namespace rs::ladder
