#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rs::convert {

// One bit for each of rows 0..size-1, with searches that read 64 rows a step:
// the next set or clear row after a row, the last clear row before it, and
// whether any row of a range is set. Rows outside 0..size-1 read as clear and
// are never written.
class RowBits {
  public:
    RowBits() = default;
    RowBits(int size, bool on)
        : m_size(size < 0 ? 0 : size), m_words((static_cast<size_t>(m_size) + 63) / 64, 0) {
        if (on)
            for (int r = 0; r < m_size; ++r) set(r, true);
    }
    int size() const { return m_size; }
    bool test(int r) const {
        return r >= 0 && r < m_size && (m_words[word(r)] >> (r & 63) & 1) != 0;
    }
    void set(int r, bool on) {
        if (r < 0 || r >= m_size) return;
        if (on)
            m_words[word(r)] |= bit(r);
        else
            m_words[word(r)] &= ~bit(r);
    }
    // The first set row at or after `from`, or -1.
    int nextSet(int from) const { return next(from, 0); }
    // The first clear row at or after `from`, or size() when every row is set.
    int nextClear(int from) const {
        const int r = next(from, ~0ULL);
        return r < 0 ? m_size : r;
    }
    // The last clear row at or before `from`, or -1 when rows 0..from are set.
    int lastClear(int from) const {
        if (from < 0) return -1;
        if (from >= m_size) return from;
        size_t w = word(from);
        uint64_t clear = ~m_words[w] & (~0ULL >> (63 - (from & 63)));
        while (clear == 0) {
            if (w == 0) return -1;
            clear = ~m_words[--w];
        }
        return static_cast<int>(w * 64) + 63 - std::countl_zero(clear);
    }
    // Whether any row of lo..hi is set.
    bool anySet(int lo, int hi) const {
        const int r = nextSet(lo < 0 ? 0 : lo);
        return r >= 0 && r <= hi;
    }

  private:
    static size_t word(int r) { return static_cast<size_t>(r) >> 6; }
    static uint64_t bit(int r) { return 1ULL << (r & 63); }
    // The first row at or after `from` whose bit differs from `flip`'s.
    int next(int from, uint64_t flip) const {
        if (from < 0) from = 0;
        if (from >= m_size) return -1;
        size_t w = word(from);
        uint64_t bits = (m_words[w] ^ flip) & (~0ULL << (from & 63));
        while (bits == 0) {
            if (++w == m_words.size()) return -1;
            bits = m_words[w] ^ flip;
        }
        const int r = static_cast<int>(w * 64) + std::countr_zero(bits);
        return r < m_size ? r : -1;
    }

    int m_size = 0;
    std::vector<uint64_t> m_words;
};

}  // namespace rs::convert
