#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/model/command_state.h"
#include "app/model/menu_layout.h"
#include "app/model/project_names.h"
#include "app/qt/about_dialog.h"
#include "app/qt/find_dialog.h"
#include "comm/qt/communication_dialog.h"
#include "comm/qt/connection_setup_dialog.h"
#include "comm/qt/serial_setting_dialog.h"
#include "core/program_dir.h"
#include "editor/qt/enter_list_dialog.h"
#include "editor/qt/enter_symbol_dialog.h"
#include "editor/qt/instruction_help_dialog.h"
#include "editor/qt/line_count_dialog.h"
#include "online/qt/batch_monitor_dialog.h"
#include "online/qt/device_test_dialog.h"
#include "tests/app/widget_fixture.h"
#include "translations/language.h"
#include "translations/system_text.h"

using namespace rs;
using namespace rs::shell;

namespace {

bool isChinese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFFEF) ||
           (u >= 0x3000 && u <= 0x303F);
}

// Every text a user reads on a widget and its children: titles, labels,
// buttons, group boxes, tabs, list entries, and the texts, status prompts and
// tooltips of its actions (menus and toolbars).
QStringList shownTexts(QWidget* root) {
    QStringList out{root->windowTitle()};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        out << w->windowTitle() << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) out << g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) out << m->title();
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) out << t->tabText(i);
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    }
    for (QAction* a : root->findChildren<QAction*>())
        out << a->text() << a->statusTip() << a->toolTip();
    return out;
}

QStringList chineseAmong(const QStringList& texts) {
    QStringList out;
    for (const QString& t : texts)
        if (std::any_of(t.begin(), t.end(), isChinese)) out << t;
    return out;
}

// The English translation is installed before the window is made and taken
// away after it.
struct EnglishInstalled {
    EnglishInstalled() { loaded = rs::qt::installEnglish(true); }
    ~EnglishInstalled() { rs::qt::installEnglish(false); }
    bool loaded = false;
};
struct English : EnglishInstalled, test::FrameFixture {};

}  // namespace

TEST_F(English, NoChineseOnMenusToolbarsOrStatusBarWithAndWithoutAProject) {
    ASSERT_TRUE(loaded);
    EXPECT_EQ(chineseAmong(shownTexts(frame.get())), QStringList{});
    EXPECT_TRUE(shownTexts(frame.get()).contains("Ready"));
    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(project(), nullptr);
    const QStringList open = shownTexts(frame.get());
    EXPECT_EQ(chineseAmong(open), QStringList{});
    EXPECT_TRUE(open.contains("Switch between instruction list and ladder")) << "Alt+F1's prompt";
    // The view's context menu and every prompt a command has, with or without a menu item.
    QStringList prompts;
    for (const auto& e : viewContextMenu()) prompts << rs::qt::sysText(e.text);
    for (int c = 32700; c < 60000; ++c)
        prompts << rs::qt::sysText(statusPrompt(c)) << rs::qt::sysText(toolTip(c));
    EXPECT_EQ(chineseAmong(prompts), QStringList{});
}

TEST_F(English, NoChineseInAnyDialogOrMessage) {
    ASSERT_TRUE(loaded);
    AppStore app;
    const rs::RangeFile ranges(rs::defaultRangeFilePath());
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.emplace_back(new CAboutDlg);
    dialogs.emplace_back(new CDeviceTest(sink, ranges));
    dialogs.emplace_back(new CDeviceBatchMonitor(sink, ranges));
    dialogs.emplace_back(new CConnectionSetup(true));
    dialogs.emplace_back(new PCSideSerrialSetting);
    dialogs.emplace_back(new CCommunication(app, sink));
    dialogs.emplace_back(new rs::qt::EnterSymbolDialog);
    dialogs.emplace_back(new rs::qt::EnterListDialog);
    dialogs.emplace_back(new rs::qt::InstructionHelpDialog);
    for (auto which : {LineCountDialog::EnterHorizontal, LineCountDialog::EnterVertical,
                       LineCountDialog::DeleteHorizontal, LineCountDialog::DeleteVertical})
        dialogs.emplace_back(new rs::qt::LineCountEntryDialog(which));
    for (auto kind :
         {search::FindKind::Device, search::FindKind::Instruction, search::FindKind::Text})
        dialogs.emplace_back(new CFindDialog(kind));
    dialogs.emplace_back(new CReplaceDeviceDialog);
    for (const auto& d : dialogs)
        EXPECT_EQ(chineseAmong(shownTexts(d.get())), QStringList{}) << d->metaObject()->className();
    EXPECT_EQ(dialogs.front()->windowTitle(), "About CV-Rungsmith");
    // Message boxes show their text through the same translation.
    EXPECT_EQ(rs::qt::sysText(kAlreadyOpen), "The project is already open!");
}

// Without the translation the described texts stay, as every other test sees them.
using Described = test::FrameFixture;
TEST_F(Described, WithoutTheTranslationTheDescribedTextsStay) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "关于 CV-Rungsmith");
    EXPECT_TRUE(shownTexts(frame.get()).contains("就绪"));
}
