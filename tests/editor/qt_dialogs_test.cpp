#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "editor/editor.h"
#include "editor/ladder_clip_text.h"
#include "editor/qt/enter_list_dialog.h"
#include "editor/qt/enter_symbol_dialog.h"
#include "editor/qt/instruction_help_dialog.h"
#include "editor/qt/line_count_dialog.h"
#include "editor/qt/qt_clipboard.h"
#include "editor/qt/qt_dialog_provider.h"
#include "tests/support/test_session.h"

namespace rs::qt {
namespace {

// Runs the action on the modal dialog once it is open.
void onModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

QPushButton* button(QWidget* dialog, const QString& text) {
    for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

TEST(EnterSymbolDialog, GlyphsUpperCaseEditAndLimit) {
    EnterSymbolDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Enter symbol");
    QStringList glyphs;
    for (int i = 0; i < dialog.symbolList()->count(); ++i)
        glyphs << dialog.symbolList()->itemText(i);
    EXPECT_EQ(glyphs, (QStringList{"-| |-", "-|/|-", "+| |+", "+|/|+", "-( )-", "-[ ]-", "-|P|-",
                                   "-|F|-", "+|P|+", "+|F|+"}));
    dialog.preset({4, "Y000"});
    EXPECT_EQ(dialog.symbolList()->currentIndex(), 4);
    EXPECT_EQ(dialog.textEdit()->text(), "Y000");
    dialog.preset({13, ""});  // a horizontal line's kind selects nothing
    EXPECT_EQ(dialog.symbolList()->currentIndex(), -1);

    dialog.textEdit()->clear();
    QTest::keyClicks(dialog.textEdit(), "mov k10 d0");
    EXPECT_EQ(dialog.fields().m_strText, "MOV K10 D0");
    EXPECT_EQ(dialog.fields().m_nSymbol, -1);
    dialog.textEdit()->clear();
    QTest::keyClicks(dialog.textEdit(), QString(250, 'x'));
    EXPECT_EQ(dialog.textEdit()->text().size(), 199);
    ASSERT_NE(button(&dialog, "OK"), nullptr);
    ASSERT_NE(button(&dialog, "Exit"), nullptr);
    ASSERT_NE(button(&dialog, "Help"), nullptr);
}

TEST(EnterListDialog, UpperCaseWithoutShortLimit) {
    EnterListDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Enter list");
    dialog.preset("LD X000");
    EXPECT_EQ(dialog.text(), "LD X000");
    dialog.textEdit()->clear();
    QTest::keyClicks(dialog.textEdit(), "out y1");
    EXPECT_EQ(dialog.text(), "OUT Y1");
    dialog.textEdit()->setText(QString(500, 'K'));
    EXPECT_EQ(dialog.text().size(), 500u);
}

TEST(LineCountDialog, DigitsOnlySevenAtMostAndOneWhenEmpty) {
    const std::pair<LineCountDialog, const char*> titles[] = {
        {LineCountDialog::EnterHorizontal, "Enter horizontal line"},
        {LineCountDialog::EnterVertical, "Enter vertical line"},
        {LineCountDialog::DeleteHorizontal, "Delete horizontal line"},
        {LineCountDialog::DeleteVertical, "Delete vertical line"}};
    for (const auto& [which, title] : titles) {
        LineCountEntryDialog dialog(which);
        EXPECT_EQ(dialog.windowTitle(), title);
        EXPECT_EQ(dialog.count(), 1);
        QTest::keyClicks(dialog.countEdit(), "1a2-3");
        EXPECT_EQ(dialog.countEdit()->text(), "123");
        EXPECT_EQ(dialog.count(), 123);
        QTest::keyClicks(dialog.countEdit(), "456789");
        EXPECT_EQ(dialog.countEdit()->text(), "1234567");
        dialog.countEdit()->setText("0");
        EXPECT_EQ(dialog.count(), 1);
    }
}

TEST(InstructionHelpDialog, SearchesAndTypeSelection) {
    InstructionHelpDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Instruction help");
    ASSERT_EQ(dialog.tabs()->count(), 2);
    EXPECT_EQ(dialog.tabs()->tabText(0), "Instruction retrieval");
    EXPECT_EQ(dialog.tabs()->tabText(1), "Instruction selection");
    EXPECT_EQ(dialog.tabs()->currentIndex(), 0);

    QTest::keyClicks(dialog.searchEdit(), "ld");
    QTest::mouseClick(dialog.forwardButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.foundList()->count(), 4);
    EXPECT_TRUE(dialog.foundList()->item(0)->text().startsWith("LD "));
    dialog.searchEdit()->setText("OR");
    QTest::mouseClick(dialog.partialButton(), Qt::LeftButton);
    QStringList found;
    for (int i = 0; i < dialog.foundList()->count(); ++i)
        found << dialog.foundList()->item(i)->text().section(' ', 0, 0);
    EXPECT_EQ(found, (QStringList{"OR", "ORI", "ORP", "ORF", "ORB", "ROR"}));
    QTest::mouseClick(button(&dialog, "Details"), Qt::LeftButton);
    EXPECT_TRUE(dialog.detailsLabel()->text().startsWith("OR (Contacts)"));

    dialog.tabs()->setCurrentIndex(1);
    dialog.typeList()->setCurrentRow(5);  // Arithmetic
    ASSERT_EQ(dialog.instructionList()->count(), 6);
    EXPECT_TRUE(dialog.instructionList()->item(0)->text().startsWith("ADD"));
}

// Every entry of the three lists shows whole, without scrolling sideways.
TEST(InstructionHelpDialog, ListsAreAsWideAsTheirLongestEntry) {
    InstructionHelpDialog dialog;
    dialog.show();
    const auto fits = [](QListWidget* list) {
        QApplication::processEvents();
        return list->viewport()->width() >= list->sizeHintForColumn(0);
    };
    EXPECT_TRUE(fits(dialog.foundList()));
    dialog.tabs()->setCurrentIndex(1);
    ASSERT_GT(dialog.typeList()->count(), 0);
    EXPECT_TRUE(fits(dialog.typeList())) << dialog.typeList()->viewport()->width() << " < "
                                         << dialog.typeList()->sizeHintForColumn(0);
    for (int row = 0; row < dialog.typeList()->count(); ++row) {
        dialog.typeList()->setCurrentRow(row);
        EXPECT_TRUE(fits(dialog.instructionList()))
            << dialog.typeList()->item(row)->text().toStdString();
    }
}

TEST(QtDialogProvider, SymbolCommandThroughTheRealDialog) {
    test::TestSession ts;
    LadderGrid& g = ts.session.grid();
    g.m_nCursorRow = 2;
    g.m_nCursorCol = 3;
    QWidget window;
    QtDialogProvider dialogs(&window);
    QtClipboardText clipboard;
    Editor editor(ts.session, dialogs, clipboard);

    onModal([](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        EXPECT_EQ(dialog->findChild<QComboBox*>()->currentIndex(), 0);
        QTest::keyClicks(edit, "x1");
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    });
    editor.run(EditCommand::OpenContact);
    EXPECT_EQ(g.kind(2, 3), OpenContact);
    EXPECT_EQ(g.text(2, 3), "X001");

    onModal([](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), "2");
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    });
    editor.run(EditCommand::HorizontalLine);
    EXPECT_EQ(g.kind(2, 4), HorizontalLine);
    EXPECT_EQ(g.kind(2, 5), HorizontalLine);

    onModal([](QWidget* dialog) { QTest::mouseClick(button(dialog, "Exit"), Qt::LeftButton); });
    editor.run(EditCommand::Coil);
    EXPECT_EQ(g.kind(2, 6), Empty);

    ListDialogFields list{"LD X000"};
    onModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>()->text(), "LD X000");
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialogs.enterList(list));
}

TEST(QtClipboardText, CarriesTheLadderTextWhole) {
    QtClipboardText clipboard;
    std::string text(kLadderClipTextSize, 'a');
    text.replace(0, 12, "1aa1a15aX001");
    clipboard.setText(text);
    EXPECT_EQ(clipboard.text(), text);
}

}  // namespace
}  // namespace rs::qt

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
