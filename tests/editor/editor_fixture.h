#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "core/line_check.h"
#include "editor/editor.h"
#include "tests/editor/scripted_dialogs.h"
#include "tests/support/test_session.h"

namespace rs::test {

// A session with an editor whose dialogs and clipboard are scripted. The
// ladder starts as a new view shows it: END in row 0, cursor at (0, 1).
class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        g.m_nCursorRow = 0;
        g.m_nCursorCol = 1;
        editor.onModified = [this] { ++modified; };
    }

    // What a repaint does to the row bookkeeping: the last row is raised to the
    // drawn one and END is written below it.
    void settle() {
        g.m_nLastRow = std::max({g.m_nLastRow, g.m_nDrawnLastRow, g.m_nListLastRow});
        g.setText(g.m_nLastRow + 1, kOutputCol, "END");
        g.m_nDrawnLastRow = g.m_nLastRow;
    }
    void cursor(int row, int col) {
        g.m_nCursorRow = row;
        g.m_nCursorCol = col;
    }
    // A mouse drag from the cursor cell (row, col) to (endRow, endCol).
    void drag(int row, int col, int endRow, int endCol) {
        cursor(row, col);
        ts.view.m_nSelEndRow = endRow;
        ts.view.m_nSelEndCol = endCol;
        editor.m_bDragged = true;
    }
    // Writes a cell of the ladder; its row becomes part of the ladder.
    void cell(int row, int col, int32_t kind, std::string text, CellLinks links) {
        g.setCell(row, col, kind, std::move(text), links);
        g.m_nLastRow = std::max(g.m_nLastRow, row);
    }
    // Messages shown since the last call.
    std::vector<std::string> messages() {
        auto out = ts.sink.texts();
        ts.sink.clear();
        return out;
    }
    // Marks the program as converted, so a test sees whether a command clears it.
    void compiled() {
        ts.app.m_bCompiled = true;
        ts.view.m_bCompiled = true;
    }
    bool isCompiled() const { return ts.app.m_bCompiled || ts.view.m_bCompiled; }
    // A list of instruction lines written as entered lines, followed by END.
    void listOf(const std::vector<std::string>& lines) {
        int r = 0;
        for (const auto& line : lines) ASSERT_TRUE(applyLine(s, line, r++)) << line;
        ASSERT_TRUE(applyLine(s, "END", r));
        ts.view.m_bListMode = 1;
        ts.sink.clear();
    }

    TestSession ts;
    Session& s = ts.session;
    LadderGrid& g = s.grid();
    InstructionTable& t = s.table();
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    Editor editor{s, dialogs, clipboard};
    int modified = 0;
};

}  // namespace rs::test
