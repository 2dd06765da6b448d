// The meaning check of one rung: its rows of the list, run alone by the list
// evaluator, and its grid rows, run alone as a relay circuit, drive every
// output cell the same way, for every combination of the rung's contacts (up
// to 12 distinct devices) or for 256 seeded combinations (more than 12).
#include <algorithm>

#include "core/convert/converter.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"

namespace rs::convert {

namespace {

constexpr int kExhaustiveDevices = 12;
constexpr int kSampledWords = 4;  // 256 combinations, 64 per word
constexpr uint64_t kAll = ~uint64_t{0};

// Bit k of word w is combination 64 * w + k; device i is on in it when bit i
// of the combination is set.
uint64_t exhaustive(int device, int word) {
    static const uint64_t kLow[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                     0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                     0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    if (device < 6) return kLow[device];
    return ((word >> (device - 6)) & 1) != 0 ? kAll : 0;
}

uint64_t sampled(int device, int word) {
    uint64_t z = 0x5EEDC0DEull + static_cast<uint64_t>(device) * 0x9E3779B97F4A7C15ull +
                 static_cast<uint64_t>(word) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

bool Converter::rungMeansItsList(int H, int B, int r0) const {
    // A rung whose top row is joined to the row above by a vertical wire is
    // not a circuit of its own.
    for (int c = 2; c <= kOutputCol; ++c)
        if (has(H - 1, c, LinkDown)) return false;
    const InstructionTable& table = m_s.table();
    std::vector<eval::ListRow> rows;
    rows.reserve(static_cast<size_t>(m_r - r0));
    for (int k = r0; k < m_r; ++k) rows.push_back({table.m_Instruction[k], table.m_Parameter[k]});

    std::vector<std::string> devices;
    for (int r = H; r <= B; ++r)
        for (int c = 1; c <= 9; ++c)
            if (sym(r, c) && isSerialContactKind(serialTwin(m_g.kind(r, c))) &&
                std::find(devices.begin(), devices.end(), m_g.text(r, c)) == devices.end())
                devices.push_back(m_g.text(r, c));
    const int n = static_cast<int>(devices.size());
    const bool all = n <= kExhaustiveDevices;
    const int words = all ? (n <= 6 ? 1 : 1 << (n - 6)) : kSampledWords;

    for (int w = 0; w < words; ++w) {
        const eval::WideReader reader = [&](const std::string& d) -> uint64_t {
            const auto it = std::find(devices.begin(), devices.end(), d);
            if (it == devices.end()) return 0;
            const int i = static_cast<int>(it - devices.begin());
            return all ? exhaustive(i, w) : sampled(i, w);
        };
        const eval::WideListResult list = eval::runListWide(rows, reader);
        if (!list.ok) return false;
        const std::vector<eval::WideOutput> grid = eval::runGridWide(m_g, H, B, reader);
        if (list.outputs.size() != grid.size()) return false;
        for (size_t k = 0; k < list.outputs.size(); ++k) {
            // The output cell the list row was written for.
            const int cell = m_rowCell[static_cast<size_t>(r0 + list.outputs[k].row)];
            const int row = cell / kGridCols;
            const auto g = std::find_if(grid.begin(), grid.end(),
                                        [row](const eval::WideOutput& o) { return o.row == row; });
            if (cell % kGridCols != kOutputCol || g == grid.end() || g->on != list.outputs[k].on)
                return false;
            // Outputs of one device are written in the order of their rows,
            // so that the last one drawn decides, as on the screen.
            if (w == 0)
                for (size_t j = 0; j < k; ++j)
                    if (list.outputs[j].name == list.outputs[k].name &&
                        m_rowCell[static_cast<size_t>(r0 + list.outputs[j].row)] > cell)
                        return false;
        }
    }
    return true;
}

}  // namespace rs::convert
