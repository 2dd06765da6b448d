#pragma once

#include <cstdint>
#include <vector>

#include "comm/link_step.h"

namespace rs::link {

// Mode-1 download: one word write per frame, each answered by its 17-byte
// echo. The echo names its word, so a late echo is told from the answer due.
class Mode1Download {
  public:
    enum class State {
        Idle,
        AwaitingEcho,  // a word write is in flight
        Pausing,       // a short wait before the next or the same word write
        Done,
    };
    // What a reply is to the word write in flight.
    enum class Echo { Current, Stale, Other };

    // `code` holds the encoded program, its last word the END word.
    explicit Mode1Download(std::vector<uint16_t> code) : m_code(std::move(code)) {}

    Actions step(const Event& event);
    State state() const { return m_state; }

  private:
    Actions onReply(std::span<const uint8_t> bytes);
    Actions onTimer();
    Actions sendWord();
    Echo classify(std::span<const uint8_t> bytes) const;
    bool endInFlight() const;

    std::vector<uint16_t> m_code;
    State m_state = State::Idle;
    int m_index = 0;           // the word in flight
    int m_badReplies = 0;      // bad or empty replies in a row
    int m_timerTicks = 0;      // retry timer expiries since the last echo taken
    bool m_heard = false;      // an echo was taken in this download
    frame::Bytes m_frame;      // the word write in flight
    frame::Bytes m_prevFrame;  // and the one before it (a different word)
};

}  // namespace rs::link
