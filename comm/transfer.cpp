#include "comm/transfer.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "comm/mode2_upload.h"
#include "comm/port_opening.h"
#include "comm/settle_period.h"
#include "core/limits.h"
#include "core/messages.h"

namespace rs {

namespace {

// What each ending of a protocol shows and tells the observer.
struct EndingEffect {
    TransferOutcome outcome;
    const char* error;        // shown with caption "Error occur", or none
    bool unlessErrorShowing;  // the error is not shown over one already showing
    bool enableDownload;      // the "Download" button comes back
};

EndingEffect effectOf(link::Ending ending) {
    using link::Ending;
    switch (ending) {
        case Ending::Succeeded:
            return {TransferOutcome::Succeeded, nullptr, false, true};
        case Ending::Uploaded:
            return {TransferOutcome::Uploaded, nullptr, false, false};
        case Ending::Cancelled:
            return {TransferOutcome::Cancelled, nullptr, false, false};
        case Ending::PacketError:
            return {TransferOutcome::Failed, msg::kPacketError, true, true};
        case Ending::NoReply:
            return {TransferOutcome::Failed, msg::kConnectionTimeout, false, true};
        case Ending::NoConnection:
            return {TransferOutcome::Failed, msg::kConnectionTimeout, true, true};
        case Ending::Interrupted:
            return {TransferOutcome::Failed, msg::kInterruption, false, true};
        case Ending::RetryTimeout:
            return {TransferOutcome::Failed, msg::kRetryTimeout, false, false};
        case Ending::UploadWithoutEnd:
            return {TransferOutcome::Failed, msg::kUploadWithoutEnd, false, false};
        case Ending::ReadsDiffer:
            return {TransferOutcome::Failed, msg::kUploadReadsDiffer, false, false};
        case Ending::NotHeld:
            return {TransferOutcome::Failed, msg::kProgramNotHeld, false, true};
        case Ending::Undecodable:  // its message names the word, see finish()
            return {TransferOutcome::Failed, nullptr, false, false};
    }
    return {TransferOutcome::Failed, nullptr, false, false};
}

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

bool Transfer::openPort(const std::string& port, const SerialSettings& settings) {
    return reopenPort(m_link, port, settings, m_sink);
}

// ---- buttons ------------------------------------------------------------

void Transfer::startFresh() {
    m_outcome = TransferOutcome::None;
    m_answered = false;
    m_portError.clear();
    m_wait = WaitKind::None;
    m_rxDeferred = m_timerDeferred = false;
    m_verify = m_readingBack = m_verifying = false;
    m_programRead.clear();
}

void Transfer::download(const DownloadRequest& request) {
    if (m_active) return;
    startFresh();
    if (!prepareDownload(request, m_mode2, m_app, m_encoder, m_link, m_sink)) {
        m_outcome = TransferOutcome::Refused;
        if (m_observer) m_observer->finished(m_outcome);
        return;
    }
    if (m_observer) m_observer->progressRange(m_encoder.codeEnd() + 1);
    m_downloading = true;
    m_verify = request.verify;
    const auto first = m_encoder.code().begin();
    std::vector<uint16_t> code(first, first + m_encoder.codeCount());
    if (m_mode2)
        m_protocol.emplace<link::Mode2Download>(std::move(code), m_encoder.codeEnd());
    else
        m_protocol.emplace<link::Mode1Download>(std::move(code));
    start(link::Start{});
}

void Transfer::upload() {
    if (m_active) return;
    startFresh();
    m_downloading = false;
    m_decoder.reset();
    clearTable();
    m_protocol.emplace<link::ProgramUpload>(m_mode2);
    start(link::Start{});
}

void Transfer::verify(const DownloadRequest& request) {
    if (m_active) return;
    startFresh();
    if (!prepareDownload(request, m_mode2, m_app, m_encoder, m_link, m_sink)) {
        m_outcome = TransferOutcome::Refused;
        if (m_observer) m_observer->finished(m_outcome);
        return;
    }
    m_downloading = false;
    m_verifying = true;
    m_protocol.emplace<link::ProgramUpload>(m_mode2);
    start(link::Start{});
}

void Transfer::clearTable() {
    for (size_t r = 0; r < static_cast<size_t>(kListRows); ++r) {
        m_app.table->m_Instruction[r].clear();
        m_app.table->m_Parameter[r].clear();
    }
}

void Transfer::start(link::Event first) {
    m_active = true;
    feed(first);
}

bool Transfer::cancelling() const {
    const auto* d = std::get_if<link::Mode2Download>(&m_protocol);
    return d && d->phase() == link::Mode2Download::Phase::Cancelling;
}

void Transfer::cancel() {
    if (!m_active || cancelling()) return;
    // A reply still owed to the last request may come before the one to E8.
    const bool replyOwed = m_retryTimer.active();
    m_retryTimer.stop();
    m_waitTimer.stop();
    m_wait = WaitKind::None;
    m_rxDeferred = m_timerDeferred = false;
    feed(link::Cancel{replyOwed});
}

// ---- events -------------------------------------------------------------

// The retry timer keeps running while a reply is looked at: a frame sent
// restarts it and an answer stops it, so replies that answer nothing cannot
// hold it off.
void Transfer::onReceive() {
    if (m_wait == WaitKind::Settle) {
        m_link.readAll();  // a second answer to a request sent twice
        return;
    }
    if (m_wait == WaitKind::Pause) {
        m_rxDeferred = true;  // handled once the wait is over
        return;
    }
    if (m_link.bytesWaiting() == 0) return;
    const std::vector<uint8_t> input = m_link.readAll();
    if (!m_active || input.empty()) return;  // late bytes of a transfer that has ended
    m_answered = true;
    // Input longer than the receive buffer: only its first bytes are kept.
    m_reply.assign(input.begin(),
                   input.begin() + static_cast<long>(std::min(
                                       input.size(), static_cast<size_t>(kSerialBufferSize))));
    feed(link::Reply{m_reply});
}

void Transfer::onRetryTimer() {
    if (!m_active) return;
    if (m_wait != WaitKind::None) {
        m_timerDeferred = true;
        return;
    }
    feed(link::RetryExpired{});
}

void Transfer::onWaitTimer() {
    if (m_wait == WaitKind::None) return;
    const WaitKind kind = m_wait;
    m_wait = WaitKind::None;
    if (m_active) {
        if (kind == WaitKind::Settle)
            feed(link::Reply{m_reply});  // the settled reply is acted on now
        else
            feed(link::WaitOver{m_afterWait});
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
    if (m_active) finish(cancelling() ? link::Ending::Cancelled : link::Ending::Interrupted);
}

// ---- actions ------------------------------------------------------------

void Transfer::feed(const link::Event& event) {
    run(std::visit(
        [&](auto& protocol) -> link::Actions {
            if constexpr (std::is_same_v<std::decay_t<decltype(protocol)>, std::monostate>)
                return {};
            else
                return protocol.step(event);
        },
        m_protocol));
}

void Transfer::restartRetryTimer() {
    m_retryTimer.stop();
    m_retryTimer.start(link::kRetryPeriodMs);
}

void Transfer::run(link::Actions actions) {
    for (link::Action& action : actions) {
        if (!m_active) return;  // ended while a frame was written
        if (auto* send = std::get_if<link::Send>(&action)) {
            if (m_mode2) frame::applyMode2Sum(send->bytes);
            m_link.write(send->bytes);
            restartRetryTimer();
        } else if (std::holds_alternative<link::RestartRetry>(action)) {
            restartRetryTimer();
        } else if (std::holds_alternative<link::StopRetry>(action)) {
            m_retryTimer.stop();
        } else if (auto* threshold = std::get_if<link::Threshold>(&action)) {
            m_link.setReceiveThreshold(threshold->bytes);
        } else if (auto* wait = std::get_if<link::Wait>(&action)) {
            m_wait = WaitKind::Pause;
            m_afterWait = wait->then;
            m_waitTimer.start(wait->ms);
        } else if (auto* settle = std::get_if<link::Settle>(&action)) {
            m_wait = WaitKind::Settle;
            m_waitTimer.start(link::settlePeriodMs(m_link.settings(), settle->replyBytes) +
                              link::resendSpanMs(settle->sends));
        } else if (auto* progress = std::get_if<link::Progress>(&action)) {
            if (m_observer && !m_readingBack) m_observer->progress(progress->value);
        } else if (auto* enabled = std::get_if<link::DownloadEnabled>(&action)) {
            if (m_observer) m_observer->downloadEnabled(enabled->enabled);
        } else if (auto* word = std::get_if<link::WordRead>(&action)) {
            // Mode-2 code is decoded whole once its END word is in (see ended()).
            if (!m_readingBack && !m_verifying && !m_mode2)
                m_decoder.DecodeWord(word->word, *m_app.table);
        } else if (auto* end = std::get_if<link::Finish>(&action)) {
            ended(end->ending);
        }
    }
}

// A download that succeeded is read back before it is reported; the
// read-back decides how it ends.
void Transfer::ended(link::Ending ending) {
    using link::Ending;
    if (ending == Ending::Succeeded && m_verify) {
        m_verify = false;
        m_readingBack = true;
        // Mode 2 reads the program memory a block at a time, mode 1 (whose
        // dialect reads one word a request) through the upload's word reads.
        if (m_mode2)
            m_protocol.emplace<link::CodeReadBack>(m_encoder.codeEnd() + 1);
        else
            m_protocol.emplace<link::ProgramUpload>(false);
        feed(link::Start{});
        return;
    }
    if (m_verifying && ending == Ending::Uploaded)
        m_programRead = std::get<link::ProgramUpload>(m_protocol).digits();
    else if (m_readingBack && ending == Ending::Uploaded)
        ending = heldAsSent() ? Ending::Succeeded : Ending::NotHeld;
    else if (ending == Ending::Uploaded && m_mode2)
        ending = decodeMode2Upload();
    else if (m_readingBack && ending == Ending::ReadsDiffer)
        ending = Ending::NotHeld;
    finish(ending);
}

// Whether the words read back are those the download sent, END included: in
// mode 1 the digits each word write carried, in mode 2 the plain words.
bool Transfer::heldAsSent() const {
    const auto* block = std::get_if<link::CodeReadBack>(&m_protocol);
    const auto& read = block ? block->words() : std::get<link::ProgramUpload>(m_protocol).digits();
    const int end = m_encoder.codeEnd();
    if (read.size() != static_cast<size_t>(end + 1)) return false;
    const uint16_t* code = m_encoder.code().data();
    for (int i = 0; i <= end; ++i) {
        const uint16_t sent = m_mode2 ? code[i] : frame::transmittedValue(code, i);
        if (read[static_cast<size_t>(i)] != sent) return false;
    }
    return true;
}

// An uploaded mode-2 program becomes the list whose mode-2 encoding is the
// words read; code that no list encodes to is refused and nothing is kept.
link::Ending Transfer::decodeMode2Upload() {
    const auto& read = std::get<link::ProgramUpload>(m_protocol).digits();
    if (auto refusal = decodeMode2Program(read, *m_app.table)) {
        m_refusal = std::move(*refusal);
        return link::Ending::Undecodable;
    }
    return link::Ending::Uploaded;
}

void Transfer::finish(link::Ending ending) {
    const EndingEffect effect = effectOf(ending);
    if (ending == link::Ending::Uploaded && !m_verifying) m_app.m_bUploaded = true;
    // No list read wrong is kept; a verify leaves the open program alone.
    if (!m_verifying &&
        (ending == link::Ending::ReadsDiffer || ending == link::Ending::Undecodable))
        clearTable();
    m_active = false;
    m_outcome = effect.outcome;
    m_retryTimer.stop();
    m_waitTimer.stop();
    m_wait = WaitKind::None;
    if (m_observer) m_observer->finished(effect.outcome);
    if (ending == link::Ending::Succeeded)
        m_sink.inform(msg::kDownloadSucceed, msg::kDownloadCaption, MessageIcon::Information);
    if (effect.error) showError(effect.error, effect.unlessErrorShowing);
    if (ending == link::Ending::Undecodable) showError(m_refusal.c_str(), false);
    const bool enable =
        effect.enableDownload || (m_downloading && effect.outcome == TransferOutcome::Failed);
    if (enable && m_observer) m_observer->downloadEnabled(true);
}

void Transfer::showError(const char* text, bool unlessErrorShowing) {
    if (unlessErrorShowing && m_errorShowing) return;
    m_errorShowing = true;
    m_sink.inform(text, msg::kErrorCaption, MessageIcon::Warning);
    m_errorShowing = false;
}

}  // namespace rs
