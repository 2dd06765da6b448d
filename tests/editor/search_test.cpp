#include <tuple>

#include "core/convert/tidy.h"
#include "editor/search/cross_reference.h"
#include "editor/search/find.h"
#include "editor/search/replace_device.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using search::FindKind;
using search::FindOutcome;
using search::FindQuery;

class SearchTest : public EditorTest {
  protected:
    // Three rungs: X001 and M0 to Y000; X002 to Y001; X001 to MOV K10 D0 and SET M5.
    void ladder() {
        cell(0, 1, OpenContact, "X001", 0x00F);
        cell(0, 2, CloseContact, "M0", 0x00F);
        cell(0, 10, Coil, "Y000", 0x00F);
        cell(1, 1, OpenContact, "X002", 0x00F);
        cell(1, 10, Coil, "Y001", 0x00F);
        cell(2, 1, RisingPulse, "X001", 0x00F);
        cell(2, 10, AppInstruction, "MOV K10 D0", 0x00F);
        cell(3, 1, OpenContact, "X003", 0x00F);
        cell(3, 10, AppInstruction, "SET M5", 0x00F);
        tidyGrid(s);
        settle();
        cursor(0, 0);
    }
    FindOutcome find(FindKind kind, std::string text, bool down = true) {
        return search::findNext(s, FindQuery{kind, std::move(text), down});
    }
    std::tuple<int, int, int> at(const FindOutcome& o) { return {o.result, o.row, o.col}; }
};

TEST_F(SearchTest, DeviceInTheLadderBothWaysWithOneWrap) {
    ladder();
    using R = FindOutcome;
    // Reading order from the margin of row 0; x1 is X001.
    EXPECT_EQ(at(find(FindKind::Device, "x1")), std::make_tuple(R::Found, 0, 1));
    EXPECT_EQ(at(find(FindKind::Device, "X001")), std::make_tuple(R::Found, 2, 1));
    EXPECT_EQ(at(find(FindKind::Device, "X1")), std::make_tuple(R::Wrapped, 0, 1));
    EXPECT_EQ(g.m_nCursorRow, 0);
    EXPECT_EQ(g.m_nCursorCol, 1);
    EXPECT_EQ(at(find(FindKind::Device, "X001", false)), std::make_tuple(R::Wrapped, 2, 1));
    EXPECT_EQ(at(find(FindKind::Device, "X001", false)), std::make_tuple(R::Found, 0, 1));
    // Operands of an instruction box, not its mnemonic.
    EXPECT_EQ(at(find(FindKind::Device, "d0")), std::make_tuple(R::Found, 2, 10));
    EXPECT_EQ(at(find(FindKind::Device, "K10")), std::make_tuple(R::Wrapped, 2, 10));

    // No match and no device: the cursor stays.
    cursor(1, 1);
    EXPECT_EQ(find(FindKind::Device, "X7").result, R::NotFound);
    EXPECT_EQ(find(FindKind::Device, "MOV").result, R::Invalid);
    EXPECT_EQ(find(FindKind::Text, "  ").result, R::Invalid);
    EXPECT_EQ(g.m_nCursorRow, 1);
    EXPECT_EQ(g.m_nCursorCol, 1);
}

TEST_F(SearchTest, InstructionAndTextInTheLadder) {
    ladder();
    using R = FindOutcome;
    EXPECT_EQ(at(find(FindKind::Instruction, "mov")), std::make_tuple(R::Found, 2, 10));
    EXPECT_EQ(at(find(FindKind::Instruction, "OUT")), std::make_tuple(R::Wrapped, 0, 10));
    EXPECT_EQ(at(find(FindKind::Instruction, "ANI")), std::make_tuple(R::Wrapped, 0, 2));
    EXPECT_EQ(at(find(FindKind::Instruction, "LDP")), std::make_tuple(R::Found, 2, 1));
    EXPECT_EQ(at(find(FindKind::Text, "k1")), std::make_tuple(R::Found, 2, 10));
    EXPECT_EQ(at(find(FindKind::Text, "00", false)), std::make_tuple(R::Found, 2, 1));
}

TEST_F(SearchTest, DeviceInstructionAndTextInTheListBothWays) {
    listOf({"LD X001", "OUT Y000", "LDI X1", "MOV K10 D0", "SET M5"});
    using R = FindOutcome;
    s.view.m_nListCursor = 0;
    EXPECT_EQ(at(find(FindKind::Device, "X001")), std::make_tuple(R::Found, 2, -1));
    EXPECT_EQ(at(find(FindKind::Device, "X001")), std::make_tuple(R::Wrapped, 0, -1));
    EXPECT_EQ(at(find(FindKind::Device, "x1", false)), std::make_tuple(R::Wrapped, 2, -1));
    EXPECT_EQ(s.view.m_nListCursor, 2);
    EXPECT_EQ(at(find(FindKind::Instruction, "set", false)), std::make_tuple(R::Wrapped, 4, -1));
    EXPECT_EQ(at(find(FindKind::Text, "mov k")), std::make_tuple(R::Wrapped, 3, -1));
    EXPECT_EQ(at(find(FindKind::Instruction, "END")), std::make_tuple(R::Found, 5, -1));
    EXPECT_EQ(find(FindKind::Instruction, "ORB").result, R::NotFound);
}

TEST_F(SearchTest, ReplaceRenamesEverywhereOrNowhere) {
    ladder();
    listOf({"LD X001", "ANI M0", "OUT Y000", "LDP X1", "MOV K10 D0", "END"});
    s.view.m_bListMode = 0;
    compiled();

    // A target the line check refuses in one place changes nothing.
    auto out = search::replaceDevice(s, "Y0", "X10");  // OUT X010 is refused
    EXPECT_EQ(out.result, search::ReplaceOutcome::Refused);
    EXPECT_FALSE(messages().empty());
    EXPECT_EQ(g.text(0, 10), "Y000");
    EXPECT_EQ(t.m_Parameter[2], "Y000");
    EXPECT_EQ(search::replaceDevice(s, "X1", "X9").result, search::ReplaceOutcome::Refused);
    EXPECT_EQ(g.text(0, 1), "X001");
    EXPECT_TRUE(isCompiled());
    messages();

    EXPECT_EQ(search::replaceDevice(s, "X2", "K5").result, search::ReplaceOutcome::Refused);
    EXPECT_EQ(search::replaceDevice(s, "X1", "M").result, search::ReplaceOutcome::Invalid);
    EXPECT_EQ(search::replaceDevice(s, "X5", "X6").result, search::ReplaceOutcome::NotFound);
    messages();

    out = search::replaceDevice(s, "x1", "x10");
    EXPECT_EQ(out.result, search::ReplaceOutcome::Replaced);
    EXPECT_EQ(out.places, 4);  // two cells, two lines
    EXPECT_EQ(g.text(0, 1), "X010");
    EXPECT_EQ(g.text(2, 1), "X010");
    EXPECT_EQ(t.m_Parameter[0], "X010");
    EXPECT_EQ(t.m_Parameter[3], "X010");
    EXPECT_EQ(s.view.records.m_ParameterList[3].m_strText, "X010");
    EXPECT_FALSE(isCompiled());
    EXPECT_TRUE(messages().empty());

    EXPECT_EQ(search::replaceDevice(s, "D0", "D20").places, 2);
    EXPECT_EQ(g.text(2, 10), "MOV K10 D20");
}

TEST_F(SearchTest, CrossReferenceSortsDevicesAndFlagsDoubleCoils) {
    ladder();
    cell(4, 1, OpenContact, "X002", 0x00F);
    cell(4, 10, Coil, "Y000", 0x00F);  // a second OUT Y000
    cell(5, 1, OpenContact, "M5", 0x00F);
    cell(5, 10, AppInstruction, "RST M5", 0x00F);
    tidyGrid(s);
    const auto xref = search::crossReference(s);
    std::vector<std::string> devices;
    for (const auto& d : xref) devices.push_back(d.device);
    EXPECT_EQ(devices,
              (std::vector<std::string>{"D0", "M0", "M5", "X001", "X002", "X003", "Y000", "Y001"}));
    const auto find = [&](const std::string& d) {
        return *std::find_if(xref.begin(), xref.end(), [&](auto& u) { return u.device == d; });
    };
    EXPECT_TRUE(find("Y000").doubleCoil);
    EXPECT_FALSE(find("Y001").doubleCoil);
    EXPECT_FALSE(find("M5").doubleCoil) << "SET and RST are not OUT";
    const auto m5 = find("M5").places;
    ASSERT_EQ(m5.size(), 3u);
    EXPECT_EQ(m5[0].use, search::DeviceUse::Set);
    EXPECT_EQ(m5[1].use, search::DeviceUse::Contact);
    EXPECT_EQ(m5[2].use, search::DeviceUse::Reset);
    EXPECT_EQ(std::make_pair(m5[2].row, m5[2].col), std::make_pair(5, 10));
    EXPECT_EQ(find("D0").places[0].use, search::DeviceUse::Operand);

    // In the list: step numbers, and OUT M1 twice is a double coil.
    listOf({"LD X0", "OUT M1", "LD X1", "OUT M1", "OUT T0 K10"});
    const auto list = search::crossReference(s);
    ASSERT_EQ(list.size(), 4u);  // M1, T0, X000, X001
    EXPECT_EQ(list[0].device, "M1");
    EXPECT_TRUE(list[0].doubleCoil);
    EXPECT_EQ(list[0].places[1].step, 3);
    EXPECT_TRUE(list[0].places[1].inList);
    EXPECT_EQ(list[1].device, "T0");
    EXPECT_FALSE(list[1].doubleCoil) << "a timer is not a bit device";
}

// An operand's words are split at any white space, as the line check splits
// them: a device after a tab is found, cross referenced and replaced.
TEST_F(SearchTest, WordsAfterATabAreDevicesToo) {
    listOf({"LD X001", "MOV K10\tD0"});
    ASSERT_EQ(t.m_Parameter[1], "K10\tD0");
    s.view.m_nListCursor = 0;
    EXPECT_EQ(at(find(FindKind::Device, "D0")), std::make_tuple(FindOutcome::Found, 1, -1));
    const auto xref = search::crossReference(s);
    ASSERT_EQ(xref.size(), 2u);  // D0, X001
    EXPECT_EQ(xref[0].device, "D0");
    EXPECT_EQ(xref[0].places[0].use, search::DeviceUse::Operand);
    EXPECT_EQ(search::replaceDevice(s, "D0", "D20").places, 1);
    EXPECT_EQ(t.m_Parameter[1], "K10 D20");
}

}  // namespace
}  // namespace rs::test
