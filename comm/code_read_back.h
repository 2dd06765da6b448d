#pragma once

#include <cstdint>
#include <vector>

#include "comm/link_step.h"

namespace rs::link {

// The read-back of a mode-2 download: the program memory is read with the
// mode-2 read frame, kReadBackWords words a request at the addresses the
// blocks were written to, until the words the download sent are in. A reply
// names no address, so when any read had to be sent again every word is read
// a second time and must come back the same.
class CodeReadBack {
  public:
    enum class State {
        Idle,
        Reading,    // a read of the first pass is in flight
        Rereading,  // a read of the second pass is in flight
        Done,
    };
    // Words a read asks for: as many as a block carries.
    static constexpr int kReadBackWords = frame::kBlockWords;

    // `count`: the words to read, from word 0.
    explicit CodeReadBack(int count) : m_count(count) {}

    Actions step(const Event& event);
    State state() const { return m_state; }
    // The words of the first pass (all `count` of them once Uploaded).
    const std::vector<uint16_t>& words() const { return m_words; }

  private:
    Actions onReply(std::span<const uint8_t> bytes);
    Actions onWords(const std::vector<uint16_t>& words);
    Actions readFailed();
    Actions request();
    int readSize() const;

    const int m_count;
    State m_state = State::Idle;
    std::vector<uint16_t> m_words;  // the first pass
    int m_next = 0;                 // the first word of the read in flight
    int m_failed = 0;               // failed reads in a row
    int m_requested = -1;           // the first word of the read last sent
    int m_sends = 0;                // how often the read in flight went out
    bool m_retried = false;         // some read of the first pass went out again
};

}  // namespace rs::link
