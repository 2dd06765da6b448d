#include "core/list_to_ladder/rung_parser.h"

#include <algorithm>
#include <vector>

#include "core/limits.h"
#include "core/list_to_ladder/row_role.h"

namespace rs::ladder {

namespace {

constexpr int kContactColumns = kOutputCol - 1;  // columns 1 to 9

// One block of the list's block stack. A block opened after an output or a
// split continues from that point (anchored): it stands for the point's own
// condition followed by its network, which is empty (net -1) until a contact
// or block is put in series with it.
struct Block {
    int net = -1;
    bool anchored = false;
};

class RungParser {
  public:
    RungParser(const InstructionTable& table, RungModel& model) : m_table(table), m_model(model) {}

    PlacementOutcome run() {
        int row = 0;
        for (; row < kListRows && m_table.rowUsed(row); ++row) {
            const RowInfo info =
                classifyListRow(m_table.m_Instruction[row], m_table.m_Parameter[row]);
            if (info.role == RowRole::End) break;
            if (!step(row, info)) return m_outcome;
        }
        if (m_inRung && !closeRung(std::min(row, kListRows - 1))) return m_outcome;
        flushLabel();
        return m_outcome;
    }

  private:
    bool fail(PlacementFault fault, int row) {
        m_outcome = {fault, row};
        return false;
    }

    bool step(int row, const RowInfo& info) {
        switch (info.role) {
            case RowRole::Label:
                return label(row);
            case RowRole::Load:
                return load(row, info.kind);
            case RowRole::And:
                return andContact(row, info.kind);
            case RowRole::Or:
                return orContact(row, info.kind);
            case RowRole::Anb:
                return joinSeries(row);
            case RowRole::Orb:
                return joinParallel(row);
            case RowRole::Mps:
                return openSplit(row);
            case RowRole::Mrd:
                return backToSplit(row, false);
            case RowRole::Mpp:
                return backToSplit(row, true);
            case RowRole::Output:
                return output(row);
            case RowRole::End:
                break;
        }
        return true;
    }

    int contact(int row, int32_t kind) {
        Net n;
        n.type = NetType::Contact;
        n.kind = kind;
        n.listRow = row;
        m_model.nets.push_back(n);
        return static_cast<int>(m_model.nets.size()) - 1;
    }

    bool series(int a, int b, int row, int& out) {
        Net n;
        n.type = NetType::Series;
        n.a = a;
        n.b = b;
        n.width = m_model.nets[a].width + m_model.nets[b].width;
        n.height = std::max(m_model.nets[a].height, m_model.nets[b].height);
        if (n.width > kContactColumns) return fail(PlacementFault::TooWide, row);
        m_model.nets.push_back(n);
        out = static_cast<int>(m_model.nets.size()) - 1;
        return true;
    }

    bool parallel(int a, int b, int row, int& out) {
        Net n;
        n.type = NetType::Parallel;
        n.a = a;
        n.b = b;
        n.width = std::max(m_model.nets[a].width, m_model.nets[b].width);
        n.height = m_model.nets[a].height + m_model.nets[b].height;
        if (n.height > kGridRows) return fail(PlacementFault::TooManyRows, row);
        m_model.nets.push_back(n);
        out = static_cast<int>(m_model.nets.size()) - 1;
        return true;
    }

    int newNode(int row) {
        Node n;
        n.openedAt = row;
        m_model.nodes.push_back(n);
        return static_cast<int>(m_model.nodes.size()) - 1;
    }

    // Hangs the block's network on the current point (or on the rail at the
    // start of a rung) and returns the point it ends in.
    int attach(const Block& block, int row) {
        if (block.net < 0) return m_node;
        const int point = newNode(row);
        if (m_node < 0) {
            Rung& rung = m_model.rungs.back();
            rung.net = block.net;
            rung.node = point;
        } else {
            Child branch;
            branch.isOutput = false;
            branch.net = block.net;
            branch.node = point;
            m_model.nodes[m_node].children.push_back(branch);
        }
        return point;
    }

    // Only the point's own condition stands on the stack: the rung may end here.
    bool settled() const {
        return m_blocks.size() == 1 && m_blocks[0].anchored && m_blocks[0].net < 0;
    }

    // Whether the blocks opened by the load at `row` are later joined to the
    // point's condition (LD ... ANB after an output) rather than starting a rung.
    bool loadJoinsPoint(int row) const {
        int depth = 1;
        for (int r = row + 1; r < kListRows && m_table.rowUsed(r); ++r) {
            switch (classifyListRow(m_table.m_Instruction[r], m_table.m_Parameter[r]).role) {
                case RowRole::Load:
                    ++depth;
                    break;
                case RowRole::Anb:
                case RowRole::Orb:
                    if (--depth == 0) return true;
                    break;
                case RowRole::And:
                case RowRole::Or:
                    break;
                default:
                    return false;
            }
        }
        return false;
    }

    void flushLabel() {
        if (m_pendingLabel < 0) return;
        Rung rung;
        rung.labelRow = m_pendingLabel;
        m_model.rungs.push_back(rung);
        m_pendingLabel = -1;
    }

    void startRung(int row, int32_t kind) {
        Rung rung;
        rung.labelRow = m_pendingLabel;
        m_pendingLabel = -1;
        m_model.rungs.push_back(rung);
        m_rungFirstNode = static_cast<int>(m_model.nodes.size());
        m_inRung = true;
        m_node = -1;
        m_splits.clear();
        m_blocks.assign(1, Block{contact(row, kind), false});
    }

    bool closeRung(int row) {
        if (!settled() || !m_splits.empty()) return fail(PlacementFault::Malformed, row);
        for (size_t n = static_cast<size_t>(m_rungFirstNode); n < m_model.nodes.size(); ++n)
            if (m_model.nodes[n].children.empty())
                return fail(PlacementFault::Malformed, m_model.nodes[n].openedAt);
        m_inRung = false;
        return true;
    }

    bool label(int row) {
        if (m_inRung && !closeRung(row)) return false;
        flushLabel();
        m_pendingLabel = row;
        return true;
    }

    bool load(int row, int32_t kind) {
        if (!m_inRung) {
            startRung(row, kind);
            return true;
        }
        if (settled() && m_splits.empty() && !loadJoinsPoint(row)) {
            if (!closeRung(row)) return false;
            startRung(row, kind);
            return true;
        }
        m_blocks.push_back(Block{contact(row, kind), false});
        return true;
    }

    bool andContact(int row, int32_t kind) {
        if (!m_inRung) return fail(PlacementFault::Malformed, row);
        Block& top = m_blocks.back();
        const int c = contact(row, kind);
        if (top.net < 0) {
            top.net = c;
            return true;
        }
        return series(top.net, c, row, top.net);
    }

    bool orContact(int row, int32_t kind) {
        if (!m_inRung) return fail(PlacementFault::Malformed, row);
        Block& top = m_blocks.back();
        // A contact parallel to a point's condition would need the contacts
        // before the point drawn a second time.
        if (top.anchored) return fail(PlacementFault::Malformed, row);
        return parallel(top.net, contact(row, kind), row, top.net);
    }

    bool joinSeries(int row) {
        if (!m_inRung || m_blocks.size() < 2) return fail(PlacementFault::Malformed, row);
        const Block b = m_blocks.back();
        m_blocks.pop_back();
        Block& a = m_blocks.back();
        if (a.net < 0) {
            a.net = b.net;
            return true;
        }
        return series(a.net, b.net, row, a.net);
    }

    bool joinParallel(int row) {
        if (!m_inRung || m_blocks.size() < 2) return fail(PlacementFault::Malformed, row);
        const Block b = m_blocks.back();
        m_blocks.pop_back();
        Block& a = m_blocks.back();
        if (a.anchored) return fail(PlacementFault::Malformed, row);
        return parallel(a.net, b.net, row, a.net);
    }

    bool openSplit(int row) {
        if (!m_inRung || m_blocks.size() != 1) return fail(PlacementFault::Malformed, row);
        m_node = attach(m_blocks[0], row);
        m_splits.push_back(m_node);
        m_blocks.assign(1, Block{-1, true});
        return true;
    }

    bool backToSplit(int row, bool close) {
        if (!m_inRung || m_splits.empty() || !settled())
            return fail(PlacementFault::Malformed, row);
        m_node = m_splits.back();
        if (close) m_splits.pop_back();
        return true;
    }

    bool output(int row) {
        if (!m_inRung || m_blocks.size() != 1) return fail(PlacementFault::Malformed, row);
        m_node = attach(m_blocks[0], row);
        Child out;
        out.isOutput = true;
        out.listRow = row;
        m_model.nodes[m_node].children.push_back(out);
        m_blocks.assign(1, Block{-1, true});
        return true;
    }

    const InstructionTable& m_table;
    RungModel& m_model;
    PlacementOutcome m_outcome;
    std::vector<Block> m_blocks;
    std::vector<int> m_splits;  // open split points, innermost last
    int m_node = -1;            // the point the next network hangs on; -1 the rail
    int m_rungFirstNode = 0;
    int m_pendingLabel = -1;
    bool m_inRung = false;
};

}  // namespace

PlacementOutcome parseRungs(const InstructionTable& table, RungModel& model) {
    return RungParser(table, model).run();
}

}  // namespace rs::ladder
