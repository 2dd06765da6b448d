#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/list_text.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

// An engineer at the keyboard: each command is followed by the repaint, which
// tidies the grid.
class EditingSession : public EditorTest {
  protected:
    void command(EditCommand c) {
        editor.run(c);
        tidyGrid(s);
    }
    void type(EditCommand c, std::string text) {
        dialogs.symbol(std::move(text));
        command(c);
    }
    void keys(EditCommand c, int count) {
        dialogs.count(count);
        command(c);
    }
    std::string convert() {
        const ConvertOutcome out = convertLadder(s);
        EXPECT_TRUE(out.compiled) << "unconvertible at " << out.reportRow << "," << out.reportCol;
        return listText(t);
    }
};

TEST_F(EditingSession, RungWithBranchesAndTwoOutputsDrawnFromTheKeyboard) {
    tidyGrid(s);  // the new view
    // Row 0: X000, X001 closed, coil Y000 (goes to column 10).
    type(EditCommand::OpenContact, "X0");
    type(EditCommand::CloseContact, "X1");
    type(EditCommand::Coil, "Y0");
    EXPECT_EQ(g.kind(0, 10), Coil);
    EXPECT_EQ(g.kind(0, 5), HorizontalLine);
    // Row 1: X002 in parallel with X000, and a second coil Y001 hanging from
    // column 3.
    cursor(1, 1);
    type(EditCommand::OpenBranch, "X2");
    cursor(1, 3);
    type(EditCommand::Coil, "Y1");
    EXPECT_TRUE(g.has(0, 3, LinkDown));  // the parallel output joined the rung
    // Row 2: a rung of its own with a pulse contact and an instruction.
    cursor(2, 1);
    type(EditCommand::RisingPulse, "M10");
    type(EditCommand::AppInstruction, "MOV K10 D0");  // from column 2 to the output
    EXPECT_EQ(g.kind(2, 10), AppInstruction);
    EXPECT_EQ(g.links(2, 8), kBoxCoverLinks);
    EXPECT_EQ(g.text(3, 10), "END");

    EXPECT_EQ(convert(),
              "LD X000\nOR X002\nANI X001\nOUT Y000\nOUT Y001\n"
              "LDP M10\nMOV K10 D0\nEND\n");
    EXPECT_TRUE(ts.sink.shown.empty());

    // Copy the first rung (rows 0 and 1, columns 1 to 10) and paste it below
    // the last rung; the ladder then converts to the rung twice.
    drag(0, 1, 1, 10);
    command(EditCommand::Copy);
    editor.m_bDragged = false;
    ts.view.m_nSelEndRow = 0;
    ts.view.m_nSelEndCol = 0;
    cursor(3, 1);
    command(EditCommand::Paste);
    EXPECT_EQ(g.m_nLastRow, 4);
    EXPECT_EQ(g.text(5, 10), "END");
    EXPECT_EQ(convert(),
              "LD X000\nOR X002\nANI X001\nOUT Y000\nOUT Y001\n"
              "LDP M10\nMOV K10 D0\n"
              "LD X000\nOR X002\nANI X001\nOUT Y000\nOUT Y001\nEND\n");
}

TEST_F(EditingSession, WiresRowsAndLinesReshapeARung) {
    tidyGrid(s);
    type(EditCommand::OpenContact, "X0");
    keys(EditCommand::HorizontalLine, 3);
    type(EditCommand::Coil, "Y0");
    EXPECT_EQ(convert(), "LD X000\nOUT Y000\nEND\n");

    // A contact below, joined by vertical wires at columns 1 and 2: an OR.
    cursor(1, 1);
    type(EditCommand::OpenContact, "X1");
    cursor(0, 1);
    keys(EditCommand::VerticalLine, 1);
    cursor(0, 2);
    keys(EditCommand::VerticalLine, 1);
    const std::string orRung = "LD X000\nOR X001\nOUT Y000\nEND\n";
    EXPECT_EQ(convert(), orRung);

    // A column inserted at the rail runs through both rows of the block; taken
    // out again it leaves the rung as it was.
    cursor(0, 1);
    command(EditCommand::InsertRow);
    EXPECT_EQ(g.text(0, 2), "X000");
    EXPECT_EQ(g.text(1, 2), "X001");
    EXPECT_EQ(g.kind(1, 1), HorizontalLine);
    command(EditCommand::DeleteRow);
    EXPECT_EQ(convert(), orRung);

    // A contact typed into the inserted column of the upper row is in series
    // with X000 only.
    cursor(0, 1);
    command(EditCommand::InsertRow);
    type(EditCommand::OpenContact, "X2");
    EXPECT_EQ(convert(), "LD X002\nAND X000\nOR X001\nOUT Y000\nEND\n");

    // Empty lines above and inside the rung: the vertical wires run through
    // the inserted line, deleting it gives back the rung, and Convert takes an
    // empty line out by itself.
    cursor(0, 1);
    command(EditCommand::InsertLine);
    EXPECT_EQ(g.text(1, 1), "X002");
    command(EditCommand::DeleteLine);
    EXPECT_EQ(g.text(0, 1), "X002");
    cursor(1, 1);
    command(EditCommand::InsertLine);
    EXPECT_TRUE(g.has(1, 3, LinkDown));
    EXPECT_EQ(g.text(2, 1), "X001");
    command(EditCommand::DeleteLine);
    EXPECT_EQ(g.text(1, 1), "X001");
    EXPECT_EQ(convert(), "LD X002\nAND X000\nOR X001\nOUT Y000\nEND\n");
    command(EditCommand::InsertLine);
    EXPECT_EQ(convert(), "LD X002\nAND X000\nOR X001\nOUT Y000\nEND\n");
    EXPECT_EQ(g.m_nLastRow, 1);

    // Cut the rung, paste it one rung lower: the same program.
    drag(0, 1, 1, 10);
    command(EditCommand::Cut);
    EXPECT_FALSE(editor.m_bDragged);
    cursor(0, 1);
    command(EditCommand::DeleteLine);
    command(EditCommand::DeleteLine);
    EXPECT_EQ(g.m_nLastRow, -1);
    cursor(0, 1);
    command(EditCommand::Paste);
    EXPECT_EQ(convert(), "LD X002\nAND X000\nOR X001\nOUT Y000\nEND\n");
}

TEST_F(EditingSession, ListEditedAfterConvert) {
    tidyGrid(s);
    type(EditCommand::OpenContact, "X0");
    type(EditCommand::Coil, "Y0");
    convert();
    ts.view.m_bListMode = 1;
    // Enter on the END line adds a rung's lines before it.
    dialogs.list("LD X1");
    editor.editListLine(2);
    dialogs.list("OUT Y1");
    editor.editListLine(3);
    EXPECT_EQ(listText(t), "LD X000\nOUT Y000\nLD X001\nOUT Y001\nEND\n");
    EXPECT_TRUE(store::listsConsistent(ts.view.records));
    EXPECT_TRUE(ts.view.m_bCompiled);  // the list may be saved as it is
    // Copy the first rung, paste it at the END line.
    ts.view.m_nListCursor = 0;
    ts.view.m_nListSelExtent = 1;
    editor.run(EditCommand::Copy);
    ts.view.m_nListSelExtent = 0;
    ts.view.m_nListCursor = 4;
    editor.run(EditCommand::Paste);
    EXPECT_EQ(listText(t), "LD X000\nOUT Y000\nLD X001\nOUT Y001\nLD X000\nOUT Y000\nEND\n");
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 7u);
}

}  // namespace
}  // namespace rs::test
