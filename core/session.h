#pragma once

#include <memory>

#include "core/instruction_store.h"
#include "core/ladder_grid.h"
#include "core/message_sink.h"
#include "core/par_range.h"
#include "core/records.h"

namespace rs {

// A place the program marks with a rectangle after a report: a list line or a
// ladder cell.
struct Highlight {
    bool active = false;
    bool inList = false;
    int row = -1;
    int col = -1;
};

// What the project view keeps of a program: the ladder, the record lists and
// the flags that say whether the two agree.
struct ViewState {
    ViewState() : grid(std::make_unique<LadderGrid>()), paste(std::make_unique<PasteBackup>()) {}

    std::unique_ptr<LadderGrid> grid;
    std::unique_ptr<PasteBackup> paste;
    RecordLists records;
    bool m_bCompiled = true;
    int m_bListMode = 0;
    int m_bUnconvertible = 0;
    int m_nConvertErrors = 0;      // "cannot be converted" reports in this run
    int m_nUnsupportedErrors = 0;  // "not supported" reports in this run
    int m_nDataWidth = 16;         // width of digit-designated groups
    int m_nListCursor = 0;         // cursor line of the instruction list
    int m_nSelEndRow = 0;          // ladder selection: from the cursor cell to this cell
    int m_nSelEndCol = 0;
    int m_nListSelExtent = 0;  // list selection: lines dragged over, negative upward
    Highlight highlight;
};

// Everything an operation on the program works with: the application's store,
// the view's state, where messages go and the device range file.
struct Session {
    Session(AppStore& a, ViewState& v, MessageSink& s, const RangeFile& r)
        : app(a), view(v), sink(s), ranges(r) {}

    AppStore& app;
    ViewState& view;
    MessageSink& sink;
    const RangeFile& ranges;

    InstructionTable& table() { return *app.table; }
    LadderGrid& grid() { return *view.grid; }
    bool mode2() const { return app.m_bMode2; }

    // A new view: every table row empty with step count 1, both compiled flags set.
    void startView();
    // After every change of the ladder or the list: the program no longer
    // matches, and a previous unconvertible report is forgotten.
    void commit();
};

}  // namespace rs
