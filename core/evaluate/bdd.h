#pragma once

#include <cstdint>
#include <vector>

namespace rs::eval {

class BddSpace;

// A Boolean function of numbered variables, as a node of a reduced ordered
// binary decision diagram in a `BddSpace`. The diagram of a function is
// canonical for the space's variable order, so two functions are equal
// exactly when their nodes are. The constants (a default `Bdd` is false)
// belong to every space; a function and a constant combine without one.
struct Bdd {
    BddSpace* space = nullptr;
    int32_t id = 0;  // 0 false, 1 true, else a node of `space`

    bool operator==(const Bdd& o) const { return id == o.id; }
    bool operator!=(const Bdd& o) const { return id != o.id; }
    Bdd& operator&=(const Bdd& o);
    Bdd& operator|=(const Bdd& o);
};

Bdd operator&(Bdd a, Bdd b);
Bdd operator|(Bdd a, Bdd b);
Bdd operator~(Bdd a);

// The nodes of the functions built in it, shared between them. Variable 0 is
// tested first. At most `maxNodes` nodes are made and at most `maxSteps`
// operation steps taken (a step is one pair of nodes combined that the memo
// did not know); past either every operation answers false and `full()`
// tells that the functions built are no longer exact, so a caller compares
// them only while it is false. The two bounds keep its memory and its time
// finite on any input.
class BddSpace {
  public:
    BddSpace(int maxNodes, long long maxSteps);

    Bdd var(int index);
    bool full() const { return m_full; }
    int nodes() const { return static_cast<int>(m_nodes.size()); }
    long long steps() const { return m_steps; }

    int32_t conjoin(int32_t a, int32_t b) { return apply(kAnd, a, b); }
    int32_t disjoin(int32_t a, int32_t b) { return apply(kOr, a, b); }
    int32_t negate(int32_t a);

  private:
    enum Op : uint8_t { kAnd, kOr, kNot };
    struct Node {
        int32_t var, lo, hi;
    };
    struct Memo {
        int32_t a = -1, b = -1, result = 0;
        Op op = kAnd;
    };

    int32_t make(int32_t var, int32_t lo, int32_t hi);
    int32_t apply(Op op, int32_t a, int32_t b);
    Memo& memo(Op op, int32_t a, int32_t b);
    void grow();
    bool spend();  // counts one step; false once a bound is reached

    std::vector<Node> m_nodes;     // 0 and 1 are the constants
    std::vector<int32_t> m_table;  // open addressing over m_nodes, -1 free
    std::vector<Memo> m_memo;      // results of recent operations, lossy
    int m_maxNodes;
    long long m_maxSteps;
    long long m_steps = 0;
    bool m_full = false;
};

}  // namespace rs::eval
