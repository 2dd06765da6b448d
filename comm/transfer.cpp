#include "comm/transfer.h"

#include <algorithm>

#include "comm/code_words.h"
#include "comm/comm_messages.h"
#include "comm/download_check.h"
#include "core/messages.h"

namespace rs {

namespace {
constexpr size_t kClearedBytes = 64;  // what "clear the buffer" clears after a reply
constexpr int kStatusThreshold = frame::kStatusReplyLength;
}  // namespace

Transfer::Transfer(AppStore& app, SerialLink& link, Timer& retryTimer, Timer& waitTimer,
                   MessageSink& sink, TransferObserver* observer)
    : m_app(app),
      m_link(link),
      m_retryTimer(retryTimer),
      m_waitTimer(waitTimer),
      m_sink(sink),
      m_observer(observer),
      m_mode2(app.m_bMode2),
      m_encoder(app.m_bMode2) {
    m_link.setReceiveCallback([this] { onReceive(); });
    m_retryTimer.setCallback([this] { onRetryTimer(); });
    m_waitTimer.setCallback([this] { onWaitTimer(); });
    m_link.setErrorCallback([this](const std::string& reason) { onPortError(reason); });
}

Transfer::~Transfer() {
    m_retryTimer.stop();
    m_waitTimer.stop();
    m_link.setReceiveCallback({});
    m_link.setErrorCallback({});
    m_retryTimer.setCallback({});
    m_waitTimer.setCallback({});
}

// ---- port ---------------------------------------------------------------

bool Transfer::openPort(const std::string& port, const SerialSettings& settings) {
    m_rx.fill('0');
    if (m_link.isOpen()) m_link.close();
    if (!m_link.open(port, settings)) {
        showError(msg::kCannotOpenPort, false);
        return false;
    }
    m_link.setReceiveThreshold(1);
    m_link.readAll();  // pending input is discarded
    return true;
}

bool Transfer::applySettings(const std::string& port, const SerialSettings& settings) {
    if (m_link.isOpen() && m_link.port() == port && m_link.settings() == settings) return true;
    if (m_link.isOpen()) m_link.close();
    if (!m_link.open(port, settings)) {
        showError(msg::kCannotOpenPort, false);
        return false;
    }
    m_link.setReceiveThreshold(1);
    return true;
}

void Transfer::sendFrame(frame::Bytes bytes) {
    if (m_mode2) frame::applyMode2Sum(bytes);
    m_link.write(bytes);
}

void Transfer::restartRetryTimer() {
    m_retryTimer.stop();
    m_retryTimer.start(kRetryPeriodMs);
}

void Transfer::clearRx(size_t bytes) {
    std::fill_n(m_rx.begin(), std::min(bytes, m_rx.size()), uint8_t{0});
}

void Transfer::waitThen(int ms, AfterWait action) {
    m_afterWait = action;
    m_waiting = true;
    m_waitTimer.start(ms);
}

void Transfer::showError(const char* text, bool unlessErrorShowing) {
    if (unlessErrorShowing && m_errorShowing) return;
    m_errorShowing = true;
    m_sink.inform(text, msg::kErrorCaption, MessageIcon::Warning);
    m_errorShowing = false;
}

// A good answer to a request that went out more than once: a retry period
// passes first, dropping whatever arrives (the request's other answer), so
// that a late answer is never taken for the next request's. True when the
// answer is acted on after that wait.
bool Transfer::settleFirst() {
    if (!m_resent) return false;
    m_resent = false;
    waitThen(kRetryPeriodMs, AfterWait::ActOnReply);
    m_discarding = true;
    return true;
}

void Transfer::end(TransferOutcome outcome) {
    m_active = false;
    m_cancelling = false;
    m_outcome = outcome;
    m_retryTimer.stop();
    m_waitTimer.stop();
    m_waiting = false;
    if (m_observer) m_observer->finished(outcome);
}

// ---- buttons ------------------------------------------------------------

void Transfer::startFresh() {
    m_outcome = TransferOutcome::None;
    m_answered = m_resent = m_discarding = false;
    m_requestedWord = -1;
    m_portError.clear();
    m_programForced = m_cancelling = false;
    m_cancelSends = m_cancelAcks = 0;
    m_wordFrame.clear();
    m_prevWordFrame.clear();
}

void Transfer::download(const DownloadRequest& request) {
    if (m_active) return;
    startFresh();
    if (!m_app.m_bCompiled) {
        msg::refuse(m_sink, msg::kNotCompiled);
        end(TransferOutcome::Refused);
        return;
    }
    g_timerTicks = 0;
    if (auto refusal = downloadRefusal(*m_app.table, m_mode2)) {
        msg::refuse(m_sink, *refusal);
        end(TransferOutcome::Refused);
        return;
    }
    if (!applySettings(request.port, request.settings)) {
        end(TransferOutcome::Refused);  // nothing is sent into a closed port
        return;
    }
    if (request.saveIndexes) writeProtocolFile(request.protocolFile, *request.saveIndexes);

    g_downloading = true;
    m_endSent = m_lastBlock = m_linked = m_replied = m_busy = false;
    m_retry = m_index = m_sentBlock = m_lastRequest = 0;
    switch (m_encoder.encodeProgram(*m_app.table)) {
        case EncodeStatus::Ok:
            break;
        case EncodeStatus::TooLarge:
            msg::refuse(m_sink, msg::kCodeTooLarge);
            end(TransferOutcome::Refused);
            return;
        case EncodeStatus::NoEnd:
            msg::refuse(m_sink, msg::kCodeWithoutEnd);
            end(TransferOutcome::Refused);
            return;
    }
    if (m_observer) m_observer->progressRange(m_encoder.codeEnd() + 1);

    m_active = true;
    if (m_mode2) {
        sendEnquiry();
    } else {
        m_link.setReceiveThreshold(frame::kWordWriteLength);
        sendWordWrite(0);
        if (m_observer) m_observer->downloadEnabled(false);
    }
}

void Transfer::upload() {
    if (m_active) return;
    startFresh();
    g_downloading = false;
    m_endSent = false;
    m_retry = m_index = 0;
    m_decoder.reset();
    m_uploadPrev1 = m_uploadPrev2 = -1;
    for (int r = 0; r < kListRows; ++r) {
        m_app.table->m_Instruction[static_cast<size_t>(r)].clear();
        m_app.table->m_Parameter[static_cast<size_t>(r)].clear();
    }
    m_active = true;
    // Each reply is 8 bytes; the event waits for all of them.
    m_link.setReceiveThreshold(frame::kWordReplyLength);
    requestWord(0);
}

void Transfer::cancel() {
    if (!m_active || m_cancelling) return;
    // A reply still owed to the last request may come before the one to E8.
    const bool replyOwed = m_retryTimer.active();
    m_retryTimer.stop();
    m_waitTimer.stop();
    m_waiting = m_rxDeferred = m_timerDeferred = m_discarding = false;
    m_afterWait = AfterWait::Nothing;
    if (!(g_downloading && m_mode2 && m_programForced)) {
        end(TransferOutcome::Cancelled);
        return;
    }
    m_cancelling = true;
    m_cancelSends = 1;
    m_cancelAcks = replyOwed ? 2 : 1;
    m_link.setReceiveThreshold(1);
    sendE8();
}

void Transfer::receiveWhileCancelling() {
    m_cancelAcks -= static_cast<int>(
        std::count(m_rx.begin(), m_rx.begin() + static_cast<long>(std::min(m_rxCount, m_rx.size())),
                   frame::ACK));
    if (m_cancelAcks > 0) {
        restartRetryTimer();
        return;
    }
    m_programForced = false;
    end(TransferOutcome::Cancelled);
}

// ---- events -------------------------------------------------------------

void Transfer::onReceive() {
    if (m_waiting && m_discarding) {
        m_link.readAll();  // a second answer to a request sent twice
        return;
    }
    if (m_waiting) {
        m_rxDeferred = true;  // handled once the wait is over
        return;
    }
    if (m_link.bytesWaiting() == 0) return;
    m_retryTimer.stop();
    const std::vector<uint8_t> input = m_link.readAll();
    m_rxCount = input.size();
    // Input longer than the receive buffer: only its first bytes are kept.
    std::copy_n(input.begin(), std::min(input.size(), m_rx.size()), m_rx.begin());
    if (!m_active) return;  // late bytes of a transfer that has ended
    if (!input.empty()) m_answered = true;
    if (m_cancelling)
        receiveWhileCancelling();
    else if (!g_downloading)
        receiveUpload();
    else if (m_mode2)
        receiveMode2();
    else
        receiveMode1();
}

void Transfer::onRetryTimer() {
    if (!m_active) return;
    if (m_cancelling) {
        if (m_cancelSends >= kMaxBadReplies) {
            end(TransferOutcome::Cancelled);  // E8 went unanswered: the bit may stay forced
            return;
        }
        ++m_cancelSends;
        m_cancelAcks = 1;
        sendE8();
        return;
    }
    if (m_waiting) {
        m_timerDeferred = true;
        return;
    }
    if (g_downloading)
        downloadTimerExpired();
    else
        uploadCheckFailed();  // a lost reply counts as a failed one
}

void Transfer::onWaitTimer() {
    if (!m_waiting) return;
    m_waiting = false;
    m_discarding = false;
    const AfterWait action = m_afterWait;
    m_afterWait = AfterWait::Nothing;
    if (m_active) {
        switch (action) {
            case AfterWait::Nothing:
                break;
            case AfterWait::SendWord:
                sendWordWrite(m_index);
                break;
            case AfterWait::ResendWord:
                sendWordWrite(m_index);
                clearRx(kClearedBytes);
                break;
            case AfterWait::ResendLast:
                resendLast();
                clearRx(kClearedBytes);
                break;
            case AfterWait::ActOnReply:
                if (g_downloading)
                    receiveMode2();
                else
                    receiveUpload();
                break;
        }
    }
    if (m_rxDeferred) {
        m_rxDeferred = false;
        onReceive();
    }
    if (m_timerDeferred) {
        m_timerDeferred = false;
        if (m_retryTimer.active()) return;  // a frame sent since restarted it
        onRetryTimer();
    }
}

void Transfer::onPortError(const std::string& reason) {
    m_portError = reason;
    if (m_link.isOpen()) m_link.close();
    if (!m_active) return;
    m_busy = false;
    if (m_cancelling) {
        end(TransferOutcome::Cancelled);
        return;
    }
    end(TransferOutcome::Failed);
    showError(msg::kInterruption, false);
    if (m_observer) m_observer->downloadEnabled(true);
}

void Transfer::downloadTimerExpired() {
    m_retryTimer.stop();
    if (g_timerTicks >= kMaxTimerTicks) {
        const bool busy = m_busy;
        const bool replied = m_replied;
        m_busy = false;
        m_replied = true;
        g_timerTicks = 0;
        if (busy) {
            end(TransferOutcome::Failed);
            showError(msg::kInterruption, false);
            if (m_observer) m_observer->downloadEnabled(true);
        } else if (!replied) {
            end(TransferOutcome::Failed);
            showError(msg::kConnectionTimeout, true);
            if (m_observer) m_observer->downloadEnabled(true);
        } else {
            end(TransferOutcome::EndedSilently);
        }
        return;
    }
    if (m_mode2)
        resendLast();
    else
        sendWordWrite(m_index);
    ++g_timerTicks;
}

// ---- mode 1 -------------------------------------------------------------

void Transfer::sendWordWrite(int index) {
    if (index < 0 || index >= m_encoder.codeCount()) return;
    const uint16_t word = m_encoder.code()[static_cast<size_t>(index)];
    if (word == code::kEndWordMode1) m_endSent = true;
    frame::Bytes f =
        frame::wordWrite(index, frame::transmittedValue(m_encoder.code().data(), index));
    if (f != m_wordFrame) {
        m_prevWordFrame = std::move(m_wordFrame);
        m_wordFrame = f;
    }
    sendFrame(std::move(f));
    m_replied = false;
    restartRetryTimer();
}

// The echo of a word write repeats its address and value. Input may hold
// several echoes (a late one and the one just due); the write in transfer is
// answered when any of them is its own. Echoes of the word before only are
// stale: a late reply to a frame already answered.
Transfer::Echo Transfer::classifyEcho() const {
    constexpr size_t kLength = frame::kWordWriteLength;
    constexpr size_t kFirst = 5, kLast = 13;  // address and value digits
    const size_t n = std::min(m_rxCount, m_rx.size());
    auto same = [&](size_t at, const frame::Bytes& sent) {
        return sent.size() == kLength &&
               std::equal(m_rx.begin() + static_cast<long>(at + kFirst),
                          m_rx.begin() + static_cast<long>(at + kLast), sent.begin() + kFirst);
    };
    bool stale = false;
    bool other = false;
    for (size_t at = 0; at + kLength <= n; ++at) {
        if (m_rx[at + 15] != frame::CR || m_rx[at + 16] != frame::LF) continue;
        if (same(at, m_wordFrame)) return Echo::Current;
        (same(at, m_prevWordFrame) ? stale : other) = true;
    }
    return stale && !other ? Echo::Stale : Echo::Other;
}

void Transfer::receiveMode1() {
    const Echo echo = classifyEcho();
    if (echo == Echo::Stale) {  // dropped, not counted; the timer keeps watch
        restartRetryTimer();
        return;
    }
    if (echo == Echo::Current) {
        m_replied = true;
        g_timerTicks = 0;
        if (m_endSent) {
            m_busy = false;
            m_endSent = false;
            if (m_observer) m_observer->progress(m_encoder.codeEnd() + 1);
            end(TransferOutcome::Succeeded);
            m_sink.inform(msg::kDownloadSucceed, msg::kDownloadCaption, MessageIcon::Information);
            if (m_observer) m_observer->downloadEnabled(true);
            return;
        }
        m_busy = true;
        clearRx(kClearedBytes);
        ++m_index;
        m_retry = 0;
        if (m_observer) m_observer->progress(m_index);
        waitThen(kAfterReplyWaitMs, AfterWait::SendWord);
        return;
    }
    ++m_retry;
    if (m_rx[0] == 0) {
        if (m_retry < kMaxEmptyReplies) {
            waitThen(kRetryWaitMs, AfterWait::ResendWord);
            return;
        }
        m_retry = 0;
        end(TransferOutcome::Failed);
        showError(msg::kConnectionTimeout, false);
        if (m_observer) m_observer->downloadEnabled(true);
        return;
    }
    if (m_retry < kMaxBadReplies) {
        waitThen(kRetryWaitMs, AfterWait::ResendWord);
        return;
    }
    m_retry = 0;
    end(TransferOutcome::Failed);
    showError(msg::kPacketError, true);
    if (m_observer) m_observer->downloadEnabled(true);
}

// ---- mode 2 -------------------------------------------------------------

void Transfer::sendEnquiry() {
    sendFrame(frame::enquiry());
    m_lastRequest = kEnquiryRequest;
    restartRetryTimer();
}

// The status read runs under the retry timer too, so that a lost status reply
// is asked for again instead of leaving the download waiting for ever.
void Transfer::sendStatusRead() {
    sendFrame(frame::statusRead());
    m_lastRequest = kStatusRequest;
    restartRetryTimer();
}

void Transfer::sendE7() {
    sendFrame(frame::forceOnE7());
    m_programForced = true;
    m_lastRequest = kE7Request;
    restartRetryTimer();
}

// E8 has a request kind of its own, so that a lost E8 is sent again rather
// than the last block (whose ACK would be taken for the E8's).
void Transfer::sendE8() {
    sendFrame(frame::forceOffE8());
    m_lastRequest = kE8Request;
    restartRetryTimer();
}

void Transfer::sendFinish() {
    sendFrame(frame::finish());
    m_lastRequest = kFinishRequest;
    restartRetryTimer();
}

void Transfer::sendBlock(int block) {
    const int count = m_encoder.codeCount();
    const int first = frame::kBlockWords * block;
    const int n = std::clamp(block < m_fullBlocks ? frame::kBlockWords : m_restWords, 0,
                             std::max(0, count - first));
    if (n == 0) return;
    const uint16_t* words = m_encoder.code().data() + first;
    sendFrame(frame::blockWrite(block, words, n));
    m_sentBlock = block;
    if (words[n - 1] == code::kEndWordMode2) {
        m_lastBlock = true;
        m_index = 0;
    }
    m_lastRequest = kBlockRequest;
    m_replied = false;
    restartRetryTimer();
}

// A frame that got no good reply goes out again: a block under its own number;
// a lost E8 as E8; a lost finish frame brings the E8 frame again, whose ACK
// leads to a new finish frame.
void Transfer::resendLast() {
    m_resent = true;
    switch (m_lastRequest) {
        case kEnquiryRequest:
            sendEnquiry();
            break;
        case kStatusRequest:
            sendStatusRead();
            break;
        case kE7Request:
            sendE7();
            break;
        case kBlockRequest:
            clearRx(m_rx.size());
            sendBlock(m_sentBlock);
            break;
        case kFinishRequest:
            m_lastBlock = true;
            sendE8();
            break;
        case kE8Request:
            sendE8();
            break;
        default:
            break;
    }
}

void Transfer::receiveMode2() {
    const bool ack = m_rx[0] == frame::ACK;
    const bool status = m_rx[0] == frame::STX && m_rx[3] == '5' &&
                        m_rxCount == static_cast<size_t>(frame::kStatusReplyLength);
    if ((ack || status) && settleFirst()) return;
    // The retry count holds consecutive bad replies: an accepted one resets it.
    if (ack || status) m_retry = 0;
    if (ack && !m_linked) {  // A: the enquiry was answered
        m_link.setReceiveThreshold(kStatusThreshold);
        m_replied = m_busy = true;
        clearRx(m_rx.size());
        sendStatusRead();
    } else if (ack && m_lastBlock && m_endSent) {  // B: E8 answered
        m_programForced = false;
        m_replied = m_busy = true;
        clearRx(m_rx.size());
        sendFinish();
        m_replied = false;
        m_lastBlock = false;
    } else if (ack && m_endSent) {  // C: finish answered
        m_replied = true;
        m_busy = m_linked = m_endSent = false;
        if (m_observer) m_observer->progress(m_encoder.codeEnd() + 1);
        end(TransferOutcome::Succeeded);
        m_sink.inform(msg::kDownloadSucceed, msg::kDownloadCaption, MessageIcon::Information);
        if (m_observer) m_observer->downloadEnabled(true);
    } else if (status) {  // D: the status reply
        m_linked = m_busy = true;
        clearRx(m_rx.size());
        sendE7();
        m_link.setReceiveThreshold(1);
    } else if (ack && !m_endSent) {  // E: the next block, or E8 after the last one
        m_fullBlocks = m_encoder.codeCount() / frame::kBlockWords;
        m_restWords = m_encoder.codeCount() % frame::kBlockWords;
        m_linked = m_replied = true;
        g_timerTicks = 0;
        m_busy = true;
        clearRx(m_rx.size());
        if (m_lastBlock) {
            m_endSent = true;
            sendE8();
        } else {
            const int block = m_index;
            if (m_observer)
                m_observer->progress(block < m_fullBlocks ? block * frame::kBlockWords
                                                          : m_fullBlocks * frame::kBlockWords);
            sendBlock(block);
            if (!m_lastBlock) m_index = block + 1;
            waitThen(kAfterBlockWaitMs, AfterWait::Nothing);
        }
    } else {  // F: anything else
        ++m_retry;
        if (m_retry >= kMaxBadReplies) {
            m_retry = 0;
            end(TransferOutcome::Failed);
            showError(msg::kPacketError, true);
            if (m_observer) m_observer->downloadEnabled(true);
            return;
        }
        waitThen(kRetryWaitMs, AfterWait::ResendLast);
    }
}

// ---- upload -------------------------------------------------------------

void Transfer::requestWord(int index) {
    if (m_retry > kMaxUploadRetries) {
        m_retry = 0;
        end(TransferOutcome::Failed);
        showError(msg::kRetryTimeout, false);
        return;
    }
    if (index >= kCodeWords) {  // no END in the whole code buffer
        end(TransferOutcome::Failed);
        showError(msg::kUploadWithoutEnd, false);
        return;
    }
    m_resent = m_resent || index == m_requestedWord;
    m_requestedWord = index;
    sendFrame(frame::wordRead(index));
    m_replied = true;
    restartRetryTimer();  // a lost reply is asked for again
}

void Transfer::receiveUpload() {
    // A reply that does not start with STX (an echoing line, another device,
    // noise) counts with the failed checks, so that the upload ends.
    if (m_rx[0] != frame::STX) {
        uploadCheckFailed();
        return;
    }
    const auto digits = frame::replyDigits(m_rx.data(), std::min(m_rxCount, m_rx.size()));
    if (!digits) {
        uploadCheckFailed();
        return;
    }
    if (settleFirst()) return;
    // The word travels as the download sent it: in mode 1 plain after a
    // constant marker (so constants come back whole) and from 0xE000, else
    // regrouped; in mode 2, whose blocks carry plain words, plain.
    const bool plain =
        m_mode2 || (*digits >> 12) >= 14 || frame::travelsPlain(0, m_uploadPrev1, m_uploadPrev2);
    const uint16_t word = plain ? *digits : frame::ungroup(*digits);
    // A mode-2 controller holds mode-2 code: its END word ends the upload as
    // the mode-1 END does (and the first one is where the download's code
    // ended), instead of reading the rest of the code buffer.
    const bool last = word == code::kEndWordMode1 || (m_mode2 && word == code::kEndWordMode2);
    m_decoder.DecodeWord(last ? code::kEndWordMode1 : word, *m_app.table);
    m_uploadPrev2 = m_uploadPrev1;
    m_uploadPrev1 = word;
    clearRx(kClearedBytes);
    if (last) {
        m_app.m_bUploaded = true;
        end(TransferOutcome::Uploaded);
        return;
    }
    ++m_index;
    m_retry = 0;
    if (m_observer) m_observer->progress(m_index);
    requestWord(m_index);
}

void Transfer::uploadCheckFailed() {
    m_retryTimer.stop();
    clearRx(kClearedBytes);
    ++m_retry;
    if (m_retry < kMaxUploadRetries) {
        requestWord(m_index);
        return;
    }
    m_retry = 0;
    end(TransferOutcome::Failed);
    showError(msg::kRetryTimeout, false);
}

}  // namespace rs
