#include "core/list_to_ladder/rung_layout.h"

#include <algorithm>
#include <vector>

#include "core/instruction_set.h"
#include "core/list_to_ladder/row_role.h"

namespace rs::ladder {

namespace {

class RungLayout {
  public:
    RungLayout(const RungModel& m, const InstructionTable& t, bool mode2, CellPlan& p)
        : m_model(m), m_table(t), m_mode2(mode2), m_plan(p) {}

    PlacementOutcome run(int& lastRow) {
        int row = 0;
        for (const Rung& rung : m_model.rungs) {
            m_rungRow = rung.labelRow >= 0 ? rung.labelRow : firstListRow(rung.net);
            const int first = row;
            if (rung.net < 0) {
                ++row;
            } else {
                const Net net = m_model.nets[static_cast<size_t>(rung.net)];
                if (!placeNet(rung.net, row, 1)) return m_outcome;
                int end = 0;
                if (!placeNode(rung.node, row, 1 + net.width, end)) return m_outcome;
                row = std::max(row + net.height, end);
            }
            if (rung.labelRow >= 0) {
                PlanCell* label = cell(first, 0);
                if (label == nullptr) return m_outcome;
                label->text = m_table.m_Parameter[static_cast<size_t>(rung.labelRow)];
            }
            // The END row stands below the last row and must be a grid row too.
            if (row > kGridRows - 1) return fail(PlacementFault::TooManyRows);
            if (!checkChains(first, row)) return m_outcome;
        }
        setSideLinks();
        lastRow = row - 1;
        return m_outcome;
    }

  private:
    PlacementOutcome fail(PlacementFault f, int listRow = -1) {
        if (m_outcome.ok()) m_outcome = {f, listRow >= 0 ? listRow : m_rungRow};
        return m_outcome;
    }

    int firstListRow(int net) const {
        while (m_model.nets[static_cast<size_t>(net)].type != NetType::Contact)
            net = m_model.nets[static_cast<size_t>(net)].a;
        return m_model.nets[static_cast<size_t>(net)].listRow;
    }

    PlanCell* cell(int row, int col) {
        PlanCell* c = m_plan.at(row, col);
        if (c == nullptr)
            fail(row >= kGridRows ? PlacementFault::TooManyRows : PlacementFault::TooWide);
        return c;
    }

    bool wire(int row, int from, int to) {
        for (int c = from; c < to; ++c) {
            PlanCell* w = cell(row, c);
            if (w == nullptr) return false;
            w->kind = HorizontalLine;
            w->links |= LinkWire;
        }
        return true;
    }

    bool down(int fromRow, int toRow, int col) {
        for (int r = fromRow; r < toRow; ++r) {
            PlanCell* v = cell(r, col);
            if (v == nullptr) return false;
            v->links |= LinkDown;
        }
        return true;
    }

    // The operands of a parallel block, nested parallel blocks opened up, in
    // list order: (A | B) | C and A | (B | C) both give A, B, C.
    void parallelOperands(int index, std::vector<int>& out) const {
        const Net& n = m_model.nets[static_cast<size_t>(index)];
        if (n.type != NetType::Parallel) {
            out.push_back(index);
            return;
        }
        parallelOperands(n.a, out);
        parallelOperands(n.b, out);
    }

    // Convert reads the top row of a parallel block along the rung and the
    // rows below as its branches; an operand with rows of its own (a block
    // inside the operand) is read back in the last place, or first of two at
    // the start of a rung. Operands without rows of their own therefore go
    // first, in their order: the operands of a parallel block may stand in any
    // order.
    void simpleOperandsFirst(std::vector<int>& operands, int col) const {
        if (col == 1 && operands.size() == 2) return;
        std::stable_partition(operands.begin(), operands.end(), [&](int op) {
            return m_model.nets[static_cast<size_t>(op)].height == 1;
        });
    }

    // A network with its top-left cell at (row, col). A parallel block stacks
    // its operands one below the other; each operand's top row is wired
    // through to the block's width, and vertical wires join them at the
    // block's left edge and right of its last column.
    bool placeNet(int index, int row, int col) {
        const Net& n = m_model.nets[static_cast<size_t>(index)];
        if (col + n.width > kOutputCol) return fail(PlacementFault::TooWide).ok();
        switch (n.type) {
            case NetType::Contact: {
                PlanCell* c = cell(row, col);
                if (c == nullptr) return false;
                c->kind = n.kind;
                c->text = m_table.m_Parameter[static_cast<size_t>(n.listRow)];
                c->links |= LinkWire | LinkSymbol;
                return true;
            }
            case NetType::Series: {
                const Net& a = m_model.nets[static_cast<size_t>(n.a)];
                return placeNet(n.a, row, col) && placeNet(n.b, row, col + a.width);
            }
            case NetType::Parallel: {
                std::vector<int> operands;
                parallelOperands(index, operands);
                simpleOperandsFirst(operands, col);
                int top = row;
                int lastTop = row;
                for (const int op : operands) {
                    const Net& o = m_model.nets[static_cast<size_t>(op)];
                    if (!placeNet(op, top, col) || !wire(top, col + o.width, col + n.width))
                        return false;
                    lastTop = top;
                    top += o.height;
                }
                return down(row, lastTop, col) && down(row, lastTop, col + n.width);
            }
        }
        return false;
    }

    // The outputs and branches hanging at a point in column `col`: the first
    // continues row `row`, the others follow one below the other, right under
    // it, joined by a vertical wire at the point. Their cells lie right of the
    // network that leads to the point, so they may share its rows: a row of
    // that network reaching the point ends on the same wire. `end` is the row
    // after the last used.
    bool placeNode(int index, int row, int col, int& end) {
        const std::vector<Child>& children = m_model.nodes[static_cast<size_t>(index)].children;
        int top = row;
        end = row + 1;
        int lastTop = row;
        for (size_t i = 0; i < children.size(); ++i) {
            const Child& child = children[i];
            if (i > 0) top = end;
            lastTop = top;
            int childEnd = top + 1;
            if (child.isOutput) {
                if (!placeOutput(child.listRow, top, col, row)) return false;
            } else {
                const Net n = m_model.nets[static_cast<size_t>(child.net)];
                if (!placeNet(child.net, top, col)) return false;
                int nodeEnd = 0;
                if (!placeNode(child.node, top, col + n.width, nodeEnd)) return false;
                childEnd = std::max(top + n.height, nodeEnd);
            }
            end = std::max(end, childEnd);
        }
        return down(row, lastTop, col);
    }

    bool placeOutput(int listRow, int row, int col, int pointRow) {
        const std::string& mnemonic = m_table.m_Instruction[static_cast<size_t>(listRow)];
        const std::string& operand = m_table.m_Parameter[static_cast<size_t>(listRow)];
        const RowInfo info = classifyListRow(mnemonic, operand);
        const int covered = info.kind == AppInstruction
                                ? classifyInstruction(mnemonic, SelOperandCount, m_mode2)
                                : 0;
        const int boxLeft = kOutputCol - covered;
        // Below a point's first row the vertical wire needs a wire cell on its
        // right before the box begins.
        const bool belowPoint = row > pointRow;
        if (col > boxLeft || (belowPoint && covered > 0 && col == boxLeft))
            return fail(PlacementFault::TooWide, listRow).ok();
        if (!wire(row, col, boxLeft)) return false;
        for (int c = boxLeft; c < kOutputCol; ++c) {
            PlanCell* box = cell(row, c);
            if (box == nullptr) return false;
            box->links |= kBoxCoverLinks;
        }
        PlanCell* out = cell(row, kOutputCol);
        if (out == nullptr) return false;
        out->kind = info.kind;
        out->text = outputCellText(mnemonic, operand);
        out->links |= LinkWire | LinkSymbol;
        return true;
    }

    // Vertical wires of one rung: none longer than the editor draws.
    bool checkChains(int first, int end) {
        for (int c = 1; c < kGridCols; ++c) {
            int run = 0;
            for (int r = first; r < end; ++r) {
                const PlanCell* v = m_plan.find(r, c);
                run = (v != nullptr && (v->links & LinkDown) != 0) ? run + 1 : 0;
                if (run > kMaxVerticalChain) return fail(PlacementFault::ChainTooLong).ok();
            }
        }
        return true;
    }

    // Side links of every wired cell, as the connectivity of the wires gives them.
    void setSideLinks() {
        auto links = [&](int r, int c) -> CellLinks {
            const PlanCell* p = m_plan.find(r, c);
            return p == nullptr ? CellLinks{0} : p->links;
        };
        for (int r = 0; r < m_plan.rows(); ++r)
            for (int c = 1; c < kGridCols; ++c) {
                PlanCell* p = m_plan.at(r, c);
                if ((p->links & LinkWire) == 0) continue;
                const CellLinks self = p->links;
                if (c >= 2 && ((links(r, c - 1) & LinkWire) || (self & LinkDown) ||
                               (links(r - 1, c) & LinkDown)))
                    p->links |= LinkLeft;
                if (c <= kOutputCol - 1 &&
                    ((links(r, c + 1) & (LinkWire | LinkDown)) || (links(r - 1, c + 1) & LinkDown)))
                    p->links |= LinkRight;
            }
    }

    const RungModel& m_model;
    const InstructionTable& m_table;
    bool m_mode2;
    CellPlan& m_plan;
    PlacementOutcome m_outcome;
    int m_rungRow = -1;
};

}  // namespace

PlacementOutcome layoutRungs(const RungModel& model, const InstructionTable& table, bool mode2,
                             CellPlan& plan, int& lastRow) {
    lastRow = -1;
    return RungLayout(model, table, mode2, plan).run(lastRow);
}

}  // namespace rs::ladder
