// The device test's request and reply as a state machine: which bytes answer
// which request, a read reply in pieces, and bytes while nothing is asked.
#include "online/device_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rs::online {
namespace {

std::vector<uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

// STX, "D204" (1234 low byte first), ETX and the sum of the digits and ETX.
const std::string kRead =
    "\x02"
    "D204\x03"
    "DD";

struct Row {
    const char* name;
    int readCount;                    // the request: -1 for a force or a write
    std::vector<std::string> pieces;  // what arrives, in pieces
    std::string condition;            // the entry, empty when none yet
    DeviceExchange::State after;
};

TEST(DeviceExchange, RepliesAnswerTheRequestInFlight) {
    using State = DeviceExchange::State;
    const std::vector<Row> rows = {
        {"ACK answers a write", -1, {"\x06"}, "WORD WRITE", State::Idle},
        {"NAK is a mission error", -1, {"\x15"}, "MissionErr", State::Idle},
        {"a read reply to a write", -1, {kRead}, "MissionErr", State::Idle},
        {"a whole read reply", 2, {kRead}, "WORD READ 04D2H=1234", State::Idle},
        {"a read reply in pieces",
         2,
         {kRead.substr(0, 3), kRead.substr(3)},
         "WORD READ 04D2H=1234",
         State::Idle},
        {"half a read reply", 2, {kRead.substr(0, 5)}, "", State::AwaitingRead},
        {"a read reply with a wrong sum",
         2,
         {kRead.substr(0, 6) + "00"},
         "MissionErr",
         State::Idle},
        {"noise before the reply", 2, {"x", kRead}, "MissionErr", State::Idle},
    };
    for (const Row& row : rows) {
        DeviceExchange x;
        x.step(
            DeviceExchange::Request{row.readCount < 0 ? "WORD WRITE" : "WORD READ", row.readCount});
        std::string condition;
        for (const std::string& piece : row.pieces) {
            const auto bytes = bytesOf(piece);
            if (auto c = x.step(DeviceExchange::Bytes{bytes})) condition = *c;
        }
        EXPECT_EQ(condition, row.condition) << row.name;
        EXPECT_EQ(x.state(), row.after) << row.name;
    }
}

TEST(DeviceExchange, BytesWithNothingAskedGiveNoEntryAndANewRequestStartsClean) {
    DeviceExchange x;
    const auto half = bytesOf(kRead.substr(0, 4));
    EXPECT_FALSE(x.step(DeviceExchange::Bytes{half}));
    x.step(DeviceExchange::Request{"WORD READ", 2});
    const auto whole = bytesOf(kRead);
    EXPECT_EQ(x.step(DeviceExchange::Bytes{whole}), "WORD READ 04D2H=1234");
}

}  // namespace
}  // namespace rs::online
