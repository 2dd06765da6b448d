#pragma once

#include "app/model/ladder_geometry.h"
#include "app/model/scene.h"
#include "core/ladder_grid.h"
#include "sim/ladder_flow.h"

namespace rs::shell {

// What a running simulation adds to the drawn ladder: the lines and arcs of
// the drawing that carry power (powered wires, closed contacts, energized
// coils and instruction boxes), to be drawn again in a colour and thicker, and
// the current value under each timer, counter and word operand.
struct SimulationSceneInput {
    const Scene& drawn;  // the ladder as ladderScene drew it
    const LadderGrid& grid;
    LadderGeometry geometry;
    const sim::LadderFlow& flow;
    const sim::Engine& engine;
    int firstY = 0;
    int lastY = 0;
};
Scene simulationLadderScene(const SimulationSceneInput& in);

// The list lines whose row's result was on in the last scan, as highlights.
Scene simulationListScene(const sim::Engine& engine, int clientWidth, int firstY, int lastY);

}  // namespace rs::shell
