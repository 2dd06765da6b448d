#include "online/list_report_model.h"

#include <gtest/gtest.h>

namespace rs::online {
namespace {

TEST(ListReportDescriptor, ReadsKindBoldAndColour) {
    struct Case {
        const char* descriptor;
        CellKind kind;
        bool bold;
        std::optional<uint32_t> colour;
    };
    const Case cases[] = {
        {"", CellKind::Text, false, std::nullopt},
        {"0", CellKind::Text, false, std::nullopt},
        {"0,1,255", CellKind::Text, true, 255},
        {"0,0,65280", CellKind::Text, false, 65280},
        {"0,2,16711680", CellKind::Text, true, 16711680},
        {"0,1", CellKind::Text, false, std::nullopt},  // two fields: plain
        {"0,1,255,9", CellKind::Text, false, std::nullopt},
        {"x,1,255", CellKind::Text, true, 255},  // a kind that is no number counts as 0
        {"1", CellKind::CheckBox, false, std::nullopt},
        {"1,1,255", CellKind::CheckBox, false, std::nullopt},
        {"2", CellKind::Background, false, std::nullopt},
        {"-1,0,0", CellKind::Background, false, std::nullopt},
        {"0,\"1,2\",255", CellKind::Text, true, 255},  // a quoted field keeps its comma
    };
    for (const auto& c : cases) {
        const CellStyle s = parseDescriptor(c.descriptor);
        EXPECT_EQ(s.kind, c.kind) << c.descriptor;
        EXPECT_EQ(s.bold, c.bold) << c.descriptor;
        EXPECT_EQ(s.colour, c.colour) << c.descriptor;
    }
    EXPECT_EQ(descriptorFields("a,\"b,\"\"c\"\"\",d"),
              (std::vector<std::string>{"a", "b,\"c\"", "d"}));
    EXPECT_EQ(textDescriptor(true, 255), "0,1,255");
    EXPECT_EQ(parseDescriptor(textDescriptor(false, 0x123456)).colour, 0x123456u);
}

TEST(ListReportCells, FollowTheLinesTheyBelongTo) {
    CellModel m;
    EXPECT_TRUE(m.setCell(0, 0, "a0"));
    EXPECT_TRUE(m.setCell(0, 1, "a1"));
    EXPECT_TRUE(m.setCell(0, 1, "a1'"));  // replaced, not appended
    EXPECT_EQ(m.cells(0), 2u);
    EXPECT_EQ(*m.descriptor(0, 1), "a1'");
    EXPECT_TRUE(m.setCell(1, 0, "b0"));
    EXPECT_TRUE(m.setCell(2, 0, "c0"));  // appends a third row
    EXPECT_FALSE(m.setCell(4, 0, "x"));  // past the end: nothing changes
    EXPECT_FALSE(m.setCell(1, 2, "x"));  // a gap in the row
    EXPECT_FALSE(m.setCell(3, 1, "x"));  // a row not there yet
    EXPECT_EQ(m.rows(), 3u);
    EXPECT_EQ(m.descriptor(1, 1), nullptr);

    EXPECT_TRUE(m.deleteRow(0));  // rows 1 and 2 move up
    EXPECT_EQ(*m.descriptor(0, 0), "b0");
    EXPECT_EQ(*m.descriptor(1, 0), "c0");
    EXPECT_FALSE(m.deleteRow(2));
    EXPECT_TRUE(m.setCell(0, 0, "new"));  // a line inserted at the top
    EXPECT_EQ(*m.descriptor(1, 0), "b0");
    m.clear();
    EXPECT_EQ(m.rows(), 0u);
}

TEST(ListReportCells, CheckBoxesToggleOnTheirText) {
    for (const char* on : {"1", "7", "-2", "12abc"}) EXPECT_TRUE(isChecked(on)) << on;
    for (const char* off : {"0", "", "abc", "00"}) EXPECT_FALSE(isChecked(off)) << off;
    EXPECT_EQ(toggledCheckText("1"), "0");
    EXPECT_EQ(toggledCheckText("7"), "1");  // not "0"
    EXPECT_EQ(toggledCheckText("0"), "1");
    EXPECT_EQ(toggledCheckText(toggledCheckText("1")), "1");  // a double click leaves it
}

TEST(ListReportCells, ShortenTextsThatDoNotFit) {
    const auto width = [](std::string_view t) { return 6 * static_cast<int>(t.size()); };
    EXPECT_EQ(fittedText("", 0, width), "");
    EXPECT_EQ(fittedText("Device", 40, width), "Device");  // 36 + 4 fits
    EXPECT_EQ(fittedText("Device", 39, width), "De...");   // "Dev..." needs 40
    EXPECT_EQ(fittedText("Device", 10, width), "D...");    // never below one character
}

TEST(ListReportCells, DrawTheCheckBoxCentred) {
    const CheckBoxSquare box = checkBoxSquare(100, 20, 50, 17);
    EXPECT_EQ(box.side, 16);
    EXPECT_EQ(box.left, 100 + 25 - 8 - 1);
    EXPECT_EQ(box.top, 20);
    const auto strokes = checkMarkStrokes(box);
    ASSERT_EQ(strokes.size(), 7u);
    EXPECT_EQ(strokes[0].x, box.left + 9);
    EXPECT_EQ(strokes[0].y, 23);
    EXPECT_EQ(strokes[3].y, 26);  // down four times
    EXPECT_EQ(strokes[4].y, 27);
    EXPECT_EQ(strokes[6].y, 25);  // then up
    EXPECT_EQ(strokes[6].x, box.left + 3);
}

}  // namespace
}  // namespace rs::online
