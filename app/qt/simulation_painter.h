#pragma once

#include <QPainter>

#include "app/model/scene.h"

// Draws what a running simulation lights up: lines and arcs that carry power
// in green and three pixels wide, values in dark blue, list lines whose result
// is on under a translucent green band.
void paintSimulationScene(QPainter& painter, const rs::shell::Scene& lit);

// Draws what stepping adds: the row the engine paused before under an amber
// band, each breakpoint box as a red disc, and the stacks in dark text on a
// pale box.
void paintSteppingScene(QPainter& painter, const rs::shell::Scene& stepping);
