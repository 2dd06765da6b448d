#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/session.h"

namespace rs::test {

// Whether the converted list sets the same outputs as the ladder's circuit, for
// every given assignment of the input devices. The circuit is run on the grid
// as tidied for drawing, before Convert normalises it. Empty when they agree,
// else what differs.
inline std::string meaningDiffers(Session& s, const std::vector<std::string>& inputs,
                                  int maxVectors = 64) {
    tidyGrid(s);
    auto drawn = std::make_unique<LadderGrid>(s.grid());
    const ConvertOutcome out = convertLadder(s);
    if (!out.compiled) return "not converted";
    const std::vector<eval::ListRow> rows = eval::tableRows(s.table());
    const int n = static_cast<int>(inputs.size());
    const int vectors = std::min(1 << std::min(n, 20), maxVectors);
    for (int v = 0; v < vectors; ++v) {
        // Spread the vectors over the whole space when they are fewer.
        const unsigned bits = static_cast<unsigned>(
            vectors == (1 << std::min(n, 20)) ? v : (v * 2654435761u) >> (32 - std::min(n, 20)));
        std::map<std::string, bool> on;
        for (int i = 0; i < n; ++i) on[inputs[i]] = (bits >> i) & 1u;
        auto reader = [&](const std::string& d) {
            auto it = on.find(d);
            return it != on.end() && it->second;
        };
        eval::ListResult list = eval::runList(rows, reader);
        if (!list.ok) return "list refused at row " + std::to_string(list.errorRow) + ": " + list.problem;
        std::vector<eval::Output> grid = eval::runGrid(*drawn, reader);
        std::sort(list.outputs.begin(), list.outputs.end());
        std::sort(grid.begin(), grid.end());
        if (list.outputs != grid) return "outputs differ for inputs " + std::to_string(bits);
    }
    return {};
}

}  // namespace rs::test
