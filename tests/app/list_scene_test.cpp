#include "app/model/list_scene.h"

#include <gtest/gtest.h>

#include "tests/support/test_session.h"

using namespace rs;
using namespace rs::shell;

namespace {

void row(test::TestSession& t, int r, const std::string& m, const std::string& op, int step) {
    store::emitRow(*t.app.table, t.view.records, r, m, op, 0, step);
}

}  // namespace

TEST(ListScene, LinesWithStepNumbersAndCursor) {
    test::TestSession t;
    row(t, 0, "LD", "X000", 1);
    row(t, 1, "OUT", "T0 K10", 1);
    row(t, 2, "END", "", 1);
    t.view.m_nListCursor = 2;
    const Scene s = listScene({t.session, 800, 0, kScrollAreaSize, {}});
    ASSERT_EQ(s.texts.size(), 3u);
    EXPECT_EQ(s.texts[0].text, "  0      LD     X000");
    EXPECT_EQ(s.texts[1].text, "  1      OUT     T0 K10");
    EXPECT_EQ(s.texts[1].rect, (Rect{4, 25, 800, 50}));
    EXPECT_EQ(s.texts[1].align, Scene::Align::LeftMiddle);
    ASSERT_EQ(s.boxes.size(), 1u);
    EXPECT_EQ(s.boxes[0], (Rect{4, 50, 800, 75}));

    t.view.m_nListCursor = 5;  // past the last used row: no rectangle
    EXPECT_TRUE(listScene({t.session, 800, 0, kScrollAreaSize, {}}).boxes.empty());
}

TEST(ListScene, EmptyTableGetsItsEndLineBeforeDrawing) {
    test::TestSession t;
    prepareListForDrawing(t.session);
    prepareListForDrawing(t.session);  // only once
    EXPECT_EQ(t.app.table->m_Instruction[0], "END");
    ASSERT_EQ(t.view.records.m_InstructionList.size(), 1u);
    EXPECT_EQ(t.view.records.m_FunStepList.size(), 1u);
    const Scene s = listScene({t.session, 800, 0, kScrollAreaSize, {}});
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].text, "  0      END     ");
}

TEST(ListScene, UploadedRowsBecomeRecords) {
    test::TestSession t;
    t.app.table->setRow(0, "LD", "X000", 0, 1);
    t.app.table->setRow(1, "OUT", "Y000", 0, 1);
    t.app.table->setRow(2, "END", "", 0, 1);
    t.app.m_bUploaded = true;
    prepareListForDrawing(t.session);
    EXPECT_FALSE(t.app.m_bUploaded);
    EXPECT_FALSE(t.view.records.m_InstructionList.empty());
}
