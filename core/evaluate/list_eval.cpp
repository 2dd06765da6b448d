#include "core/evaluate/list_eval.h"

#include <string_view>

#include "core/instructions/instruction.h"

namespace rs::eval {

namespace {

enum class Op { Load, And, Or, Anb, Orb, Mps, Mrd, Mpp, Out, Boundary, End, Application };

struct Decoded {
    Op op;
    bool inverted = false;
};

Decoded decode(const std::string& m) {
    using K = instr::Kind;
    const instr::Instruction* i = instr::find(m);
    if (i == nullptr) return {Op::Application, false};
    if (i->in(instr::ListBoundary)) return {Op::Boundary, false};
    const bool inverted = i->polarity == instr::Polarity::Closed || i->edge == instr::Edge::Falling;
    switch (i->kind) {
        case K::Load:
            return {Op::Load, inverted};
        case K::And:
            return {Op::And, inverted};
        case K::Or:
            return {Op::Or, inverted};
        case K::Anb:
            return {Op::Anb, false};
        case K::Orb:
            return {Op::Orb, false};
        case K::Mps:
            return {Op::Mps, false};
        case K::Mrd:
            return {Op::Mrd, false};
        case K::Mpp:
            return {Op::Mpp, false};
        case K::Out:
            return {Op::Out, false};
        case K::End:
            return {Op::End, false};
        default:
            return {Op::Application, false};
    }
}

// The state of one scan: the operation blocks (the last is the one being
// built), the point stack of MPS, and whether the current block has driven an
// output. After an output the rung's result stays: an AND, an MPS or a block
// joined with ANB or ORB continues from it, as on the controller. A block
// loaded after an output therefore sits above that result (`held`) until
// either ANB or ORB joins the two, or the block reaches an output or MPS on
// its own and the held result is dropped: a new rung began.
struct Scan {
    std::vector<uint64_t> blocks;
    std::vector<uint64_t> points;
    bool driven = false;
    bool held = false;  // blocks[0] is the result of the rung before the last load
    int heldRow = -1;   // the load that started a block above the held result

    // A new rung began at the load above the held result: that result goes,
    // unless a point of the old rung is still open.
    bool dropHeld() {
        if (!held || blocks.size() != 2) return true;
        if (!points.empty()) return false;
        blocks.erase(blocks.begin());
        held = false;
        return true;
    }
};

}  // namespace

WideListResult runListWide(const std::vector<ListRow>& rows, const WideReader& devices) {
    WideListResult res;
    Scan s;
    auto refuse = [&](int row, const char* why) {
        res.ok = false;
        res.errorRow = row;
        res.problem = why;
        return res;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        const Decoded d = decode(rows[i].mnemonic);
        auto contact = [&] {
            const uint64_t v = devices(rows[i].operand);
            return d.inverted ? ~v : v;
        };
        switch (d.op) {
            case Op::Load:
                if (s.driven) {
                    if (s.blocks.size() != 1) return refuse(row, "output with a block left open");
                    s.held = true;
                    s.heldRow = row;
                    s.driven = false;
                }
                s.blocks.push_back(contact());
                break;
            case Op::And:
                if (s.blocks.empty()) return refuse(row, "AND without a block");
                s.blocks.back() &= contact();
                s.driven = false;
                break;
            case Op::Or:
                if (s.blocks.empty() || s.driven) return refuse(row, "OR without a block");
                s.blocks.back() |= contact();
                break;
            case Op::Anb:
            case Op::Orb: {
                if (s.blocks.size() < 2 || s.driven)
                    return refuse(row, "ANB or ORB without two blocks");
                const uint64_t top = s.blocks.back();
                s.blocks.pop_back();
                if (d.op == Op::Anb)
                    s.blocks.back() &= top;
                else
                    s.blocks.back() |= top;
                if (s.blocks.size() == 1) s.held = false;
                break;
            }
            case Op::Mps:
                // The block may already drive an output: MPS keeps its value
                // for the outputs that branch off after it.
                if (!s.dropHeld()) return refuse(s.heldRow, "LD after an output with MPS open");
                if (s.blocks.size() != 1) return refuse(row, "MPS without one block");
                s.points.push_back(s.blocks.back());
                s.driven = false;
                break;
            case Op::Mrd:
            case Op::Mpp:
                if (s.points.empty()) return refuse(row, "MRD or MPP without MPS");
                if (s.blocks.size() != 1) return refuse(row, "MRD or MPP with a block open");
                s.blocks.back() = s.points.back();
                if (d.op == Op::Mpp) s.points.pop_back();
                s.driven = false;
                break;
            case Op::Out:
            case Op::Application: {
                if (!s.dropHeld()) return refuse(s.heldRow, "LD after an output with MPS open");
                if (s.blocks.size() != 1) return refuse(row, "output with a block left open");
                std::string name = rows[i].operand;
                if (d.op == Op::Application)
                    name = rows[i].mnemonic + (name.empty() ? "" : " " + name);
                res.outputs.push_back({std::move(name), s.blocks.back(), row});
                s.driven = true;
                break;
            }
            case Op::Boundary:
            case Op::End:
                if (s.held && !s.points.empty())
                    return refuse(s.heldRow, "LD after an output with MPS open");
                if (!s.points.empty()) return refuse(row, "MPS still open");
                if (!s.blocks.empty() && !s.driven) return refuse(row, "block without an output");
                s.blocks.clear();
                s.driven = false;
                s.held = false;
                if (d.op == Op::End) return res;
                break;
        }
    }
    if (s.held && !s.points.empty()) return refuse(s.heldRow, "LD after an output with MPS open");
    if (!s.points.empty()) return refuse(static_cast<int>(rows.size()), "MPS still open");
    if (!s.blocks.empty() && !s.driven)
        return refuse(static_cast<int>(rows.size()), "block without an output");
    return res;
}

ListResult runList(const std::vector<ListRow>& rows, const DeviceReader& devices) {
    const WideListResult wide = runListWide(
        rows, [&devices](const std::string& d) { return devices(d) ? ~uint64_t{0} : uint64_t{0}; });
    ListResult res;
    res.ok = wide.ok;
    res.errorRow = wide.errorRow;
    res.problem = wide.problem;
    for (const WideOutput& o : wide.outputs) res.outputs.push_back({o.name, (o.on & 1u) != 0});
    return res;
}

std::vector<ListRow> tableRows(const InstructionTable& table) {
    std::vector<ListRow> rows;
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r) {
        rows.push_back({table.m_Instruction[r], table.m_Parameter[r]});
        if (table.m_Instruction[r] == "END") break;
    }
    return rows;
}

}  // namespace rs::eval
