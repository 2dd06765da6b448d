#pragma once

#include <algorithm>
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
    const int n = std::min(static_cast<int>(inputs.size()), 20);
    const int space = 1 << n;
    const int vectors = std::min(space, maxVectors);
    // Spread the vectors over the whole space when they are fewer.
    auto vectorBits = [&](int v) {
        return vectors == space ? static_cast<unsigned>(v)
                                : static_cast<unsigned>((v * 2654435761u) >> (32 - n));
    };
    auto readerFor = [&](unsigned bits) {
        return [&inputs, n, bits](const std::string& d) {
            for (int i = 0; i < n; ++i)
                if (inputs[i] == d) return ((bits >> i) & 1u) != 0;
            return false;
        };
    };
    tidyGrid(s);
    std::vector<std::vector<eval::Output>> expected;
    for (int v = 0; v < vectors; ++v) {
        expected.push_back(eval::runGrid(s.grid(), readerFor(vectorBits(v))));
        std::sort(expected.back().begin(), expected.back().end());
    }
    const ConvertOutcome out = convertLadder(s);
    if (!out.compiled) return "not converted";
    const std::vector<eval::ListRow> rows = eval::tableRows(s.table());
    for (int v = 0; v < vectors; ++v) {
        eval::ListResult list = eval::runList(rows, readerFor(vectorBits(v)));
        if (!list.ok)
            return "list refused at row " + std::to_string(list.errorRow) + ": " + list.problem;
        std::sort(list.outputs.begin(), list.outputs.end());
        if (list.outputs != expected[v])
            return "outputs differ for inputs " + std::to_string(vectorBits(v));
    }
    return {};
}

}  // namespace rs::test
