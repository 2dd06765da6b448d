#include "core/ladder_grid.h"

#include <gtest/gtest.h>

namespace rs {
namespace {

TEST(LadderGrid, StartsEmptyWithBookkeepingUnset) {
    LadderGrid g;
    EXPECT_EQ(g.kind(0, 0), Empty);
    EXPECT_EQ(g.kind(3999, 10), Empty);
    EXPECT_EQ(g.links(1234, 5), 0);
    EXPECT_EQ(g.text(7, 7), "");
    EXPECT_EQ(g.m_nLastRow, -1);
    EXPECT_EQ(g.m_nDrawnLastRow, -1);
    EXPECT_EQ(g.m_nListLastRow, -1);
    EXPECT_EQ(g.m_nCursorRow, -1);
    EXPECT_EQ(g.m_nCursorCol, -1);
}

TEST(LadderGrid, WritesOutsideTheGridAreRefusedAndReadsGiveAnEmptyCell) {
    LadderGrid g;
    for (auto [r, c] : {std::pair{-1, 0}, {4000, 0}, {0, 11}, {0, -1}, {4000, 11}}) {
        EXPECT_FALSE(g.setCell(r, c, Coil, "Y000", 0x00B)) << r << "," << c;
        EXPECT_FALSE(g.setKind(r, c, Coil));
        EXPECT_FALSE(g.setText(r, c, "x"));
        EXPECT_FALSE(g.addLinks(r, c, LinkDown));
        EXPECT_FALSE(g.clearCell(r, c));
        EXPECT_EQ(g.kind(r, c), Empty);
        EXPECT_EQ(g.links(r, c), 0);
        EXPECT_EQ(g.text(r, c), "");
    }
    EXPECT_FALSE(g.setRowStep(4000, "1"));
    EXPECT_EQ(g.rowStep(-1), "");
    EXPECT_TRUE(g.setCell(3999, 10, Coil, "Y000", 0x00B));
    EXPECT_EQ(g.kind(3999, 10), Coil);
}

TEST(LadderGrid, LinkBitsAboveTheDefinedRangeNeverStick) {
    LadderGrid g;
    g.setLinks(1, 1, 0xFFFF);
    EXPECT_EQ(g.links(1, 1), kLinkMask);
    g.removeLinks(1, 1, kVerticalBits);
    EXPECT_EQ(g.links(1, 1) & kVerticalBits, 0);
    EXPECT_EQ(g.links(1, 1) & (LinkWire | LinkSymbol | LinkLeft | LinkRight), 0x00F);
}

TEST(LadderGrid, ClearCellEmptiesKindTextAndLinks) {
    LadderGrid g;
    g.setCell(2, 3, OpenContact, "X001", LinkWire | LinkSymbol);
    g.clearCell(2, 3);
    EXPECT_EQ(g.kind(2, 3), Empty);
    EXPECT_EQ(g.text(2, 3), "");
    EXPECT_EQ(g.links(2, 3), 0);
}

TEST(LadderGrid, OutputMnemonicIsTheFirstRunOfLetters) {
    LadderGrid g;
    g.setText(0, 10, "MOV K10 D0");
    EXPECT_EQ(g.outputMnemonic(0), "MOV");
    g.setText(1, 10, "  12ZCP K1");
    EXPECT_EQ(g.outputMnemonic(1), "ZCP");
    g.setText(2, 10, "123 456");
    EXPECT_EQ(g.outputMnemonic(2), "");
    EXPECT_EQ(g.outputMnemonic(3), "");
    EXPECT_EQ(g.outputMnemonic(4000), "");
}

TEST(SerialTwins, BranchKindsMapToTheirSerialContacts) {
    EXPECT_EQ(serialTwin(OpenBranch), OpenContact);
    EXPECT_EQ(serialTwin(CloseBranch), CloseContact);
    EXPECT_EQ(serialTwin(RisingPulseBranch), RisingPulse);
    EXPECT_EQ(serialTwin(FallingPulseBranch), FallingPulse);
    EXPECT_EQ(serialTwin(Coil), Coil);
    for (int k = 0; k <= kLastCellKind; ++k)
        EXPECT_EQ(isBranchKind(k), k == 3 || k == 4 || k == 9 || k == 10) << k;
}

TEST(PasteBackup, IsBoundedByItsRows) {
    EXPECT_TRUE(PasteBackup::inside(399, 10));
    EXPECT_FALSE(PasteBackup::inside(400, 0));
    EXPECT_FALSE(PasteBackup::inside(0, 11));
}

}  // namespace
}  // namespace rs
