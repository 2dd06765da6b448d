#include "comm/mode2_download.h"

#include <algorithm>

namespace rs::link {

namespace {
void append(Actions& out, Actions more) {
    for (Action& a : more) out.push_back(std::move(a));
}
}  // namespace

Actions Mode2Download::step(const Event& event) {
    if (m_phase == Phase::Done) return {};
    if (std::holds_alternative<Start>(event)) {
        m_phase = Phase::Linking;
        return send(Request::Enquiry);
    }
    if (const auto* reply = std::get_if<Reply>(&event)) return onReply(reply->bytes);
    if (std::holds_alternative<RetryExpired>(event)) return onTimer();
    if (const auto* cancel = std::get_if<Cancel>(&event)) return onCancel(cancel->replyOwed);
    if (std::get<WaitOver>(event).then == AfterWait::Resend) return resend();
    return {};
}

Actions Mode2Download::send(Request request) {
    m_request = request;
    switch (request) {
        case Request::Enquiry:
            return {Send{frame::enquiry()}};
        case Request::StatusRead:
            return {Send{frame::statusRead()}};
        case Request::ForceOn:
            m_forced = true;
            return {Send{frame::forceOnE7()}};
        case Request::Block: {
            const int first = frame::kBlockWords * m_sentBlock;
            const int n = std::min(frame::kBlockWords, static_cast<int>(m_code.size()) - first);
            if (first + n >= static_cast<int>(m_code.size())) m_allSent = true;
            return {Send{frame::blockWrite(m_sentBlock, m_code.data() + first, n)}};
        }
        case Request::ForceOff:
            return {Send{frame::forceOffE8()}};
        case Request::Finish:
            return {Send{frame::finish()}};
    }
    return {};
}

// A frame that got no good reply goes out again: a block under its own
// number; a lost E8 as E8; a lost finish frame brings the E8 frame again,
// whose ACK leads to a new finish frame.
Actions Mode2Download::resend() {
    m_resent = true;
    if (m_request == Request::Finish) {
        m_phase = Phase::Releasing;
        return send(Request::ForceOff);
    }
    return send(m_request);
}

Actions Mode2Download::onReply(std::span<const uint8_t> bytes) {
    if (m_phase == Phase::Cancelling) {
        m_cancelAcks -= static_cast<int>(std::count(bytes.begin(), bytes.end(), frame::ACK));
        if (m_cancelAcks > 0) return {RestartRetry{}};
        m_forced = false;
        m_phase = Phase::Done;
        return {Finish{Ending::Cancelled}};
    }
    const bool ack = bytes[0] == frame::ACK;
    const bool status = bytes.size() == static_cast<size_t>(frame::kStatusReplyLength) &&
                        bytes[0] == frame::STX && bytes[3] == '5';
    if (!ack && !status) {  // a bad reply: the request goes out again
        if (++m_badReplies >= kMaxBadReplies) {
            m_phase = Phase::Done;
            return {Finish{Ending::PacketError}};
        }
        return {Wait{kRetryWaitMs, AfterWait::Resend}};
    }
    // A good answer to a request that went out more than once may have a
    // twin on its way: it is acted on after the settling period.
    if (m_resent) {
        m_resent = false;
        return {Settle{}};
    }
    m_badReplies = 0;  // the count holds bad replies in a row
    m_heard = true;
    if (status) {  // the status reply: the program bit is forced
        if (m_phase == Phase::Linking) m_phase = Phase::Sending;
        Actions out = send(Request::ForceOn);
        out.push_back(Threshold{1});
        return out;
    }
    return onAck();
}

Actions Mode2Download::onAck() {
    switch (m_phase) {
        case Phase::Linking: {  // the enquiry answered: the status is read
            Actions out{Threshold{frame::kStatusReplyLength}};
            append(out, send(Request::StatusRead));
            return out;
        }
        case Phase::Sending:
            m_timerTicks = 0;
            if (m_allSent) {
                m_phase = Phase::Releasing;
                return send(Request::ForceOff);
            }
            return sendNextBlock();
        case Phase::Releasing:
            m_forced = false;
            m_phase = Phase::Finishing;
            return send(Request::Finish);
        case Phase::Finishing:
            m_phase = Phase::Done;
            return {Progress{m_codeEnd + 1}, Finish{Ending::Succeeded}};
        default:
            return {};
    }
}

Actions Mode2Download::sendNextBlock() {
    m_sentBlock = m_nextBlock;
    Actions out{Progress{m_sentBlock * frame::kBlockWords}};
    append(out, send(Request::Block));
    if (!m_allSent) ++m_nextBlock;
    out.push_back(Wait{kAfterBlockWaitMs, AfterWait::Nothing});
    return out;
}

Actions Mode2Download::onTimer() {
    if (m_phase == Phase::Cancelling) {
        if (m_cancelSends >= kMaxBadReplies) {
            m_phase = Phase::Done;  // E8 went unanswered: the bit may stay forced
            return {Finish{Ending::Cancelled}};
        }
        ++m_cancelSends;
        m_cancelAcks = 1;
        return send(Request::ForceOff);
    }
    if (m_timerTicks >= kMaxTimerTicks) {
        m_phase = Phase::Done;
        return {Finish{m_heard ? Ending::Interrupted : Ending::NoConnection}};
    }
    ++m_timerTicks;
    return resend();
}

// Nothing more is sent, except that a forced program bit is released: E8 goes
// out and the transfer waits for its ACK (and for the one still owed to the
// last request), three tries of one retry period at most.
Actions Mode2Download::onCancel(bool replyOwed) {
    if (m_phase == Phase::Cancelling) return {};
    if (!m_forced) {
        m_phase = Phase::Done;
        return {Finish{Ending::Cancelled}};
    }
    m_phase = Phase::Cancelling;
    m_cancelSends = 1;
    m_cancelAcks = replyOwed ? 2 : 1;
    Actions out{Threshold{1}};
    append(out, send(Request::ForceOff));
    return out;
}

}  // namespace rs::link
