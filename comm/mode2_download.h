#pragma once

#include <cstdint>
#include <vector>

#include "comm/link_step.h"

namespace rs::link {

// Mode-2 download: ENQ, the status read, E7 to force the program bit, the
// code in blocks of 32 words, E8 to release the bit and the finish frame,
// each answered by ACK (the status read by the status reply).
class Mode2Download {
  public:
    // What the next ACK means.
    enum class Phase {
        Idle,
        Linking,     // ENQ or the status read in flight: an ACK asks for the status
        Sending,     // E7 or a block in flight: an ACK brings the next block, or E8
        Releasing,   // E8 in flight: an ACK brings the finish frame
        Finishing,   // the finish frame in flight: an ACK ends the download
        Cancelling,  // the user stopped: E8 goes out until its ACK comes
        Done,
    };
    // The request in flight, which a retry sends again.
    enum class Request { Enquiry, StatusRead, ForceOn, Block, ForceOff, Finish };

    // `code` holds the encoded program; `codeEnd` is the index of its END word.
    Mode2Download(std::vector<uint16_t> code, int codeEnd)
        : m_code(std::move(code)), m_codeEnd(codeEnd) {}

    Actions step(const Event& event);
    Phase phase() const { return m_phase; }

  private:
    Actions onReply(std::span<const uint8_t> bytes);
    Actions onTimer();
    Actions onCancel(bool replyOwed);
    bool answers(std::span<const uint8_t> bytes) const;
    Actions onAnswer();
    int blockCount() const;
    Actions send(Request request);
    Actions resend();
    Actions sendNextBlock();

    std::vector<uint16_t> m_code;
    int m_codeEnd;
    Phase m_phase = Phase::Idle;
    Request m_request = Request::Enquiry;
    int m_nextBlock = 0;    // the block an ACK in Sending brings
    int m_sentBlock = 0;    // the block last sent
    bool m_forced = false;  // E7 went out and E8 has not been answered
    bool m_heard = false;   // the controller answered in this download
    int m_sends = 0;        // how often the request in flight went out
    int m_badReplies = 0;   // bad replies in a row
    int m_timerTicks = 0;   // retry timer expiries since the last block's ACK
    int m_cancelSends = 0;  // E8 frames sent since the cancel
    int m_cancelAcks = 0;   // ACKs still awaited, the E8's last
};

}  // namespace rs::link
