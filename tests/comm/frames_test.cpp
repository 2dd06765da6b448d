#include "comm/frames.h"

#include <gtest/gtest.h>

#include "comm/hex.h"

namespace rs {
namespace {

std::string text(const frame::Bytes& b) {
    return std::string(b.begin(), b.end());
}

TEST(Hex, DigitsAndValues) {
    EXPECT_EQ(HexDigit(0), '0');
    EXPECT_EQ(HexDigit(9), '9');
    EXPECT_EQ(HexDigit(10), 'A');
    EXPECT_EQ(HexDigit(15), 'F');
    EXPECT_EQ(HexDigit(16), 0xFF);
    EXPECT_EQ(HexValue('0'), 0);
    EXPECT_EQ(HexValue('F'), 15);
    EXPECT_EQ(HexValue('a'), 255);
    EXPECT_EQ(HexValue('G'), 255);
    EXPECT_EQ(HexValue(0x03), 255);
}

TEST(Frames, Mode1WordWriteAndRead) {
    EXPECT_EQ(text(frame::wordWrite(0, 0x0000)), ":01063A98000027\r\n");
    EXPECT_EQ(text(frame::wordRead(0)), ":01033A98000129\r");
    EXPECT_EQ(text(frame::wordWrite(0, 0x0027)), ":01063A98002700\r\n");  // sum 0 gives "00"
    EXPECT_EQ(text(frame::wordWrite(7999, 0xF0FF)), ":010659D7F0FFDA\r\n");
    EXPECT_EQ(frame::wordWrite(0, 0).size(), 17u);
    EXPECT_EQ(frame::wordRead(5).size(), 16u);
}

TEST(Frames, Mode2FixedFramesCarryTheirOwnSum) {
    for (frame::Bytes f :
         {frame::statusRead(), frame::forceOnE7(), frame::forceOffE8(), frame::finish()}) {
        const frame::Bytes before = f;
        frame::applyMode2Sum(f);
        EXPECT_EQ(f, before);
    }
    frame::Bytes enq = frame::enquiry();
    frame::applyMode2Sum(enq);
    EXPECT_EQ(enq, frame::Bytes{frame::ENQ});
}

TEST(Frames, BlockWrite) {
    const uint16_t words[] = {0x0024, 0x01C5, 0x0F00};
    EXPECT_EQ(text(frame::blockWrite(0, words, 3)),
              "\x02"
              "E11805C0600240"
              "1C50F00\x03"
              "65");
    const frame::Bytes b = frame::blockWrite(2, words, 1);
    EXPECT_EQ(text(b).substr(1, 9), "E1180DC02");
}

TEST(Frames, TransmittedValueRegroupsSequenceWords) {
    // d >> 12, d & 7, (d >> 7) & 15, (d >> 3) & 15
    EXPECT_EQ(frame::regroup(0xC021), 0xC104);
    EXPECT_EQ(frame::ungroup(0xC104), 0xC021);
    for (uint32_t d = 0; d < 0xE000; ++d) {
        if ((d & 0x800) == 0) {
            ASSERT_EQ(frame::ungroup(frame::regroup(static_cast<uint16_t>(d))), d);
        }
    }

    const uint16_t code[] = {0xC021, 0xF0FC, 0x0064, 0xF000, 0xF400,
                             0x0021, 0xE005, 0xF009, 0x0021};
    EXPECT_EQ(frame::transmittedValue(code, 0), 0xC104);  // nothing before word 0
    EXPECT_EQ(frame::transmittedValue(code, 1), 0xF0FC);  // from 0xE000 up
    EXPECT_EQ(frame::transmittedValue(code, 2), 0x0064);  // after a constant marker
    EXPECT_EQ(frame::transmittedValue(code, 5), 0x0021);  // two after 0xF000
    EXPECT_EQ(frame::transmittedValue(code, 6), 0xE005);
    EXPECT_EQ(frame::transmittedValue(code, 8), 0x0021);  // after 0xF009
    const uint16_t plainRun[] = {0x0000, 0x0021};
    EXPECT_EQ(frame::transmittedValue(plainRun, 1), 0x0104);
}

TEST(Frames, UploadReplyCheck) {
    const std::string good =
        "\x02"
        "C104\x03"
        "DB";
    const auto* g = reinterpret_cast<const uint8_t*>(good.data());
    EXPECT_EQ(frame::replyDigits(g, good.size()), 0xC104);
    std::string bad = good;
    bad[7] = 'C';
    EXPECT_FALSE(frame::replyDigits(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()));
    EXPECT_FALSE(frame::replyDigits(g, 7));
    std::string notHex =
        "\x02"
        "C1x4\x03"
        "00";
    uint32_t sum = 0;
    for (int i = 1; i <= 5; ++i) sum += static_cast<uint8_t>(notHex[i]);
    notHex[6] = static_cast<char>(HexDigit((sum >> 4) & 15));
    notHex[7] = static_cast<char>(HexDigit(sum & 15));
    EXPECT_FALSE(
        frame::replyDigits(reinterpret_cast<const uint8_t*>(notHex.data()), notHex.size()));
}

}  // namespace
}  // namespace rs
