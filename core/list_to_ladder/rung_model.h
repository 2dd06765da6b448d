#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rs::ladder {

// The shape of a rung as the instruction list describes it, before any cell is
// chosen. A network is the contact part between two points of the rung; a
// point (node) is where one or more outputs or further networks hang.

enum class NetType : uint8_t { Contact, Series, Parallel };

struct Net {
    NetType type = NetType::Contact;
    int32_t kind = 0;  // cell kind of a contact
    int listRow = -1;  // list row of a contact
    int a = -1;        // operands of Series / Parallel (indexes into the net arena)
    int b = -1;
    int width = 1;   // columns the network spans
    int height = 1;  // rows the network spans
};

// One thing hanging at a point: an output (coil or instruction box) in column
// 10, or a network leading to a further point.
struct Child {
    bool isOutput = true;
    int listRow = -1;  // output row
    int net = -1;      // branch: network from the point
    int node = -1;     // branch: the point the network leads to
};

struct Node {
    int openedAt = -1;  // list row that created the point (for reports)
    std::vector<Child> children;
};

// A rung: an optional label, the network from the left rail and the point it
// ends in. A rung without a network holds only its label.
struct Rung {
    int labelRow = -1;
    int net = -1;
    int node = -1;
};

struct RungModel {
    std::vector<Net> nets;
    std::vector<Node> nodes;
    std::vector<Rung> rungs;
};

}  // namespace rs::ladder
