#include "core/line_diff.h"

#include <algorithm>
#include <unordered_map>

namespace rs {

namespace {

struct Hirschberg {
    const std::vector<int>& a;
    const std::vector<int>& b;
    std::vector<LineEdit>& out;
    std::vector<size_t> forward, backward;  // one row each of the length table

    // forward[j]: the longest common subsequence of a[a0, a1) and b[b0, b0 + j).
    void lengthsForward(size_t a0, size_t a1, size_t b0, size_t b1) {
        const size_t m = b1 - b0;
        forward.assign(m + 1, 0);
        for (size_t i = a0; i < a1; ++i) {
            size_t diagonal = 0;
            for (size_t j = 1; j <= m; ++j) {
                const size_t above = forward[j];
                forward[j] = a[i] == b[b0 + j - 1] ? diagonal + 1 : std::max(above, forward[j - 1]);
                diagonal = above;
            }
        }
    }
    // backward[j]: the same for a[a0, a1) and b[b1 - j, b1).
    void lengthsBackward(size_t a0, size_t a1, size_t b0, size_t b1) {
        const size_t m = b1 - b0;
        backward.assign(m + 1, 0);
        for (size_t i = a1; i-- > a0;) {
            size_t diagonal = 0;
            for (size_t j = 1; j <= m; ++j) {
                const size_t above = backward[j];
                backward[j] = a[i] == b[b1 - j] ? diagonal + 1 : std::max(above, backward[j - 1]);
                diagonal = above;
            }
        }
    }

    void run(size_t a0, size_t a1, size_t b0, size_t b1) {
        if (a0 == a1) {
            for (size_t j = b0; j < b1; ++j) out.push_back({LineEdit::Added, j});
            return;
        }
        if (b0 == b1) {
            for (size_t i = a0; i < a1; ++i) out.push_back({LineEdit::Removed, i});
            return;
        }
        if (a1 - a0 == 1) {
            const auto hit = std::find(b.begin() + static_cast<long>(b0),
                                       b.begin() + static_cast<long>(b1), a[a0]);
            const size_t at = static_cast<size_t>(hit - b.begin());
            if (at == b1) {
                out.push_back({LineEdit::Removed, a0});
                run(a1, a1, b0, b1);
                return;
            }
            run(a0, a0, b0, at);
            out.push_back({LineEdit::Same, a0});
            run(a1, a1, at + 1, b1);
            return;
        }
        const size_t mid = a0 + (a1 - a0) / 2;
        lengthsForward(a0, mid, b0, b1);
        lengthsBackward(mid, a1, b0, b1);
        const size_t m = b1 - b0;
        size_t split = 0, best = 0;
        for (size_t j = 0; j <= m; ++j) {
            const size_t total = forward[j] + backward[m - j];
            if (total > best || j == 0) {
                best = total;
                split = j;
            }
        }
        run(a0, mid, b0, b0 + split);
        run(mid, a1, b0 + split, b1);
    }
};

// Removed lines first within each run of changes, so that a changed row reads
// as the old row followed by the new one.
void orderRuns(std::vector<LineEdit>& edits) {
    auto begin = edits.begin();
    while (begin != edits.end()) {
        auto end = std::find_if(begin, edits.end(),
                                [](const LineEdit& e) { return e.kind == LineEdit::Same; });
        std::stable_partition(begin, end,
                              [](const LineEdit& e) { return e.kind == LineEdit::Removed; });
        begin = end == edits.end() ? end : end + 1;
    }
}

}  // namespace

std::vector<LineEdit> diffLines(const std::vector<std::string>& from,
                                const std::vector<std::string>& to) {
    // Lines become numbers once, so the length tables compare integers.
    std::unordered_map<std::string, int> ids;
    auto number = [&ids](const std::vector<std::string>& lines) {
        std::vector<int> out;
        out.reserve(lines.size());
        for (const std::string& line : lines)
            out.push_back(ids.emplace(line, static_cast<int>(ids.size())).first->second);
        return out;
    };
    const std::vector<int> a = number(from);
    const std::vector<int> b = number(to);

    std::vector<LineEdit> edits;
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    for (size_t i = 0; i < head; ++i) edits.push_back({LineEdit::Same, i});
    Hirschberg h{a, b, edits, {}, {}};
    h.run(head, a.size() - tail, head, b.size() - tail);
    for (size_t i = a.size() - tail; i < a.size(); ++i) edits.push_back({LineEdit::Same, i});
    orderRuns(edits);
    return edits;
}

}  // namespace rs
