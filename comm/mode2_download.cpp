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
    m_sends = 1;
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
    const int sends = m_sends + 1;
    Actions out;
    if (m_request == Request::Finish) {
        m_phase = Phase::Releasing;
        out = send(Request::ForceOff);
    } else {
        out = send(m_request);
    }
    m_sends = sends;  // a late ACK of the finish frame may answer E8 too
    return out;
}

// Whether a reply answers the request in flight: the status read by the
// status reply (8 bytes, STX, "5" as fourth byte), every other request by ACK.
// Nothing else answers, so an ACK to the status read, a status reply to a
// block or E7, and every other byte count as bad replies.
bool Mode2Download::answers(std::span<const uint8_t> bytes) const {
    if (m_request == Request::StatusRead)
        return bytes.size() == static_cast<size_t>(frame::kStatusReplyLength) &&
               bytes[0] == frame::STX && bytes[3] == '5';
    return bytes.size() == 1 && bytes[0] == frame::ACK;
}

Actions Mode2Download::onReply(std::span<const uint8_t> bytes) {
    if (m_phase == Phase::Cancelling) {
        m_cancelAcks -= static_cast<int>(std::count(bytes.begin(), bytes.end(), frame::ACK));
        if (m_cancelAcks > 0) return {RestartRetry{}};
        m_forced = false;
        m_phase = Phase::Done;
        return {Finish{Ending::Cancelled}};
    }
    if (!answers(bytes)) {  // a bad reply: the request goes out again
        if (++m_badReplies >= kMaxBadReplies) {
            m_phase = Phase::Done;
            return {Finish{Ending::PacketError}};
        }
        return {Wait{kRetryWaitMs, AfterWait::Resend}};
    }
    // A good answer to a request that went out more than once may have a
    // twin on its way: it is acted on after the settling period.
    if (m_sends > 1) {
        const int sends = m_sends;
        m_sends = 1;
        return {Settle{frame::kStatusReplyLength, sends}};
    }
    m_badReplies = 0;  // the count holds bad replies in a row
    m_heard = true;
    return onAnswer();
}

Actions Mode2Download::onAnswer() {
    switch (m_request) {
        case Request::Enquiry: {  // the link is up: the status is read
            Actions out{Threshold{frame::kStatusReplyLength}};
            append(out, send(Request::StatusRead));
            return out;
        }
        case Request::StatusRead: {  // the program bit is forced
            m_phase = Phase::Sending;
            Actions out = send(Request::ForceOn);
            out.push_back(Threshold{1});
            return out;
        }
        case Request::ForceOn:
        case Request::Block:
            m_timerTicks = 0;
            if (m_request == Request::Block) ++m_nextBlock;  // done: its own ACK came
            if (m_nextBlock >= blockCount()) {
                m_phase = Phase::Releasing;
                return send(Request::ForceOff);
            }
            return sendNextBlock();
        case Request::ForceOff:
            m_forced = false;
            m_phase = Phase::Finishing;
            return send(Request::Finish);
        case Request::Finish:
            m_phase = Phase::Done;
            return {Progress{m_codeEnd + 1}, Finish{Ending::Succeeded}};
    }
    return {};
}

int Mode2Download::blockCount() const {
    return (static_cast<int>(m_code.size()) + frame::kBlockWords - 1) / frame::kBlockWords;
}

Actions Mode2Download::sendNextBlock() {
    m_sentBlock = m_nextBlock;
    Actions out{Progress{m_sentBlock * frame::kBlockWords}};
    append(out, send(Request::Block));
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
