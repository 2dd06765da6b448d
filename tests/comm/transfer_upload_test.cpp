#include <gtest/gtest.h>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::TransferRig;

// An upload reply carrying these four digits.
std::string reply(uint16_t digits, bool goodCheck = true) {
    frame::Bytes r{frame::STX};
    frame::appendHex(r, digits, 4);
    r.push_back(frame::ETX);
    r.push_back('0');
    r.push_back('0');
    frame::applyMode2Sum(r);
    if (!goodCheck) r[7] = r[7] == '0' ? '1' : '0';
    return std::string(r.begin(), r.end());
}

struct UploadRig : TransferRig {
    UploadRig() : TransferRig(false, {{"LD", "X000"}, {"OUT", "Y000"}, {"END", ""}}) {
        transfer->openPort("ttyS0", {});
    }
};

TEST(TransferUpload, EmptiesTheTableAndReadsWordsUntilEnd) {
    UploadRig rig;
    rig.app.table->m_Instruction[5000] = "LD";
    rig.transfer->upload();
    EXPECT_TRUE(rig.app.table->m_Instruction[0].empty());
    EXPECT_TRUE(rig.app.table->m_Instruction[5000].empty());
    EXPECT_EQ(rig.lastFrame(), ":01033A98000129\r");
    EXPECT_EQ(rig.link.threshold(), 8);
    // OUT Y2 (0xC102) travels regrouped; the F0FC marker and the constant
    // 5000 that follows it travel plain, and the constant comes back whole.
    rig.link.deliver(reply(frame::regroup(0xC102)));
    EXPECT_EQ(rig.lastFrame(), ":01033A99000128\r");
    rig.link.deliver(reply(0xF00C));  // MOV
    rig.link.deliver(reply(0xF0FC));
    rig.link.deliver(reply(5000));
    rig.link.deliver(reply(0xF0FE));
    rig.link.deliver(reply(0xE00A));
    rig.link.deliver(reply(0xF0FE));
    EXPECT_FALSE(rig.app.m_bUploaded);
    rig.link.deliver(reply(0xF0FF));
    EXPECT_TRUE(rig.app.m_bUploaded);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
    EXPECT_FALSE(rig.retry.active());
    const InstructionTable& t = *rig.app.table;
    EXPECT_EQ(t.m_Instruction[0], "OUT");
    EXPECT_EQ(t.m_Parameter[0], "Y2");
    EXPECT_EQ(t.m_Instruction[1], "MOV");
    EXPECT_EQ(t.m_Parameter[1], "K5000 D10");
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_TRUE(rig.sink.shown.empty());
}

TEST(TransferUpload, TenFailedChecksEndWithTheRetryMessage) {
    UploadRig rig;
    rig.transfer->upload();
    rig.link.deliver(reply(0x0000));
    for (int i = 0; i < 9; ++i) rig.link.deliver(reply(0x1234, false));
    EXPECT_TRUE(rig.sink.shown.empty());
    EXPECT_EQ(rig.frames(), 11u);
    EXPECT_EQ(rig.lastFrame(), ":01033A99000128\r");
    rig.link.deliver(reply(0x1234, false));
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{
                  "Error occur: Communication Retry Time out,please check your device"});
    EXPECT_EQ(rig.frames(), 11u);
    EXPECT_FALSE(rig.retry.active());
}

TEST(TransferUpload, RepliesWithoutStxCountWithTheFailedChecks) {
    UploadRig rig;
    rig.transfer->upload();
    for (int i = 0; i < 5; ++i) rig.link.deliver("xxxxxxxx");
    rig.link.deliver(reply(0x0000));  // a good reply starts the count again
    ASSERT_TRUE(rig.wait.fire());     // after a period: the word was asked for more than once
    for (int i = 0; i < 9; ++i) rig.link.deliver("xxxxxxxx");
    EXPECT_EQ(rig.frames(), 16u);
    EXPECT_TRUE(rig.sink.shown.empty());
    rig.link.deliver("xxxxxxxx");
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{
                  "Error occur: Communication Retry Time out,please check your device"});
    EXPECT_EQ(rig.frames(), 16u);
}

TEST(TransferUpload, ALostReplyIsAskedForAgainByTheTimer) {
    UploadRig rig;
    rig.transfer->upload();
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.frames(), 10u);
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.sink.shown.size(), 1u);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
}

TEST(TransferUpload, Mode2ReadRequestCarriesTheMode2Sum) {
    TransferRig rig(true, {});
    rig.transfer->openPort("ttyS0", {});
    rig.transfer->upload();
    // Bytes 1..13 summed, written over the last two bytes (the CR included).
    EXPECT_EQ(rig.lastFrame(), ":01033A98000129C");
    EXPECT_EQ(rig.frames(), 1u);
}

// A mode-2 upload: the code comes back plain, ends at its own END word, and
// becomes the list whose mode-2 encoding is the words read. Code that no list
// encodes to is refused with a message naming the word; nothing is kept.
TEST(TransferUpload, Mode2CodeBecomesTheListThatEncodesToItOrIsRefusedWhole) {
    const test::Rows program{{"LD", "X000"},       {"OR", "Y000"}, {"ANI", "X001"},
                             {"OUT", "Y000"},      {"LD", "Y000"}, {"OUT", "T0 K20"},
                             {"MOV", "K5000 D10"}, {"END", ""}};
    const std::vector<uint16_t> words = test::encode(program, true);
    ASSERT_FALSE(words.empty());
    struct Case {
        const char* name;
        size_t corruptAt;  // the word replaced by one no row starts with, or none
    };
    for (const Case c : {Case{"sound", SIZE_MAX}, Case{"second row", 1}, Case{"last row", 0}}) {
        SCOPED_TRACE(c.name);
        TransferRig rig(true, {});
        rig.app.table->m_Instruction[7000] = "LD";
        rig.transfer->openPort("ttyS0", {});
        rig.transfer->upload();
        std::vector<uint16_t> sent = words;
        // The second row starts after LD X000's words, the last one (MOV) its
        // own words before END.
        const size_t at = c.corruptAt == 1 ? test::encodeRow("LD", "X000", true).size()
                          : c.corruptAt == 0
                              ? words.size() - 1 - test::encodeRow("MOV", "K5000 D10", true).size()
                              : SIZE_MAX;
        if (at != SIZE_MAX) sent[at] = 0xFFFE;
        for (uint16_t w : sent) rig.link.deliver(reply(w));
        EXPECT_EQ(rig.frames(), sent.size());
        const InstructionTable& t = *rig.app.table;
        EXPECT_TRUE(t.m_Instruction[7000].empty());
        if (at == SIZE_MAX) {
            EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
            for (size_t r = 0; r < program.size(); ++r) {
                EXPECT_EQ(t.m_Instruction[r], program[r].first) << r;
                EXPECT_EQ(t.m_Parameter[r], program[r].second) << r;
            }
            EXPECT_TRUE(rig.sink.shown.empty());
            continue;
        }
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
        EXPECT_FALSE(rig.app.m_bUploaded);
        EXPECT_TRUE(t.m_Instruction[0].empty());
        ASSERT_EQ(rig.sink.shown.size(), 1u);
        EXPECT_NE(rig.sink.shown[0].text.find("Word " + std::to_string(at) + " "),
                  std::string::npos)
            << rig.sink.shown[0].text;
    }
}

}  // namespace
}  // namespace rs
