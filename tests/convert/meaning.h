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

// The same comparison over every combination of up to 16 input devices, 64 at
// a time (further devices stay off), and with more devices also over 2048
// random combinations of all of them. Outputs are compared device by device
// in the order they are written, so that two outputs of one device must also
// keep their order.
inline std::string everyCombinationDiffers(Session& s, const std::vector<std::string>& inputs) {
    const int n = std::min(static_cast<int>(inputs.size()), 16);
    const int exhaustiveWords = n <= 6 ? 1 : 1 << (n - 6);
    const int words = exhaustiveWords + (static_cast<int>(inputs.size()) > n ? 32 : 0);
    auto readerFor = [&inputs, n, exhaustiveWords](int word) {
        return [&inputs, n, word, exhaustiveWords](const std::string& d) -> uint64_t {
            static const uint64_t kLow[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                             0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                             0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
            const auto it = std::find(inputs.begin(), inputs.end(), d);
            if (it == inputs.end()) return 0;
            const int i = static_cast<int>(it - inputs.begin());
            if (word >= exhaustiveWords) {
                uint64_t x = static_cast<uint64_t>(i) * 0x9e3779b97f4a7c15ull + word;
                x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
                x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
                return x ^ (x >> 31);
            }
            if (i >= n) return 0;
            return i < 6 ? kLow[i] : ((word >> (i - 6)) & 1) ? ~0ull : 0;
        };
    };
    auto byDevice = [](std::vector<eval::WideOutput> v) {
        std::stable_sort(v.begin(), v.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
        return v;
    };
    tidyGrid(s);
    std::vector<std::string> labels;  // the jump targets, in row order
    for (int r = 0; r <= s.grid().m_nDrawnLastRow; ++r)
        if (!s.grid().text(r, 0).empty()) labels.push_back(s.grid().text(r, 0));
    std::vector<std::vector<eval::WideOutput>> expected;
    for (int w = 0; w < words; ++w)
        expected.push_back(
            byDevice(eval::runGridWide(s.grid(), 0, s.grid().m_nDrawnLastRow, readerFor(w))));
    const ConvertOutcome out = convertLadder(s);
    if (!out.compiled) return "not converted";
    const std::vector<eval::ListRow> rows = eval::tableRows(s.table());
    std::vector<std::string> written;
    for (const auto& row : rows)
        if (row.mnemonic.empty()) written.push_back(row.operand);
    if (written != labels) return "labels differ";
    for (int w = 0; w < words; ++w) {
        const eval::WideListResult list = eval::runListWide(rows, readerFor(w));
        if (!list.ok)
            return "list refused at row " + std::to_string(list.errorRow) + ": " + list.problem;
        const std::vector<eval::WideOutput> got = byDevice(list.outputs);
        if (got.size() != expected[w].size()) return "outputs differ in number";
        for (size_t k = 0; k < got.size(); ++k)
            if (got[k].name != expected[w][k].name || got[k].on != expected[w][k].on)
                return "output " + got[k].name + " differs";
    }
    return {};
}

}  // namespace rs::test
