#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "app/model/ladder_scene.h"
#include "app/qt/scene_painter.h"
#include "core/convert/tidy.h"
#include "tests/support/test_session.h"

namespace {

// A ladder of 3998 rungs (rows 0 to 3997) with the END row below: contacts in
// columns 1 to 3, wires to the coil, a branch contact on every fourth row.
void fillLadder(rs::Session& s) {
    rs::LadderGrid& g = s.grid();
    for (int r = 0; r < rs::kGridRows - 2; ++r) {
        g.setCell(r, 1, rs::OpenContact, "X" + std::to_string(r % 100), rs::LinkSymbol);
        g.setCell(r, 2, rs::CloseContact, "M" + std::to_string(r), rs::LinkSymbol);
        g.setCell(r, 3, r % 4 == 3 ? rs::OpenBranch : rs::RisingPulse, "X1", rs::LinkSymbol);
        for (int c = 4; c < 10; ++c) g.setCell(r, c, rs::HorizontalLine, "", rs::LinkWire);
        g.setCell(r, 10, r % 2 ? rs::Coil : rs::AppInstruction, r % 2 ? "Y001" : "MOV K10 D0",
                  rs::LinkSymbol);
    }
    g.m_nLastRow = rs::kGridRows - 3;
    s.view.m_bCompiled = false;
}

// One repaint of the view's 1200 x 800 client area at a scroll position:
// the scene of the rows that reach the area, drawn into an image.
void BM_RepaintLadder4000Rows(benchmark::State& state) {
    rs::test::TestSession t;
    fillLadder(t.session);
    rs::tidyGrid(t.session);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    const int scrollY = static_cast<int>(state.range(0));
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, -scrollY);
        const rs::shell::LadderSceneInput in{*t.view.grid,
                                             rs::shell::LadderGeometry(1200, 800),
                                             true,
                                             scrollY,
                                             scrollY + 800,
                                             {},
                                             {}};
        paintScene(painter, rs::shell::ladderScene(in));
    }
}
BENCHMARK(BM_RepaintLadder4000Rows)
    ->Arg(0)
    ->Arg(19200)
    ->Arg(399000)  // row 3990, the END row in sight
    ->Unit(benchmark::kMicrosecond);

// The same repaint walking every row of the ladder, as a paint that draws all
// rows and lets the image clip them would.
void BM_RepaintLadder4000RowsAllRowsDrawn(benchmark::State& state) {
    rs::test::TestSession t;
    fillLadder(t.session);
    rs::tidyGrid(t.session);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const rs::shell::LadderSceneInput in{
            *t.view.grid, rs::shell::LadderGeometry(1200, 800), true, 0, 400000, {}, {}};
        paintScene(painter, rs::shell::ladderScene(in));
    }
}
BENCHMARK(BM_RepaintLadder4000RowsAllRowsDrawn)->Unit(benchmark::kMillisecond);

// The tidy steps that run before every repaint of a 4000-row ladder.
void BM_TidyLadder4000Rows(benchmark::State& state) {
    rs::test::TestSession t;
    fillLadder(t.session);
    for (auto _ : state) rs::tidyGrid(t.session);
}
BENCHMARK(BM_TidyLadder4000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace
