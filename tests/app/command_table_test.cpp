#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/model/command_state.h"
#include "app/model/commands.h"
#include "app/model/menu_layout.h"
#include "app/model/shortcuts.h"
#include "app/model/toolbars.h"

using namespace rs::shell;

TEST(ShortcutTable, FirstEntryOfAKeyWins) {
    EXPECT_EQ(commandForKey("Shift+Ins"), CmdInsertLine);  // not paste
    EXPECT_EQ(commandForKey("Return"), CmdEnterKey);       // not next pane
    EXPECT_EQ(commandForKey("Ctrl+V"), CmdPaste);
    EXPECT_EQ(commandForKey("Alt+F1"), CmdInstructionList);
    EXPECT_EQ(commandForKey("Ctrl+F5"), CmdStatusBarDirect);
    EXPECT_EQ(commandForKey("F10"), CmdNone);

    std::set<std::string> keys;
    for (const auto& e : effectiveShortcuts()) {
        EXPECT_TRUE(keys.insert(e.key).second) << e.key;
        EXPECT_EQ(e.command, commandForKey(e.key));
    }
    EXPECT_EQ(keys.size(), shortcutTable().size() - 3);  // Shift+Ins, Return, Enter repeat
}

TEST(CommandState, NoProjectOpen) {
    ShellState s;  // no project, bars shown
    for (int c : {CmdCloseNoProject, CmdSaveNoProject, CmdSaveAsNoProject, CmdCut, CmdConvert,
                  CmdOpenContact, CmdInstructionList, CmdMode1, CmdUndo, CmdEnterKey, CmdPrint,
                  CmdTransferSetup})
        EXPECT_FALSE(commandState(c, s).enabled) << c;
    for (int c : {CmdNewProject, CmdOpenProject, CmdExit, CmdConnectionSetup, CmdAbout,
                  CmdUserIndex, CmdFileToolbar, CmdStatusBarFlag, CmdDataList, CmdStatusBarDirect})
        EXPECT_TRUE(commandState(c, s).enabled) << c;
    EXPECT_TRUE(commandState(CmdFileToolbar, s).checked);
    s.fileToolbarVisible = false;
    s.statusBarFlag = false;
    EXPECT_FALSE(commandState(CmdFileToolbar, s).checked);
    EXPECT_FALSE(commandState(CmdStatusBarFlag, s).checked);
    EXPECT_TRUE(commandState(CmdDataList, s).checked);
}

TEST(CommandState, LadderAndListOfAnOpenProject) {
    ShellState s;
    s.projectOpen = true;
    for (int c = CmdOpenContact; c <= CmdRisingPulseBranch; ++c)
        EXPECT_TRUE(commandState(c, s).enabled) << c;
    EXPECT_TRUE(commandState(CmdInsertRow, s).enabled);
    // Undo and redo follow the project's history.
    EXPECT_FALSE(commandState(CmdUndo, s).enabled);
    EXPECT_FALSE(commandState(CmdRedo, s).enabled);
    s.canUndo = true;
    EXPECT_TRUE(commandState(CmdUndo, s).enabled);
    EXPECT_FALSE(commandState(CmdRedo, s).enabled);
    s.canRedo = true;
    EXPECT_TRUE(commandState(CmdRedo, s).enabled);
    s.projectOpen = false;
    EXPECT_FALSE(commandState(CmdUndo, s).enabled);
    EXPECT_FALSE(commandState(CmdRedo, s).enabled);
    s = ShellState{};
    s.projectOpen = true;
    EXPECT_TRUE(commandState(CmdMode2, s).checked);
    EXPECT_FALSE(commandState(CmdMode1, s).checked);

    s.listMode = true;
    for (int c = CmdOpenContact; c <= CmdRisingPulseBranch; ++c)
        EXPECT_FALSE(commandState(c, s).enabled) << c;
    EXPECT_FALSE(commandState(CmdInsertRow, s).enabled);
    EXPECT_FALSE(commandState(CmdDeleteRow, s).enabled);
    for (int c : {CmdCut, CmdCopy, CmdPaste, CmdInsertLine, CmdDeleteLine, CmdConvert,
                  CmdInstructionList, CmdSave, CmdCloseProject, CmdTransferSetup})
        EXPECT_TRUE(commandState(c, s).enabled) << c;
}

TEST(MenuLayout, TextsOfBothMenuBars) {
    const auto& none = noProjectMenuBar();
    ASSERT_EQ(none.size(), 4u);
    EXPECT_EQ(none[1].title, "&View");
    EXPECT_EQ(none[1].entries.back().text, "&Project data list\tAlt+O ");
    EXPECT_EQ(none[2].entries[0].text, "Transfer set&up");

    const auto& open = projectMenuBar();
    std::vector<std::string> titles;
    for (const auto& m : open) titles.push_back(m.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"&Project", "&Edit", "&Convert", "&View", "&Online",
                                                "&Window", "&Help"}));
    EXPECT_EQ(open[0].entries[2].command, CmdCloseProject);
    EXPECT_EQ(none[0].entries[2].command, CmdCloseNoProject);
    const auto& edit = open[1].entries;
    EXPECT_EQ(edit[0].text, "Undo\tCtrl+Z");
    EXPECT_EQ(edit[1].text, "Redo\tCtrl+Y");
    std::vector<std::string> last;
    for (size_t i = edit.size() - 4; i < edit.size(); ++i) last.push_back(edit[i].text);
    EXPECT_EQ(last, (std::vector<std::string>{"Find device...\tCtrl+F", "Find instruction...",
                                              "Find string...", "Replace device..."}));
    const auto sub = std::find_if(edit.begin(), edit.end(),
                                  [](const MenuEntry& e) { return e.kind == MenuEntry::Submenu; });
    ASSERT_NE(sub, edit.end());
    const MenuEntry& symbols = *sub;
    std::set<int> commands;
    for (const auto& e : symbols.children)
        if (e.kind == MenuEntry::Item) commands.insert(e.command);
    EXPECT_EQ(commands.size(), 14u);
    EXPECT_EQ(*commands.begin(), CmdOpenContact);
    EXPECT_EQ(*commands.rbegin(), CmdRisingPulseBranch);
}

TEST(StatusPrompts, MenuAndToolbarTexts) {
    EXPECT_EQ(statusPrompt(CmdNewProject), "新建工程");
    EXPECT_EQ(statusPrompt(CmdRecentFile1 + 3), "打开此文档");
    EXPECT_EQ(statusPrompt(CmdConvert), "F4编译");
    EXPECT_EQ(toolTip(CmdSaveAs), "另存为");
    EXPECT_EQ(toolTip(CmdNewProject), "");
}

TEST(ToolbarTips, EveryButtonNamesItsCommandAndShortcut) {
    const std::map<int, std::string> expected = {
        {CmdNewProject, "New project (Ctrl+N)"},
        {CmdOpenProject, "Open project (Ctrl+O)"},
        {CmdSave, "Save (Ctrl+S)"},
        {CmdCut, "Cut (Ctrl+X)"},
        {CmdCopy, "Copy (Ctrl+C)"},
        {CmdPaste, "Paste (Ctrl+V)"},
        {CmdUserIndex, "Rungsmith User Index"},
        {CmdOpenContact, "Open contact (F5)"},
        {CmdOpenBranch, "Open branch (Shift+F5)"},
        {CmdCloseContact, "Close contact (F6)"},
        {CmdCloseBranch, "Close branch (Shift+F6)"},
        {CmdCoil, "Coil (F7)"},
        {CmdAppInstruction, "Application instruction (F8)"},
        {CmdHorizontalLine, "Horizontal line (F9)"},
        {CmdVerticalLine, "Vertical line (shift+F9)"},
        {CmdDeleteHorizontalLine, "Delete horizontal line (Ctrl+F9)"},
        {CmdDeleteVerticalLine, "Delete vertical line (Ctrl+F10)"},
        {CmdRisingPulse, "Rising pulse (Shift+F7)"},
        {CmdFallingPulse, "Falling pulse (Shift+F8)"},
        {CmdRisingPulseBranch, "Rising pulse open branch (Alt+F7)"},
        {CmdFallingPulseBranch, "Falling pulse close branch (Alt+F8)"},
        {CmdInstructionList, "Instruction list (Alt+F1)"},
    };
    size_t buttons = 0;
    for (const auto& bar : toolbarLayouts())
        for (int command : bar.buttons) {
            if (command == CmdNone) continue;
            ++buttons;
            ASSERT_TRUE(expected.count(command)) << command;
            EXPECT_EQ(buttonTip(command), expected.at(command)) << command;
        }
    EXPECT_EQ(buttons, expected.size());
    // A command with a tooltip of its own keeps it.
    EXPECT_EQ(buttonTip(CmdSaveAs), "另存为");
}
