#pragma once

#include <cstdint>
#include <vector>

#include "comm/link_step.h"

namespace rs::link {

// The upload: the mode-1 read request for word 0, 1, ... (with the mode-2
// sum in mode 2), each answered by an 8-byte reply, until the END word.
class ProgramUpload {
  public:
    enum class State {
        Idle,
        Reading,  // a read request is in flight
        Done,
    };

    explicit ProgramUpload(bool mode2) : m_mode2(mode2) {}

    Actions step(const Event& event);
    State state() const { return m_state; }
    // The words read so far, as the controller holds them (a mode-2 END
    // word read as the mode-1 END).
    const std::vector<uint16_t>& words() const { return m_words; }

  private:
    Actions onReply(std::span<const uint8_t> bytes);
    Actions checkFailed();
    Actions request();
    uint16_t wordOf(uint16_t digits) const;

    const bool m_mode2;
    State m_state = State::Idle;
    std::vector<uint16_t> m_words;
    int m_failed = 0;       // failed reads in a row
    int m_requested = -1;   // the word last asked for
    bool m_resent = false;  // the word in flight was asked for more than once
};

}  // namespace rs::link
