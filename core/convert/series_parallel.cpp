// The general series-parallel compiler: a rung read as a relay circuit,
// reduced to contacts in series and in parallel and to branches at points,
// and written as an instruction list.
#include "core/convert/series_parallel.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>

#include "core/evaluate/direction.h"
#include "core/instructions/instruction.h"

namespace rs::convert {

namespace {

bool isFlowText(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}

// A network between two nodes: one contact, or networks in series or in
// parallel. Each part is used in a direction (`rev`: read from its far end).
struct Net {
    enum Type { Contact, Series, Parallel } type = Contact;
    int row = 0, col = 0;                    // Contact
    std::vector<std::pair<int, bool>> kids;  // Series, Parallel: (net, rev)
    int top = 0;                             // the topmost, then leftmost contact
};

struct Edge {
    int a = 0, b = 0;  // the nodes it joins; its net reads from a to b unless rev
    int net = 0;
    bool rev = false;
    bool alive = true;
};

// What hangs at a point: an output (its grid row), or a branch: a network from
// the point outward and what hangs at its far end.
struct Item {
    int outputRow = -1;
    int net = -1;
    bool rev = false;
    std::vector<int> items;
    int key = 0;  // the first output row it leads to
};

constexpr int kEdges = 11;  // left edges 1..10 of a row, index 0 unused

class Circuit {
  public:
    Circuit(const LadderGrid& g, int first, int last, int maxDepth)
        : m_g(g), m_first(first), m_last(last), m_maxDepth(maxDepth) {}

    SpResult compile() {
        if (!build() || !reduce()) return m_res;
        std::vector<int> rail = m_items[static_cast<size_t>(m_rail)];
        sortByKey(rail);
        for (int it : rail) {
            const Item& item = m_itemStore[static_cast<size_t>(it)];
            if (item.net < 0) return fail(item.outputRow, kOutputCol);
            if (!emitBlock(item.net, item.rev, 1) || !emitPoint(item.items, 1)) return m_res;
        }
        m_res.ok = true;
        return m_res;
    }

  private:
    int id(int r, int edge) const { return (r - m_first) * kEdges + edge; }
    int find(int x) {
        while (m_parent[static_cast<size_t>(x)] != x) {
            m_parent[static_cast<size_t>(x)] = m_parent[static_cast<size_t>(m_parent[x])];
            x = m_parent[static_cast<size_t>(x)];
        }
        return x;
    }
    void unite(int a, int b) { m_parent[static_cast<size_t>(find(a))] = find(b); }

    SpResult fail(int r, int c) {
        if (m_res.row < 0) {
            m_res.row = r;
            m_res.col = c;
        }
        m_res.ok = false;
        return m_res;
    }
    bool failed(int r, int c) {
        fail(r, c);
        return false;
    }
    // A contact that would have to pass current from right to left.
    bool reversedAt(int r, int c) {
        if (m_res.row < 0) m_res.reversed = true;
        return failed(r, c);
    }

    // The nodes, contacts and outputs of the rows.
    bool build() {
        const int rows = m_last - m_first + 1;
        m_parent.resize(static_cast<size_t>(rows) * kEdges);
        std::iota(m_parent.begin(), m_parent.end(), 0);
        for (int r = m_first; r <= m_last; ++r) {
            unite(id(r, 1), id(m_first, 1));  // the left rail
            for (int c = 1; c <= 9; ++c) {
                // The columns of an instruction box join its left edge to the
                // box; the meaning check holds the list to their one-way path.
                const eval::CellPath path = eval::cellPath(m_g, r, c);
                if (path == eval::CellPath::BothWays || path == eval::CellPath::LeftToRight)
                    unite(id(r, c), id(r, c + 1));
                else if (m_g.hasSymbol(r, c) && path != eval::CellPath::Contact)
                    return failed(r, c);
            }
            if (m_g.hasSymbol(r, kOutputCol) &&
                (!isOutputKind(m_g.kind(r, kOutputCol)) || isFlowText(m_g.text(r, kOutputCol))))
                return failed(r, kOutputCol);
            if (r < m_last)
                for (int c = 2; c <= kOutputCol; ++c)
                    if (m_g.has(r, c, LinkDown)) unite(id(r, c), id(r + 1, c));
        }
        m_rail = find(id(m_first, 1));
        m_items.assign(m_parent.size(), {});
        for (int r = m_first; r <= m_last; ++r) {
            for (int c = 1; c <= 9; ++c) {
                if (!m_g.hasSymbol(r, c)) continue;
                const int a = find(id(r, c));
                const int b = find(id(r, c + 1));
                if (a == b) return failed(r, c);  // shorted by a wire beside it
                Net n;
                n.row = r;
                n.col = c;
                n.top = r * 16 + c;
                m_nets.push_back(n);
                m_edges.push_back({a, b, static_cast<int>(m_nets.size()) - 1, false, true});
            }
            if (m_g.hasSymbol(r, kOutputCol)) {
                Item out;
                out.outputRow = r;
                out.key = r;
                m_itemStore.push_back(out);
                m_items[static_cast<size_t>(find(id(r, kOutputCol)))].push_back(
                    static_cast<int>(m_itemStore.size()) - 1);
            }
        }
        return true;
    }

    static int other(const Edge& e, int v) { return e.a == v ? e.b : e.a; }

    // The parts of a compound net, each in the direction it is read when the
    // whole is read from its start (rev: from its far end).
    std::vector<std::pair<int, bool>> kidsOf(int net, bool rev) const {
        std::vector<std::pair<int, bool>> k = m_nets[static_cast<size_t>(net)].kids;
        if (rev && m_nets[static_cast<size_t>(net)].type == Net::Series)
            std::reverse(k.begin(), k.end());
        for (auto& x : k) x.second = x.second != rev;
        return k;
    }

    int combine(Net::Type type, const std::vector<std::pair<int, bool>>& parts) {
        Net n;
        n.type = type;
        for (const auto& [net, rev] : parts) {
            if (m_nets[static_cast<size_t>(net)].type == type) {
                for (const auto& k : kidsOf(net, rev)) n.kids.push_back(k);
            } else {
                n.kids.emplace_back(net, rev);
            }
        }
        if (type == Net::Parallel)
            std::stable_sort(n.kids.begin(), n.kids.end(), [this](const auto& x, const auto& y) {
                return m_nets[static_cast<size_t>(x.first)].top <
                       m_nets[static_cast<size_t>(y.first)].top;
            });
        n.top = m_nets[static_cast<size_t>(n.kids.front().first)].top;
        for (const auto& k : n.kids)
            n.top = std::min(n.top, m_nets[static_cast<size_t>(k.first)].top);
        m_nets.push_back(std::move(n));
        return static_cast<int>(m_nets.size()) - 1;
    }

    // One reduction; false when none applies.
    bool reduceOnce() {
        // Two contacts between the same nodes are in parallel.
        m_pairs.clear();
        for (size_t e = 0; e < m_edges.size(); ++e) {
            const Edge& x = m_edges[e];
            if (!x.alive) continue;
            const int64_t key = static_cast<int64_t>(std::min(x.a, x.b)) << 32 | std::max(x.a, x.b);
            m_pairs.emplace_back(key, static_cast<int>(e));
        }
        std::sort(m_pairs.begin(), m_pairs.end());
        for (size_t i = 1; i < m_pairs.size(); ++i) {
            if (m_pairs[i].first != m_pairs[i - 1].first) continue;
            Edge& e1 = m_edges[static_cast<size_t>(m_pairs[i - 1].second)];
            Edge& e2 = m_edges[static_cast<size_t>(m_pairs[i].second)];
            const int net =
                combine(Net::Parallel, {{e1.net, e1.rev}, {e2.net, e2.rev != (e2.a != e1.a)}});
            e1.alive = e2.alive = false;
            m_edges.push_back({e1.a, e1.b, net, false, true});
            return true;
        }
        m_degree.assign(m_parent.size(), 0);
        for (const auto& [key, e] : m_pairs) {
            ++m_degree[static_cast<size_t>(m_edges[static_cast<size_t>(e)].a)];
            ++m_degree[static_cast<size_t>(m_edges[static_cast<size_t>(e)].b)];
        }
        for (size_t v = 0; v < m_degree.size(); ++v) {
            const int node = static_cast<int>(v);
            auto& items = m_items[v];
            const int deg = m_degree[v];
            if (node == m_rail || !(deg == 1 || (deg == 2 && items.empty()))) continue;
            int inc[2] = {-1, -1};
            int n = 0;
            for (const auto& [key, e] : m_pairs) {
                const Edge& x = m_edges[static_cast<size_t>(e)];
                if (x.a == node || x.b == node) inc[n++] = e;
                if (n == deg) break;
            }
            if (deg == 2) {
                // A node with two contacts and nothing else: in series.
                Edge& e1 = m_edges[static_cast<size_t>(inc[0])];
                Edge& e2 = m_edges[static_cast<size_t>(inc[1])];
                const int x = other(e1, node);
                const int y = other(e2, node);
                const int net = combine(Net::Series, {{e1.net, e1.a == x ? e1.rev : !e1.rev},
                                                      {e2.net, e2.a == node ? e2.rev : !e2.rev}});
                e1.alive = e2.alive = false;
                m_edges.push_back({x, y, net, false, true});
                return true;
            }
            // Reached by one contact: a branch of the node at its other end.
            Edge& e = m_edges[static_cast<size_t>(inc[0])];
            if (items.empty()) {
                const int top = m_nets[static_cast<size_t>(e.net)].top;
                return failed(top / 16, top % 16);  // leads nowhere
            }
            const int u = other(e, node);
            Item branch;
            branch.net = e.net;
            branch.rev = e.a == u ? e.rev : !e.rev;
            branch.items = std::move(items);
            items.clear();
            branch.key = m_itemStore[static_cast<size_t>(branch.items.front())].key;
            for (int it : branch.items)
                branch.key = std::min(branch.key, m_itemStore[static_cast<size_t>(it)].key);
            m_itemStore.push_back(std::move(branch));
            m_items[static_cast<size_t>(u)].push_back(static_cast<int>(m_itemStore.size()) - 1);
            e.alive = false;
            return true;
        }
        return false;
    }

    bool reduce() {
        while (reduceOnce()) {
        }
        if (m_res.row >= 0) return false;
        int top = -1;
        for (const Edge& e : m_edges)
            if (e.alive && (top < 0 || m_nets[static_cast<size_t>(e.net)].top < top))
                top = m_nets[static_cast<size_t>(e.net)].top;
        if (top >= 0) return failed(top / 16, top % 16);  // not series-parallel
        for (size_t v = 0; v < m_items.size(); ++v)
            if (static_cast<int>(v) != m_rail && !m_items[v].empty())
                return failed(m_itemStore[static_cast<size_t>(m_items[v].front())].key, kOutputCol);
        return true;
    }

    void sortByKey(std::vector<int>& items) const {
        std::stable_sort(items.begin(), items.end(), [this](int a, int b) {
            return m_itemStore[static_cast<size_t>(a)].key <
                   m_itemStore[static_cast<size_t>(b)].key;
        });
    }

    void step(SpStep::Kind kind, int row, int col) { m_res.steps.push_back({kind, row, col}); }
    void plain(const char* mnemonic) { m_res.steps.push_back({SpStep::Plain, 0, 0, mnemonic}); }

    // The net as a new block: LD, then AND, OR, ANB and ORB.
    bool emitBlock(int net, bool rev, int depth) {
        if (depth > m_maxDepth) return failed(m_first, 1);
        const Net& n = m_nets[static_cast<size_t>(net)];
        if (n.type == Net::Contact) {
            if (rev) return reversedAt(n.row, n.col);
            step(SpStep::Load, n.row, n.col);
            return true;
        }
        const auto kids = kidsOf(net, rev);
        if (!emitBlock(kids[0].first, kids[0].second, depth + 1)) return false;
        for (size_t i = 1; i < kids.size(); ++i) {
            const Net& k = m_nets[static_cast<size_t>(kids[i].first)];
            if (n.type == Net::Series) {
                if (!emitAndTo(kids[i].first, kids[i].second, depth + 1)) return false;
            } else if (k.type == Net::Contact) {
                if (kids[i].second) return reversedAt(k.row, k.col);
                step(SpStep::Or, k.row, k.col);
            } else {
                if (!emitBlock(kids[i].first, kids[i].second, depth + 1)) return false;
                plain("ORB");
            }
        }
        return true;
    }

    // The net in series after the result on top: AND, or a block and ANB.
    bool emitAndTo(int net, bool rev, int depth) {
        if (depth > m_maxDepth) return failed(m_first, 1);
        const Net& n = m_nets[static_cast<size_t>(net)];
        if (n.type == Net::Contact) {
            if (rev) return reversedAt(n.row, n.col);
            step(SpStep::And, n.row, n.col);
        } else if (n.type == Net::Series) {
            for (const auto& [k, r] : kidsOf(net, rev))
                if (!emitAndTo(k, r, depth + 1)) return false;
        } else {
            if (!emitBlock(net, rev, depth + 1)) return false;
            plain("ANB");
        }
        return true;
    }

    // What hangs at a point whose condition is the result on top. Outputs
    // before the first branch use it as it is; every branch but the last
    // needs it kept (MPS) and read back (MRD, MPP), and outputs after a branch
    // go with the next reading.
    bool emitPoint(std::vector<int> items, int depth) {
        if (depth > m_maxDepth) return failed(m_first, 1);
        sortByKey(items);
        size_t i = 0;
        for (; i < items.size() && m_itemStore[static_cast<size_t>(items[i])].net < 0; ++i)
            step(SpStep::Output, m_itemStore[static_cast<size_t>(items[i])].outputRow, kOutputCol);
        std::vector<std::vector<int>> segments(1);
        for (; i < items.size(); ++i) {
            segments.back().push_back(items[i]);
            if (m_itemStore[static_cast<size_t>(items[i])].net >= 0) segments.emplace_back();
        }
        if (segments.back().empty()) segments.pop_back();
        for (size_t s = 0; s < segments.size(); ++s) {
            if (segments.size() > 1)
                plain(s == 0 ? "MPS" : s + 1 < segments.size() ? "MRD" : "MPP");
            for (int it : segments[s]) {
                const Item& item = m_itemStore[static_cast<size_t>(it)];
                if (item.net < 0) {
                    step(SpStep::Output, item.outputRow, kOutputCol);
                    continue;
                }
                if (!emitAndTo(item.net, item.rev, depth + 1) || !emitPoint(item.items, depth + 1))
                    return false;
            }
        }
        return true;
    }

    const LadderGrid& m_g;
    int m_first, m_last, m_maxDepth;
    std::vector<int> m_parent;
    int m_rail = 0;
    std::vector<Net> m_nets;
    std::vector<Edge> m_edges;
    std::vector<Item> m_itemStore;
    std::vector<std::vector<int>> m_items;         // per node: what hangs there
    std::vector<std::pair<int64_t, int>> m_pairs;  // live contacts by the nodes they join
    std::vector<int> m_degree;                     // live contacts per node
    SpResult m_res;
};

}  // namespace

SpResult compileSeriesParallel(const LadderGrid& g, int first, int last, int maxDepth) {
    return Circuit(g, first, last, maxDepth).compile();
}

}  // namespace rs::convert
