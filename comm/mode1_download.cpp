#include "comm/mode1_download.h"

#include <algorithm>

#include "comm/code_words.h"

namespace rs::link {

Actions Mode1Download::step(const Event& event) {
    if (m_state == State::Done) return {};
    if (std::holds_alternative<Start>(event)) {
        Actions out{Threshold{frame::kWordWriteLength}};
        for (Action& a : sendWord()) out.push_back(std::move(a));
        out.push_back(DownloadEnabled{false});
        return out;
    }
    if (const auto* reply = std::get_if<Reply>(&event)) return onReply(reply->bytes);
    if (std::holds_alternative<RetryExpired>(event)) return onTimer();
    if (std::holds_alternative<WaitOver>(event)) return sendWord();
    m_state = State::Done;  // Cancel: nothing more is sent
    return {Finish{Ending::Cancelled}};
}

bool Mode1Download::endInFlight() const {
    return m_code[static_cast<size_t>(m_index)] == code::kEndWordMode1;
}

Actions Mode1Download::sendWord() {
    frame::Bytes f = frame::wordWrite(m_index, frame::transmittedValue(m_code.data(), m_index));
    if (f != m_frame) {
        m_prevFrame = std::move(m_frame);
        m_frame = f;
    }
    m_state = State::AwaitingEcho;
    return {Send{std::move(f)}};
}

// The echo of a word write repeats its address and value. Input may hold
// several echoes (a late one and the one just due); the write in flight is
// answered when any of them is its own. Echoes of the word before only are
// stale: a late reply to a frame already answered.
Mode1Download::Echo Mode1Download::classify(std::span<const uint8_t> in) const {
    constexpr size_t kLength = frame::kWordWriteLength;
    constexpr size_t kFirst = 5, kLast = 13;  // address and value digits
    auto same = [&](size_t at, const frame::Bytes& sent) {
        return sent.size() == kLength &&
               std::equal(in.begin() + static_cast<long>(at + kFirst),
                          in.begin() + static_cast<long>(at + kLast), sent.begin() + kFirst);
    };
    bool stale = false;
    bool other = false;
    for (size_t at = 0; at + kLength <= in.size(); ++at) {
        if (in[at + 15] != frame::CR || in[at + 16] != frame::LF) continue;
        if (same(at, m_frame)) return Echo::Current;
        (same(at, m_prevFrame) ? stale : other) = true;
    }
    return stale && !other ? Echo::Stale : Echo::Other;
}

Actions Mode1Download::onReply(std::span<const uint8_t> bytes) {
    if (m_state != State::AwaitingEcho) return {};
    const Echo echo = classify(bytes);
    if (echo == Echo::Stale) return {RestartRetry{}};  // dropped, not counted
    if (echo == Echo::Current) {
        m_heard = true;
        m_timerTicks = 0;
        if (endInFlight()) {
            m_state = State::Done;
            return {Progress{m_index + 1}, Finish{Ending::Succeeded}};
        }
        ++m_index;
        m_badReplies = 0;
        m_state = State::Pausing;
        return {Progress{m_index}, Wait{kAfterReplyWaitMs, AfterWait::SendNext}};
    }
    // A reply of zero bytes counts toward a limit of its own.
    ++m_badReplies;
    const bool empty = bytes[0] == 0;
    if (m_badReplies < (empty ? kMaxEmptyReplies : kMaxBadReplies)) {
        m_state = State::Pausing;
        return {Wait{kRetryWaitMs, AfterWait::Resend}};
    }
    m_state = State::Done;
    return {Finish{empty ? Ending::NoReply : Ending::PacketError}};
}

Actions Mode1Download::onTimer() {
    if (m_timerTicks >= kMaxTimerTicks) {
        m_state = State::Done;
        return {Finish{m_heard ? Ending::Interrupted : Ending::NoConnection}};
    }
    ++m_timerTicks;
    return sendWord();
}

}  // namespace rs::link
