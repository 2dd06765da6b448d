#include "comm/program_upload.h"

#include "comm/code_words.h"
#include "core/limits.h"

namespace rs::link {

Actions ProgramUpload::step(const Event& event) {
    if (m_state == State::Done) return {};
    if (std::holds_alternative<Start>(event)) {
        m_state = State::Reading;
        // Each reply is 8 bytes; the event waits for all of them.
        Actions out{Threshold{frame::kWordReplyLength}};
        for (Action& a : request()) out.push_back(std::move(a));
        return out;
    }
    if (const auto* reply = std::get_if<Reply>(&event)) return onReply(reply->bytes);
    if (std::holds_alternative<RetryExpired>(event)) return checkFailed();  // a lost reply
    if (std::holds_alternative<Cancel>(event)) {
        m_state = State::Done;
        return {Finish{Ending::Cancelled}};
    }
    return {};
}

Actions ProgramUpload::request() {
    const int index = static_cast<int>(m_state == State::Reading ? m_digits.size() : m_reread);
    if (index >= kCodeWords) {  // no END in the whole code buffer
        m_state = State::Done;
        return {Finish{Ending::UploadWithoutEnd}};
    }
    if (index == m_requested) {
        ++m_sends;
        if (m_state == State::Reading) m_retried = true;
    } else {
        m_sends = 1;
    }
    m_requested = index;
    return {Send{frame::wordRead(index)}};
}

// The word travels as the download sent it: in mode 1 plain after a constant
// marker (so constants come back whole) and from 0xE000, else regrouped; in
// mode 2, whose blocks carry plain words, plain.
uint16_t ProgramUpload::wordOf(uint16_t digits) const {
    const size_t n = m_words.size();
    const int prev1 = n >= 1 ? m_words[n - 1] : -1;
    const int prev2 = n >= 2 ? m_words[n - 2] : -1;
    const bool plain = m_mode2 || (digits >> 12) >= 14 || frame::travelsPlain(0, prev1, prev2);
    return plain ? digits : frame::ungroup(digits);
}

Actions ProgramUpload::onReply(std::span<const uint8_t> bytes) {
    // A reply that does not start with STX (an echoing line, another device,
    // noise) counts with the failed checks, so that the upload ends.
    if (bytes[0] != frame::STX) return checkFailed();
    const auto digits = frame::replyDigits(bytes.data(), bytes.size());
    if (!digits) return checkFailed();
    if (m_sends > 1) {  // its twins may be on their way: act on it after the settling period
        const int sends = m_sends;
        m_sends = 1;
        return {Settle{frame::kWordReplyLength, sends}};
    }
    m_failed = 0;
    return onWord(*digits);
}

Actions ProgramUpload::onWord(uint16_t digits) {
    const uint16_t word = wordOf(digits);
    m_words.push_back(word);
    // A mode-2 controller holds mode-2 code: its END word ends the upload as
    // the mode-1 END does (and the first one is where the download's code
    // ended), instead of reading the rest of the code buffer.
    const bool last = word == code::kEndWordMode1 || (m_mode2 && word == code::kEndWordMode2);
    if (m_state == State::Rereading) {
        if (digits != m_digits[m_reread]) {
            m_state = State::Done;
            return {Finish{Ending::ReadsDiffer}};
        }
        if (++m_reread == m_digits.size()) {
            m_state = State::Done;
            return {Finish{Ending::Uploaded}};
        }
        return request();
    }
    m_digits.push_back(digits);
    Actions out{WordRead{last ? code::kEndWordMode1 : word}};
    if (last && !m_retried) {
        m_state = State::Done;
        out.push_back(Finish{Ending::Uploaded});
        return out;
    }
    if (last) {  // some answer may have been taken for the wrong word: read all again
        m_state = State::Rereading;
        m_words.clear();
        m_requested = -1;
    } else {
        out.push_back(Progress{static_cast<int>(m_digits.size())});
    }
    for (Action& a : request()) out.push_back(std::move(a));
    return out;
}

Actions ProgramUpload::checkFailed() {
    if (++m_failed < kMaxUploadRetries) return request();
    m_state = State::Done;
    return {Finish{Ending::RetryTimeout}};
}

}  // namespace rs::link
