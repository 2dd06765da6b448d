#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "core/limits.h"

namespace rs::online {

// One request of the device test and its reply, as a state machine: a force
// or word write is answered by ACK, a word read by STX, its data digits, ETX
// and the sum, which may come in pieces. The step gives the history entry's
// condition once the request is answered: the request's description for ACK,
// the words read for a whole read reply, "MissionErr" for anything else.
class DeviceExchange {
  public:
    enum class State {
        Idle,          // nothing asked; bytes are gathered all the same
        AwaitingAck,   // a force or a word write went out
        AwaitingRead,  // a word read of `readCount` bytes went out
    };

    // A request went out on a freshly opened port: what was gathered is dropped.
    struct Request {
        std::string description;
        int readCount;  // bytes a word read asks for; -1 for the others
    };
    // Bytes from the link.
    struct Bytes {
        std::span<const uint8_t> bytes;
    };
    using Event = std::variant<Request, Bytes>;

    std::optional<std::string> step(const Event& event);
    // No answer came in time: the request is given up, and a late answer to
    // it adds nothing.
    void abandon() { answered({}); }
    State state() const { return m_state; }

  private:
    std::optional<std::string> answered(std::string condition);

    State m_state = State::Idle;
    std::string m_description;
    int m_readCount = -1;
    std::array<uint8_t, kSerialBufferSize> m_rx{};
    size_t m_rxSize = 0;
};

}  // namespace rs::online
