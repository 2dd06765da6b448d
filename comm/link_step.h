#pragma once

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "comm/frames.h"

// What the link protocols (mode-1 download, mode-2 download, upload) take in
// and give back. Each protocol is a state machine: step() takes one event and
// returns the actions it asks for, in order. The protocols touch no link, no
// timer and no message sink; the transfer driver carries the actions out.
namespace rs::link {

// What a short wait was for, handed back when it ends.
enum class AfterWait {
    Nothing,   // a pause after a frame; what arrives meanwhile is handled after it
    SendNext,  // mode 1: the next word write
    Resend,    // the request in flight goes out again after a bad reply
};

// How a transfer ended; the driver turns each into its outcome and message.
enum class Ending {
    Succeeded,         // "Download Succeed !"
    Uploaded,          // the END word was read back
    Cancelled,         // stopped at the user's request
    PacketError,       // three bad replies in a row
    NoReply,           // ten empty mode-1 replies
    NoConnection,      // the retry timer gave up before the controller answered
    Interrupted,       // the retry timer gave up after the controller had answered
    RetryTimeout,      // ten failed upload reads
    UploadWithoutEnd,  // no END word within the code buffer
    ReadsDiffer,       // a second reading of the upload brought other words
    NotHeld,           // the program read back after a download is not the one sent
    Undecodable,       // mode-2 code read back that is no program of the instruction set
};

// ---- events ---------------------------------------------------------------

struct Start {};
// Bytes that arrived together (at most the receive buffer's size). A reply
// that asked to settle first comes again once the settling period is over.
struct Reply {
    std::span<const uint8_t> bytes;
};
struct RetryExpired {};
struct WaitOver {
    AfterWait then;
};
// The user stops the transfer; `replyOwed` when a request still waits for
// its answer (the retry timer runs).
struct Cancel {
    bool replyOwed;
};
using Event = std::variant<Start, Reply, RetryExpired, WaitOver, Cancel>;

// ---- actions --------------------------------------------------------------

// Write a frame (the driver adds the mode-2 sum) and restart the retry timer.
struct Send {
    frame::Bytes bytes;
};
// Restart the retry timer without sending.
struct RestartRetry {};
// The request in flight is answered: the retry timer stops.
struct StopRetry {};
// The receive event waits for this many bytes.
struct Threshold {
    int bytes;
};
// A short wait; events that come meanwhile are handled when it ends.
struct Wait {
    int ms;
    AfterWait then;
};
// The reply just given answers a request that went out `sends` times: wait
// the settling period, drop whatever arrives in it (the request's other
// answers, `replyBytes` long each) and hand the reply back.
struct Settle {
    int replyBytes = frame::kWordReplyLength;
    int sends = 2;
};
struct Progress {
    int value;
};
// The "Download" button.
struct DownloadEnabled {
    bool enabled;
};
// Upload: a word read, to be decoded into the instruction list.
struct WordRead {
    uint16_t word;
};
struct Finish {
    Ending ending;
};
using Action = std::variant<Send, RestartRetry, StopRetry, Threshold, Wait, Settle, Progress,
                            DownloadEnabled, WordRead, Finish>;
using Actions = std::vector<Action>;

// Timing and retry limits shared by the protocols.
constexpr int kRetryPeriodMs = 300;    // retry timer, and the settling period
constexpr int kAfterReplyWaitMs = 10;  // mode 1: before the next word
constexpr int kAfterBlockWaitMs = 15;  // mode 2: after each block
constexpr int kRetryWaitMs = 100;      // before a frame is sent again
constexpr int kMaxBadReplies = 3;
constexpr int kMaxEmptyReplies = 10;
constexpr int kMaxTimerTicks = 10;
constexpr int kMaxUploadRetries = 10;

}  // namespace rs::link
