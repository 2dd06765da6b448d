// Random bytes and timer expiries in random order: whatever arrives, a
// transfer ends with at most one message, one of its own, and stays inside its
// buffers (run under the sanitizers).
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::TransferRig;

TEST(TransferNoise, RandomRepliesEndWithAtMostOneKnownMessage) {
    const std::set<std::string> known = {
        "Download Succeed !",
        "Packet Receive Packet Error!",
        "Communication connection timeout!",
        "Communication interruption!",
        "Communication Retry Time out,please check your device",
        "No END instruction within 8000 code words; the upload stops."};
    const std::string pieces[] = {std::string(1, '\x06'), std::string(15, 'x') + "\r\n",
                                  std::string("\x02"
                                              "0050\x03"
                                              "98"),
                                  std::string(17, '\0'),
                                  std::string("\x02"
                                              "F0FF\x03"
                                              "05")};
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        const int kind = static_cast<int>(seed % 3);  // mode 1, mode 2, upload
        TransferRig rig(kind == 1, {{"LD", "X000"}, {"MOV", "K10 D0"}, {"END", ""}});
        if (kind == 2) {
            rig.transfer->openPort("ttyS0", {});
            rig.transfer->upload();
        } else {
            rig.download();
        }
        for (int step = 0; step < 400 && rig.transfer->running(); ++step) {
            switch (random() % 4) {
                case 0:
                    rig.retry.fire();
                    break;
                case 1:
                    rig.wait.fire();
                    break;
                case 2:
                    rig.link.deliver(pieces[random() % 5]);
                    break;
                default: {
                    std::string noise(random() % 700, '\0');
                    for (char& c : noise) c = static_cast<char>(random());
                    rig.link.deliver(noise);
                }
            }
        }
        ASSERT_LE(rig.sink.shown.size(), 1u) << "seed " << seed;
        if (!rig.sink.shown.empty()) {
            EXPECT_TRUE(known.count(rig.sink.shown[0].text)) << rig.sink.shown[0].text;
        }
    }
}

}  // namespace
}  // namespace rs
