#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace rs::history {

// What one command changed in a sequence of rows: the rows from `at` that the
// older state held and the rows the newer state holds there. The rows before
// `at` and the `keep` rows after the changed run are the same in both states,
// so a row inserted at the top of a long program costs one row, not the program.
//
// Fixed-size sequences (the grid, the instruction table) also name their fill:
// the row that repeats to the end of the sequence after its last used row.
template <class Row>
struct RowSplice {
    int at = 0;
    int keep = 0;
    std::vector<Row> older;
    std::vector<Row> newer;
    Row olderFill{};
    Row newerFill{};

    bool empty() const { return older.empty() && newer.empty() && olderFill == newerFill; }
    size_t rowCount() const { return older.size() + newer.size(); }
};

// Turns `rows` (a state holding the `from` side of a change) into the state
// holding the other side. `toOlder` chooses the direction. Returns the first
// and one past the last row that may differ afterwards, for copying back.
template <class Row>
std::pair<int, int> applySplice(std::vector<Row>& rows, const RowSplice<Row>& change, bool toOlder,
                                bool fixed) {
    const std::vector<Row>& from = toOlder ? change.newer : change.older;
    const std::vector<Row>& to = toOlder ? change.older : change.newer;
    const Row& fromFill = toOlder ? change.newerFill : change.olderFill;
    const Row& toFill = toOlder ? change.olderFill : change.newerFill;
    const int size = static_cast<int>(rows.size());
    const int at = std::min(change.at, size);
    const int fromEnd = std::min(at + static_cast<int>(from.size()), size);
    if (from.size() == to.size() && fromFill == toFill) {
        // Rows replaced in place: nothing moves.
        std::copy(to.begin(), to.begin() + (fromEnd - at), rows.begin() + at);
        return {at, fromEnd};
    }
    // A fixed-size sequence that grows in the middle loses fill rows at its
    // end first, so that it never reallocates.
    const int growth = static_cast<int>(to.size()) - (fromEnd - at);
    if (fixed && growth > 0) rows.resize(static_cast<size_t>(std::max(size - growth, fromEnd)));
    rows.erase(rows.begin() + at, rows.begin() + fromEnd);
    rows.insert(rows.begin() + at, to.begin(), to.end());
    if (!fixed) return {at, static_cast<int>(rows.size())};

    // Back to the fixed size: rows pushed past the end were fill rows.
    rows.resize(static_cast<size_t>(size), fromFill);
    const int usedEnd = std::min(at + static_cast<int>(to.size()) + change.keep, size);
    int end = std::min(at + static_cast<int>(std::max(from.size(), to.size())) + change.keep, size);
    if (!(fromFill == toFill)) {
        for (int i = usedEnd; i < size; ++i) rows[i] = toFill;
        end = size;
    }
    return {at, end};
}

// Compares a sequence with the shadow copy of its previous state, returns what
// changed and brings the shadow up to date. The source gives `size()`,
// `get(i)` (a copy of row i), `same(i, row)` and, for a fixed-size sequence
// (`fixed`), `blank(row)`: such a sequence keeps its size, and a run of equal
// blank rows at its end is its fill. A sequence whose last row is in use (the
// END row of a full ladder) has no fill, so that rows shifted towards the end
// still line up with their old places.
template <class Row, class Source>
RowSplice<Row> diffAndUpdate(std::vector<Row>& shadow, const Source& live, bool fixed) {
    RowSplice<Row> change;
    const int size = live.size();
    const int oldSize = static_cast<int>(shadow.size());
    fixed = fixed && size > 0 && oldSize == size;
    int oldUsed = oldSize;
    int newUsed = size;
    if (fixed) {
        const Row oldLast = shadow.back();
        const Row newLast = live.get(size - 1);
        if (live.blank(oldLast)) {
            oldUsed = size - 1;
            while (oldUsed > 0 && shadow[oldUsed - 1] == oldLast) --oldUsed;
        }
        if (live.blank(newLast)) {
            newUsed = size - 1;
            while (newUsed > 0 && live.same(newUsed - 1, newLast)) --newUsed;
        }
        // A side without fill rows takes the other side's fill, which only
        // ever fills the rows the other side leaves.
        change.olderFill = oldUsed < size ? oldLast : newUsed < size ? newLast : Row{};
        change.newerFill = newUsed < size ? newLast : change.olderFill;
    }
    const int common = std::min(oldUsed, newUsed);
    int p = 0;
    while (p < common && live.same(p, shadow[p])) ++p;
    int s = 0;
    while (s < common - p && live.same(newUsed - 1 - s, shadow[oldUsed - 1 - s])) ++s;
    change.at = p;
    change.keep = s;
    change.older.assign(shadow.begin() + p, shadow.begin() + (oldUsed - s));
    change.newer.reserve(static_cast<size_t>(newUsed - s - p));
    for (int i = p; i < newUsed - s; ++i) change.newer.push_back(live.get(i));
    if (!change.empty()) applySplice(shadow, change, false, fixed);
    return change;
}

}  // namespace rs::history
