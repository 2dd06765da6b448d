#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace rs::test {

// How far generated lists reach: nesting of contact blocks, nesting of split
// points below the rung's own point, and whether branches from a split point
// may hold parallel blocks.
struct ListShape {
    int blockDepth = 3;
    int pointDepth = 2;
    bool blocksInBranches = true;
    bool groupsInEveryBranch = true;  // else only the last branch of a point splits again
};

// A seeded source of well-formed instruction lists as the list editor takes
// them: rungs of contacts in series and parallel (AND, OR, ANB, ORB blocks
// nested a few levels deep), pulse and closed contacts, outputs (coils, timers
// and counters with K and D set values, SET, RST, instruction boxes of one to
// four operands) hanging at split points opened with MPS, reread with MRD and
// closed with MPP, or written one after another; labels before some rungs.
// Every list fits the grid and ends with "END".
class ListGenerator {
  public:
    using Shape = ListShape;
    explicit ListGenerator(uint32_t seed, Shape shape = {}) : m_rng(seed), m_shape(shape) {}
    std::vector<std::string> next();

  private:
    int pick(int lo, int hi);  // uniform in [lo, hi]
    bool chance(int percent);
    std::string device(bool output);
    int makeNet(int maxWidth, int maxHeight, int depth);
    void emitBlock(int net, std::vector<std::string>& out);
    void emitAnchored(int net, std::vector<std::string>& out);
    void emitPoint(int col, int depth, bool single, std::vector<std::string>& out);
    std::string contactLine(const char* family, int net) const;

    struct NetNode {
        char type = 'C';  // 'C' contact, 'S' series, 'P' parallel
        int kind = 0;     // 0 open, 1 closed, 2 rising, 3 falling
        std::string device;
        int a = -1, b = -1;
        int width = 1, height = 1;
    };
    std::mt19937 m_rng;
    Shape m_shape;
    std::vector<NetNode> m_nets;
    int m_labels = 0;
};

}  // namespace rs::test
