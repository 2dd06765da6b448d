// The meaning check of one rung, exact: the rung as drawn (rows joined by
// vertical wires, on a copy of the grid taken before the passes change it)
// is run as a relay circuit over every combination of its contact devices,
// up to 20 of them, as bit sets of 64 combinations. The walk's or the
// compiler's rows for the rung are run alone by the list evaluator over the
// same combinations, and must drive the same outputs, the same way, and
// nothing else. A rung of more devices is checked as exactly, never by
// sampling: both sides give each output as a reduced ordered decision
// diagram over the rung's devices, and the diagrams must be the same. A rung
// whose diagrams outgrow ConvertLimits::checkNodes, or whose operations
// outrun ConvertLimits::checkSteps over the run, keeps no list and is
// reported.
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "core/convert/converter.h"
#include "core/convert/series_parallel.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/instructions/instruction.h"

namespace rs::convert {

namespace {

constexpr int kExhaustiveDevices = 20;
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

bool isFlowText(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}

bool isOutputCell(const LadderGrid& g, int r) {
    return isOutputKind(g.kind(r, kOutputCol)) && !isFlowText(g.text(r, kOutputCol));
}

bool wiredDown(const LadderGrid& g, int r) {
    for (int c = 2; c <= kOutputCol; ++c)
        if (g.has(r, c, LinkDown)) return true;
    return false;
}

// The reader of one word of combinations over a rung's devices.
eval::WideReader readerFor(const std::vector<std::string>& devices, int word) {
    return [&devices, word](const std::string& d) -> uint64_t {
        const auto it = std::find(devices.begin(), devices.end(), d);
        if (it == devices.end()) return 0;
        return exhaustive(static_cast<int>(it - devices.begin()), word);
    };
}

// The reader of the devices of a rung as the variables of a decision-diagram
// space, in the order the rung holds them (the order they are first met, row
// by row, which keeps the diagrams of a drawn circuit small).
eval::LaneReader<eval::Bdd> bddReaderFor(const std::vector<std::string>& devices,
                                         eval::BddSpace& space) {
    auto vars = std::make_shared<std::unordered_map<std::string, eval::Bdd>>();
    for (size_t i = 0; i < devices.size(); ++i)
        vars->emplace(devices[i], space.var(static_cast<int>(i)));
    return [vars](const std::string& d) {
        const auto it = vars->find(d);
        return it == vars->end() ? eval::Bdd{} : it->second;
    };
}

}  // namespace

void Converter::captureDrawnMeaning() {
    m_drawnOutputs.clear();
    m_drawnRungs.clear();
    m_spaceRung = nullptr;
    m_space.reset();
    m_checkSteps = 0;
    m_drawnGrid = std::make_unique<LadderGrid>(m_g);
    for (int a = 0; a <= lastRow(); ++a) {
        int b = a;
        while (b < lastRow() && wiredDown(m_g, b)) ++b;
        DrawnRung rung;
        rung.firstOutput = static_cast<int>(m_drawnOutputs.size());
        rung.first = a;
        rung.last = b;
        for (int r = a; r <= b; ++r) {
            for (int c = 1; c <= 9; ++c)
                if (sym(r, c) && isSerialContactKind(serialTwin(m_g.kind(r, c))) &&
                    std::find(rung.devices.begin(), rung.devices.end(), m_g.text(r, c)) ==
                        rung.devices.end())
                    rung.devices.push_back(m_g.text(r, c));
            if (isOutputCell(m_g, r))
                m_drawnOutputs.push_back(
                    {m_g.text(r, kOutputCol), static_cast<int>(m_drawnRungs.size()), r});
        }
        rung.outputs = static_cast<int>(m_drawnOutputs.size()) - rung.firstOutput;
        const int n = static_cast<int>(rung.devices.size());
        rung.exhaustive = n <= kExhaustiveDevices;
        rung.words = rung.exhaustive ? (n <= 6 ? 1 : 1 << (n - 6)) : 0;
        rung.tooTall = b - a + 1 > m_limits.rungRows;
        m_drawnRungs.push_back(std::move(rung));
        a = b;
    }
}

// The outputs the drawn rung drives, every combination of its devices, worked
// out on the grid as drawn the first time the rung is checked.
void Converter::drawnTruth(const DrawnRung& rung) const {
    if (rung.truthTaken) return;
    rung.truthTaken = true;
    rung.on.assign(static_cast<size_t>(rung.outputs * rung.words), 0);
    for (int w = 0; w < rung.words; ++w) {
        const std::vector<eval::WideOutput> out =
            eval::runGridWide(*m_drawnGrid, rung.first, rung.last, readerFor(rung.devices, w));
        for (size_t k = 0; k < out.size(); ++k)
            rung.on[k * static_cast<size_t>(rung.words) + static_cast<size_t>(w)] = out[k].on;
    }
}

const Converter::DrawnRung* Converter::drawnRungOf(int H, int B) const {
    const auto lo = std::lower_bound(m_outputRows.begin(), m_outputRows.end(), H);
    if (!m_drawnGrid || lo == m_outputRows.end() || *lo > B ||
        m_outputRows.size() != m_drawnOutputs.size())
        return nullptr;
    const int k = m_drawnOutputs[static_cast<size_t>(lo - m_outputRows.begin())].rung;
    if (k < 0) return nullptr;
    const DrawnRung& rung = m_drawnRungs[static_cast<size_t>(k)];
    return rung.tooTall ? nullptr : &rung;
}

bool Converter::reportReversedContact(int H, int B) {
    const DrawnRung* rung = drawnRungOf(H, B);
    if (!rung) return false;
    const SpResult sp =
        compileSeriesParallel(*m_drawnGrid, rung->first, rung->last, m_limits.nestingDepth);
    if (sp.ok || !sp.reversed) return false;
    m_g = *m_drawnGrid;
    reportUnconvertible(sp.row, sp.col);
    m_bWalkStopped = true;
    return true;
}

void Converter::noteNormalisedOutputs() {
    m_outputRows.clear();
    for (int r = 0; r <= lastRow(); ++r)
        if (isOutputCell(m_g, r)) m_outputRows.push_back(r);
}

int Converter::outputWrittenBy(int r) const {
    const int cell = m_rowCell[static_cast<size_t>(r)];
    if (cell < 0 || cell % kGridCols != kOutputCol) return -1;
    const int row = cell / kGridCols;
    const auto at = std::lower_bound(m_outputRows.begin(), m_outputRows.end(), row);
    if (at == m_outputRows.end() || *at != row) return -1;
    return static_cast<int>(at - m_outputRows.begin());
}

bool Converter::drawnFunctions(const DrawnRung& rung) const {
    if (m_spaceRung != &rung) {
        if (m_space) m_checkSteps += m_space->steps();
        m_space = std::make_unique<eval::BddSpace>(
            m_limits.checkNodes, std::max(0LL, m_limits.checkSteps - m_checkSteps));
        m_spaceRung = &rung;
        const eval::LaneReader<eval::Bdd> reader = bddReaderFor(rung.devices, *m_space);
        m_drawnFunctions.clear();
        for (const auto& out :
             eval::runGridLanes<eval::Bdd>(*m_drawnGrid, rung.first, rung.last, reader))
            m_drawnFunctions.push_back(out.on);
    }
    return !m_space->full() && static_cast<int>(m_drawnFunctions.size()) == rung.outputs;
}

bool Converter::rungMeansItsList(int H, int B, int r0) const {
    // The outputs of the walked rows, and the drawn rung they belong to: the
    // rung and its outputs must be the same ones.
    const auto lo = std::lower_bound(m_outputRows.begin(), m_outputRows.end(), H);
    const auto hi = std::upper_bound(m_outputRows.begin(), m_outputRows.end(), B);
    const int k0 = static_cast<int>(lo - m_outputRows.begin());
    const int k1 = static_cast<int>(hi - m_outputRows.begin());
    if (m_outputRows.size() != m_drawnOutputs.size() || k0 == k1) return false;
    for (int k = k0; k < k1; ++k)
        if (m_drawnOutputs[static_cast<size_t>(k)].name !=
            m_g.text(m_outputRows[static_cast<size_t>(k)], kOutputCol))
            return false;
    const DrawnRung& rung =
        m_drawnRungs[static_cast<size_t>(m_drawnOutputs[static_cast<size_t>(k0)].rung)];
    if (rung.firstOutput != k0 || rung.outputs != k1 - k0 || rung.tooTall) return false;

    const InstructionTable& table = m_s.table();
    std::vector<eval::ListRow> rows;
    rows.reserve(static_cast<size_t>(m_r - r0));
    for (int k = r0; k < m_r; ++k) {
        rows.push_back({table.m_Instruction[k], table.m_Parameter[k]});
        // Every contact the list reads is one the drawn rung has.
        const int cell = m_rowCell[static_cast<size_t>(k)];
        if (cell >= 0 && cell % kGridCols != kOutputCol &&
            std::find(rung.devices.begin(), rung.devices.end(), table.m_Parameter[k]) ==
                rung.devices.end())
            return false;
    }
    // Each output the list writes is one of the rung's cells, and outputs of
    // one device are written in the order of their rows, so that the last one
    // drawn decides, as on the screen. Per list output: its index in the rung.
    std::vector<int> drawnIndex;
    const auto placed = [&](const auto& outputs) {
        if (static_cast<int>(outputs.size()) != rung.outputs) return false;
        drawnIndex.clear();
        for (size_t j = 0; j < outputs.size(); ++j) {
            const int k = outputWrittenBy(r0 + outputs[j].row);
            if (k < k0 || k >= k1) return false;
            for (size_t p = 0; p < j; ++p)
                if (outputs[p].name == outputs[j].name && drawnIndex[p] > k - k0) return false;
            drawnIndex.push_back(k - k0);
        }
        return true;
    };
    if (!rung.exhaustive) {
        // Too many devices for bit sets: the outputs of the list and of the
        // circuit as functions of the devices, equal exactly when their
        // diagrams are.
        if (!drawnFunctions(rung)) return false;
        const eval::LaneListResult<eval::Bdd> list =
            eval::runListLanes<eval::Bdd>(rows, bddReaderFor(rung.devices, *m_space));
        if (!list.ok || m_space->full() || !placed(list.outputs)) return false;
        for (size_t j = 0; j < list.outputs.size(); ++j)
            if (m_drawnFunctions[static_cast<size_t>(drawnIndex[j])] != list.outputs[j].on)
                return false;
        return true;
    }
    drawnTruth(rung);
    for (int w = 0; w < rung.words; ++w) {
        const eval::WideListResult list = eval::runListWide(rows, readerFor(rung.devices, w));
        if (!list.ok || (w == 0 && !placed(list.outputs)) ||
            static_cast<int>(list.outputs.size()) != rung.outputs)
            return false;
        for (size_t j = 0; j < list.outputs.size(); ++j) {
            const size_t i = static_cast<size_t>(drawnIndex[j]) * static_cast<size_t>(rung.words) +
                             static_cast<size_t>(w);
            if (rung.on[i] != list.outputs[j].on) return false;
        }
    }
    return true;
}

}  // namespace rs::convert
