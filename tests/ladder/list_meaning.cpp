#include "tests/ladder/list_meaning.h"

#include "core/list_to_ladder/row_role.h"

namespace rs::test {

namespace {

using ladder::RowRole;

RowRole roleOf(const eval::ListRow& r) {
    return ladder::classifyListRow(r.mnemonic, r.operand).role;
}

bool joinsCondition(const std::vector<eval::ListRow>& rows, size_t from) {
    int depth = 1;
    for (size_t i = from + 1; i < rows.size(); ++i) {
        switch (roleOf(rows[i])) {
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

bool inverted(const std::string& m) {
    return m == "LDI" || m == "ANI" || m == "ORI" || m == "LDF" || m == "ANDF" || m == "ORF";
}

}  // namespace

eval::ListResult runListScan(const std::vector<eval::ListRow>& rows,
                             const eval::DeviceReader& devices) {
    eval::ListResult res;
    std::vector<bool> blocks;
    std::vector<bool> points;
    bool driven = false;
    auto refuse = [&](size_t row, const char* why) {
        res.ok = false;
        res.errorRow = static_cast<int>(row);
        res.problem = why;
        return res;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const eval::ListRow& r = rows[i];
        const bool value = devices(r.operand) != inverted(r.mnemonic);
        switch (roleOf(r)) {
            case RowRole::Load:
                if (driven && points.empty() && !joinsCondition(rows, i)) blocks.clear();
                blocks.push_back(value);
                driven = false;
                break;
            case RowRole::And:
                if (blocks.empty()) return refuse(i, "AND without a block");
                blocks.back() = blocks.back() && value;
                driven = false;
                break;
            case RowRole::Or:
                if (blocks.empty() || driven) return refuse(i, "OR without a block");
                blocks.back() = blocks.back() || value;
                break;
            case RowRole::Anb:
            case RowRole::Orb: {
                if (blocks.size() < 2) return refuse(i, "ANB or ORB without two blocks");
                const bool top = blocks.back();
                blocks.pop_back();
                const bool anb = roleOf(r) == RowRole::Anb;
                blocks.back() = anb ? (blocks.back() && top) : (blocks.back() || top);
                break;
            }
            case RowRole::Mps:
                if (blocks.size() != 1) return refuse(i, "MPS without one block");
                points.push_back(blocks.back());
                break;
            case RowRole::Mrd:
            case RowRole::Mpp:
                if (points.empty() || blocks.size() != 1)
                    return refuse(i, "MRD or MPP without MPS");
                blocks.back() = points.back();
                if (roleOf(r) == RowRole::Mpp) points.pop_back();
                driven = false;
                break;
            case RowRole::Output: {
                if (blocks.size() != 1) return refuse(i, "output with a block left open");
                const std::string name =
                    r.mnemonic == "OUT" ? r.operand : ladder::outputCellText(r.mnemonic, r.operand);
                res.outputs.push_back({name, blocks.back()});
                driven = true;
                break;
            }
            case RowRole::Label:
            case RowRole::End:
                if (!points.empty()) return refuse(i, "MPS still open");
                if (!blocks.empty() && !driven) return refuse(i, "block without an output");
                blocks.clear();
                driven = false;
                if (r.mnemonic == "END") return res;
                break;
        }
    }
    if (!points.empty()) return refuse(rows.size(), "MPS still open");
    return res;
}

}  // namespace rs::test
