#pragma once

#include <QPainter>

#include "app/model/scene.h"

// Draws a scene with one-pixel black lines (or the given pen), outline-only
// boxes, the default font, and the yellow selection highlight under
// everything else.
void paintScene(QPainter& painter, const rs::shell::Scene& scene,
                const QPen& pen = QPen(Qt::black, 1));
