#include "comm/code_read_back.h"

#include <algorithm>

namespace rs::link {

Actions CodeReadBack::step(const Event& event) {
    if (m_state == State::Done) return {};
    if (std::holds_alternative<Start>(event)) {
        m_state = State::Reading;
        if (m_count <= 0) {
            m_state = State::Done;
            return {Finish{Ending::Uploaded}};
        }
        return request();
    }
    if (const auto* reply = std::get_if<Reply>(&event)) return onReply(reply->bytes);
    if (std::holds_alternative<RetryExpired>(event)) return readFailed();  // a lost reply
    if (std::holds_alternative<Cancel>(event)) {
        m_state = State::Done;
        return {Finish{Ending::Cancelled}};
    }
    return {};
}

int CodeReadBack::readSize() const {
    return std::min(kReadBackWords, m_count - m_next);
}

// The receive event waits for the whole reply, whose length the read's size
// gives.
Actions CodeReadBack::request() {
    if (m_next == m_requested) {
        ++m_sends;
        if (m_state == State::Reading) m_retried = true;
    } else {
        m_sends = 1;
    }
    m_requested = m_next;
    const int n = readSize();
    return {Threshold{frame::codeReplyLength(n)}, Send{frame::codeRead(m_next, n)}};
}

Actions CodeReadBack::onReply(std::span<const uint8_t> bytes) {
    const int n = readSize();
    const auto words = frame::codeReplyWords(bytes.data(), bytes.size(), n);
    if (!words) return readFailed();
    if (m_sends > 1) {  // its twins may be on their way: act on it after the settling period
        const int sends = m_sends;
        m_sends = 1;
        return {Settle{frame::codeReplyLength(n), sends}};
    }
    m_failed = 0;
    return onWords(*words);
}

Actions CodeReadBack::onWords(const std::vector<uint16_t>& words) {
    const auto at = static_cast<size_t>(m_next);
    if (m_state == State::Rereading) {
        if (!std::equal(words.begin(), words.end(), m_words.begin() + static_cast<long>(at))) {
            m_state = State::Done;
            return {Finish{Ending::ReadsDiffer}};
        }
    } else {
        m_words.insert(m_words.end(), words.begin(), words.end());
    }
    m_next += static_cast<int>(words.size());
    if (m_next < m_count) return request();
    if (m_state == State::Reading && m_retried) {  // read all again: some answer may be stale
        m_state = State::Rereading;
        m_next = 0;
        m_requested = -1;
        return request();
    }
    m_state = State::Done;
    return {Finish{Ending::Uploaded}};
}

Actions CodeReadBack::readFailed() {
    if (++m_failed < kMaxUploadRetries) return request();
    m_state = State::Done;
    return {Finish{Ending::RetryTimeout}};
}

}  // namespace rs::link
