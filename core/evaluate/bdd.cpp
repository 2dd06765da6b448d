#include "core/evaluate/bdd.h"

#include <algorithm>
#include <limits>

namespace rs::eval {

namespace {

constexpr int32_t kFalse = 0;
constexpr int32_t kTrue = 1;
constexpr int32_t kLeafVar = std::numeric_limits<int32_t>::max();
constexpr size_t kMemoSize = size_t{1} << 16;  // a power of two
constexpr size_t kFirstTable = size_t{1} << 10;

size_t mix(uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    x ^= x >> 33;
    return static_cast<size_t>(x);
}

size_t nodeHash(int32_t var, int32_t lo, int32_t hi) {
    return mix((static_cast<uint64_t>(static_cast<uint32_t>(var)) << 42) ^
               (static_cast<uint64_t>(static_cast<uint32_t>(lo)) << 21) ^
               static_cast<uint64_t>(static_cast<uint32_t>(hi)));
}

BddSpace* spaceOf(const Bdd& a, const Bdd& b) {
    return a.space != nullptr ? a.space : b.space;
}

}  // namespace

BddSpace::BddSpace(int maxNodes, long long maxSteps)
    : m_nodes{{kLeafVar, kFalse, kFalse}, {kLeafVar, kTrue, kTrue}},
      m_table(kFirstTable, -1),
      m_memo(kMemoSize),
      m_maxNodes(std::max(maxNodes, 2)),
      m_maxSteps(maxSteps) {}

bool BddSpace::spend() {
    if (++m_steps > m_maxSteps) m_full = true;
    return !m_full;
}

Bdd BddSpace::var(int index) {
    return {this, make(index, kFalse, kTrue)};
}

void BddSpace::grow() {
    std::vector<int32_t> table(m_table.size() * 2, -1);
    const size_t mask = table.size() - 1;
    for (size_t n = 2; n < m_nodes.size(); ++n) {
        const Node& x = m_nodes[n];
        size_t h = nodeHash(x.var, x.lo, x.hi) & mask;
        while (table[h] >= 0) h = (h + 1) & mask;
        table[h] = static_cast<int32_t>(n);
    }
    m_table = std::move(table);
}

int32_t BddSpace::make(int32_t var, int32_t lo, int32_t hi) {
    if (lo == hi) return lo;
    if (m_full) return kFalse;
    size_t mask = m_table.size() - 1;
    size_t h = nodeHash(var, lo, hi) & mask;
    for (; m_table[h] >= 0; h = (h + 1) & mask) {
        const Node& x = m_nodes[static_cast<size_t>(m_table[h])];
        if (x.var == var && x.lo == lo && x.hi == hi) return m_table[h];
    }
    if (static_cast<int>(m_nodes.size()) >= m_maxNodes) {
        m_full = true;
        return kFalse;
    }
    const int32_t id = static_cast<int32_t>(m_nodes.size());
    m_nodes.push_back({var, lo, hi});
    if (m_nodes.size() * 2 > m_table.size()) {
        grow();
        return id;
    }
    m_table[h] = id;
    return id;
}

BddSpace::Memo& BddSpace::memo(Op op, int32_t a, int32_t b) {
    const size_t h =
        mix((static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) ^
            static_cast<uint64_t>(static_cast<uint32_t>(b)) ^ (static_cast<uint64_t>(op) << 62));
    return m_memo[h & (kMemoSize - 1)];
}

int32_t BddSpace::apply(Op op, int32_t a, int32_t b) {
    if (op == kAnd) {
        if (a == kFalse || b == kFalse) return kFalse;
        if (a == kTrue) return b;
        if (b == kTrue || a == b) return a;
    } else {
        if (a == kTrue || b == kTrue) return kTrue;
        if (a == kFalse) return b;
        if (b == kFalse || a == b) return a;
    }
    if (m_full) return kFalse;
    if (a > b) std::swap(a, b);
    {
        const Memo& m = memo(op, a, b);
        if (m.a == a && m.b == b && m.op == op) return m.result;
    }
    if (!spend()) return kFalse;
    const Node x = m_nodes[static_cast<size_t>(a)];
    const Node y = m_nodes[static_cast<size_t>(b)];
    const int32_t v = std::min(x.var, y.var);
    const int32_t lo = apply(op, x.var == v ? x.lo : a, y.var == v ? y.lo : b);
    const int32_t hi = apply(op, x.var == v ? x.hi : a, y.var == v ? y.hi : b);
    const int32_t r = make(v, lo, hi);
    if (!m_full) memo(op, a, b) = {a, b, r, op};
    return r;
}

int32_t BddSpace::negate(int32_t a) {
    if (a == kFalse) return kTrue;
    if (a == kTrue) return kFalse;
    if (m_full) return kFalse;
    {
        const Memo& m = memo(kNot, a, 0);
        if (m.a == a && m.b == 0 && m.op == kNot) return m.result;
    }
    if (!spend()) return kFalse;
    const Node x = m_nodes[static_cast<size_t>(a)];
    const int32_t r = make(x.var, negate(x.lo), negate(x.hi));
    if (!m_full) memo(kNot, a, 0) = {a, 0, r, kNot};
    return r;
}

Bdd operator&(Bdd a, Bdd b) {
    BddSpace* s = spaceOf(a, b);
    if (s == nullptr) return {nullptr, a.id & b.id};
    return {s, s->conjoin(a.id, b.id)};
}

Bdd operator|(Bdd a, Bdd b) {
    BddSpace* s = spaceOf(a, b);
    if (s == nullptr) return {nullptr, a.id | b.id};
    return {s, s->disjoin(a.id, b.id)};
}

Bdd operator~(Bdd a) {
    if (a.space == nullptr) return {nullptr, 1 - a.id};
    return {a.space, a.space->negate(a.id)};
}

Bdd& Bdd::operator&=(const Bdd& o) {
    return *this = *this & o;
}

Bdd& Bdd::operator|=(const Bdd& o) {
    return *this = *this | o;
}

}  // namespace rs::eval
