#pragma once

#include <cstdint>
#include <vector>

#include "comm/link_step.h"

namespace rs::link {

// The upload: the mode-1 read request for word 0, 1, ... (with the mode-2
// sum in mode 2), each answered by an 8-byte reply, until the END word.
// A reply names no word, so when any read had to be sent again the whole
// program is read a second time and must come back the same.
class ProgramUpload {
  public:
    enum class State {
        Idle,
        Reading,    // a read request of the first pass is in flight
        Rereading,  // a read request of the second pass is in flight
        Done,
    };

    explicit ProgramUpload(bool mode2) : m_mode2(mode2) {}

    Actions step(const Event& event);
    State state() const { return m_state; }
    // The four digits of every word read, as they came over the line, up to
    // and including the END word.
    const std::vector<uint16_t>& digits() const { return m_digits; }

  private:
    Actions onReply(std::span<const uint8_t> bytes);
    Actions onWord(uint16_t digits);
    Actions checkFailed();
    Actions request();
    uint16_t wordOf(uint16_t digits) const;

    const bool m_mode2;
    State m_state = State::Idle;
    std::vector<uint16_t> m_digits;  // the first pass
    std::vector<uint16_t> m_words;   // the words the digits of this pass stand for
    size_t m_reread = 0;             // second pass: words read again
    int m_failed = 0;                // failed reads in a row
    int m_requested = -1;            // the word last asked for
    int m_sends = 0;                 // how often the word in flight was asked for
    bool m_retried = false;          // some read of the first pass went out again
};

}  // namespace rs::link
