// What stepping draws: the margin a click toggles breakpoints in, the stacks
// written beside the current row, the current line and the breakpoint marks.
#include "app/model/stepping_scene.h"

#include <gtest/gtest.h>

#include "core/device/device_address.h"

namespace rs::shell {
namespace {

TEST(SteppingScene, MarginRows) {
    const LadderGeometry g(1200, 800);  // cells of 100 x 100
    EXPECT_EQ(marginRowAt(true, {5, 2 * kListLineHeight + 3}, g), 2);
    EXPECT_EQ(marginRowAt(true, {kListMarginWidth, 10}, g), std::nullopt);
    EXPECT_EQ(marginRowAt(false, {99, 250}, g), 2);
    EXPECT_EQ(marginRowAt(false, {100, 250}, g), std::nullopt);
    EXPECT_EQ(marginRowAt(false, {-1, 250}, g), std::nullopt);
}

TEST(SteppingScene, StacksBesideTheCurrentLine) {
    sim::LoadError error;
    auto program = sim::loadProgram({{"LD", "X000"},
                                     {"MPS", ""},
                                     {"AND", "X001"},
                                     {"OUT", "Y000"},
                                     {"MPP", ""},
                                     {"OUT", "Y001"},
                                     {"END", ""}},
                                    error);
    ASSERT_TRUE(program);
    device::DeviceMemory memory;
    sim::Engine engine(memory);
    engine.load(std::move(*program));
    memory.setBit(*device::deviceAddress("X000", device::AccessKind::Bit), true);
    EXPECT_EQ(steppingText(engine), "") << "between scans";
    EXPECT_TRUE(steppingListScene(engine, {}, 600, 0, 1000).highlights.empty());
    for (int i = 0; i < 4; ++i) engine.step(sim::StepTo::Row, 0);
    ASSERT_EQ(engine.currentRow(), 3);
    EXPECT_EQ(steppingText(engine), "result 0  blocks 0  points 1");
    const Scene s = steppingListScene(engine, {1, 5, 90}, 600, 0, 100);
    ASSERT_EQ(s.highlights.size(), 1u);
    EXPECT_EQ(s.highlights[0], (Rect{0, 3 * kListLineHeight, 600, 4 * kListLineHeight}));
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].text, "result 0  blocks 0  points 1");
    ASSERT_EQ(s.boxes.size(), 1u) << "only the marks within the drawn pixel rows";
    EXPECT_LT(s.boxes[0].right, kListMarginWidth);
    EXPECT_GE(s.boxes[0].top, kListLineHeight);
    EXPECT_LE(s.boxes[0].bottom, 2 * kListLineHeight);
    engine.step(sim::StepTo::Row, 0);
    engine.step(sim::StepTo::Row, 0);
    EXPECT_EQ(steppingText(engine), "result 1  blocks 1  points -");
}

TEST(SteppingScene, TheResultOfTheRungBeforeInParentheses) {
    sim::LoadError error;
    auto program = sim::loadProgram({{"FOR", "K2"},
                                     {"LD", "X000"},
                                     {"OUT", "Y000"},
                                     {"LD", "X001"},
                                     {"OUT", "Y001"},
                                     {"NEXT", ""},
                                     {"END", ""}},
                                    error);
    ASSERT_TRUE(program);
    device::DeviceMemory memory;
    sim::Engine engine(memory);
    engine.load(std::move(*program));
    memory.setBit(*device::deviceAddress("X000", device::AccessKind::Bit), true);
    for (int i = 0; i < 5; ++i) engine.step(sim::StepTo::Row, 0);
    ASSERT_EQ(engine.currentRow(), 4);
    EXPECT_EQ(steppingText(engine), "result 0  blocks (1) 0  points -  FOR 1");
}

}  // namespace
}  // namespace rs::shell
