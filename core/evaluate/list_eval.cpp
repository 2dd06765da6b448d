#include "core/evaluate/list_eval.h"

#include <iterator>
#include <string_view>

#include "core/evaluate/bdd.h"
#include "core/evaluate/rung_stack.h"
#include "core/instructions/instruction.h"

namespace rs::eval {

namespace {

enum class Op { Load, And, Or, Anb, Orb, Mps, Mrd, Mpp, Out, Boundary, End, Application };

struct Decoded {
    Op op;
    bool inverted = false;
};

// The operation of each instruction kind, in the order of instr::Kind: SET,
// RST, flow and application rows are driven by the block like an output.
constexpr Op kOpOfKind[] = {Op::Load,        Op::And,         Op::Or,          Op::Anb,
                            Op::Orb,         Op::Mps,         Op::Mrd,         Op::Mpp,
                            Op::Out,         Op::Application, Op::Application, Op::End,
                            Op::Application, Op::Application, Op::Boundary};
static_assert(std::size(kOpOfKind) == static_cast<size_t>(instr::Kind::Label) + 1);

Decoded decode(const std::string& m) {
    const instr::Instruction* i = instr::find(m);
    if (i == nullptr) return {Op::Application, false};
    if (i->in(instr::ListBoundary)) return {Op::Boundary, false};
    const bool inverted = i->polarity == instr::Polarity::Closed || i->edge == instr::Edge::Falling;
    return {kOpOfKind[static_cast<size_t>(i->kind)], inverted};
}

}  // namespace

template <typename Lane>
LaneListResult<Lane> runListLanes(const std::vector<ListRow>& rows,
                                  const LaneReader<Lane>& devices) {
    LaneListResult<Lane> res;
    RungStack<Lane> s;
    auto refuse = [&](int row, const RungRefusal& r) {
        res.ok = false;
        res.errorRow = r.row >= 0 ? r.row : row;
        res.problem = rungFaultText(r.fault);
        return res;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        const Decoded d = decode(rows[i].mnemonic);
        auto contact = [&] {
            const Lane v = devices(rows[i].operand);
            return d.inverted ? ~v : v;
        };
        typename RungStack<Lane>::Result r;
        switch (d.op) {
            case Op::Load:
                r = s.load(contact(), row);
                break;
            case Op::And:
                r = s.andWith(contact());
                break;
            case Op::Or:
                r = s.orWith(contact());
                break;
            case Op::Anb:
            case Op::Orb:
                r = s.join(d.op == Op::Anb);
                break;
            case Op::Mps:
                r = s.push();
                break;
            case Op::Mrd:
            case Op::Mpp:
                r = s.read(d.op == Op::Mpp);
                break;
            case Op::Out:
            case Op::Application: {
                Lane on{};
                r = s.output(on);
                if (r) break;
                std::string name = rows[i].operand;
                if (d.op == Op::Application)
                    name = rows[i].mnemonic + (name.empty() ? "" : " " + name);
                res.outputs.push_back({std::move(name), on, row});
                break;
            }
            case Op::Boundary:
            case Op::End:
                r = s.boundary();
                if (!r && d.op == Op::End) return res;
                break;
        }
        if (r) return refuse(row, *r);
    }
    if (const auto r = s.boundary()) return refuse(static_cast<int>(rows.size()), *r);
    return res;
}

template LaneListResult<uint64_t> runListLanes(const std::vector<ListRow>&,
                                               const LaneReader<uint64_t>&);
template LaneListResult<Bdd> runListLanes(const std::vector<ListRow>&, const LaneReader<Bdd>&);

WideListResult runListWide(const std::vector<ListRow>& rows, const WideReader& devices) {
    return runListLanes<uint64_t>(rows, devices);
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
