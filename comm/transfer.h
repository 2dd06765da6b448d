#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "comm/code_encoder.h"
#include "comm/frames.h"
#include "comm/protocol_file.h"
#include "comm/serial_link.h"
#include "comm/upload_decoder.h"
#include "core/instruction_store.h"
#include "core/limits.h"
#include "core/message_sink.h"

namespace rs {

enum class TransferOutcome {
    None,           // nothing started, or still running
    Refused,        // stopped before anything was sent (its message shown)
    Succeeded,      // "Download Succeed !"
    Failed,         // ended with a communication error message
    EndedSilently,  // the timer gave up with no message to show
    Uploaded,       // the END word was read back
    Cancelled,      // stopped at the user's request (cancel())
};

// What the transfer tells the dialog (or a terminal) besides messages.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    virtual void downloadEnabled(bool /*enabled*/) {}
    virtual void progressRange(int /*maximum*/) {}
    virtual void progress(int /*value*/) {}
    virtual void finished(TransferOutcome /*outcome*/) {}
};

struct DownloadRequest {
    std::string port;
    SerialSettings settings;
    // The dialog's list indexes, written to the settings file before encoding.
    std::optional<ProtocolIndexes> saveIndexes;
    std::string protocolFile = kProtocolFileName;
};

// Timing and retry limits of the transfer.
constexpr int kRetryPeriodMs = 300;    // retry timer
constexpr int kAfterReplyWaitMs = 10;  // mode 1: before the next word
constexpr int kAfterBlockWaitMs = 15;  // mode 2: after each block
constexpr int kRetryWaitMs = 100;      // before a frame is sent again
constexpr int kMaxBadReplies = 3;
constexpr int kMaxEmptyReplies = 10;
constexpr int kMaxTimerTicks = 10;
constexpr int kMaxUploadRetries = 10;

// The transfer of a program to and from the controller: a state machine driven
// by the buttons (download, upload), the bytes received and two timers (the
// 300 ms retry timer and the short waits). It never blocks.
class Transfer {
  public:
    Transfer(AppStore& app, SerialLink& link, Timer& retryTimer, Timer& waitTimer,
             MessageSink& sink, TransferObserver* observer = nullptr);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Opens the port as the dialog does at its start; "cannot open serial
    // port" when it cannot.
    bool openPort(const std::string& port, const SerialSettings& settings);
    // The "Download" button.
    void download(const DownloadRequest& request);
    // The "Upload" button: the port must be open (openPort).
    void upload();
    // Stops a transfer under way at the user's request, with no message:
    // nothing more is sent, except that a mode-2 download that has forced the
    // controller's program bit (E7) sends E8 to release it and waits for its
    // answer (one retry period, three tries at most). Ends as Cancelled.
    void cancel();

    // Events, as the link and the timers raise them.
    void onReceive();
    void onRetryTimer();
    void onWaitTimer();
    // The port failed for good: the transfer under way ends at once with
    // "Communication interruption!"; the port is closed.
    void onPortError(const std::string& reason);

    bool running() const { return m_active; }
    TransferOutcome outcome() const { return m_outcome; }
    bool mode2() const { return m_mode2; }
    const CodeEncoder& encoder() const { return m_encoder; }
    // Whether any byte arrived during the last transfer started.
    bool answered() const { return m_answered; }
    // The system's reason of the port failure that ended the last transfer
    // (empty when none did).
    const std::string& portError() const { return m_portError; }

  private:
    enum class AfterWait { Nothing, SendWord, ResendWord, ResendLast, ActOnReply };
    // Mode 2: the kind of the last request, which decides what a retry sends.
    enum Request {
        kNoRequest = 0,
        kEnquiryRequest = 1,
        kStatusRequest = 2,
        kE7Request = 3,
        kBlockRequest = 4,
        kFinishRequest = 5,
        kE8Request = 6,
    };
    // Mode 1: what a reply is to the word write in transfer.
    enum class Echo { Current, Stale, Other };

    void startFresh();
    bool applySettings(const std::string& port, const SerialSettings& settings);
    void sendFrame(frame::Bytes bytes);
    void restartRetryTimer();
    void waitThen(int ms, AfterWait action);
    void clearRx(size_t bytes);
    void end(TransferOutcome outcome);
    void showError(const char* text, bool unlessErrorShowing);

    // mode 1
    void sendWordWrite(int index);
    void receiveMode1();
    Echo classifyEcho() const;
    // mode 2
    void sendEnquiry();
    void sendStatusRead();
    void sendE7();
    void sendE8();
    void sendFinish();
    void sendBlock(int block);
    void resendLast();
    void receiveMode2();
    void receiveWhileCancelling();
    bool settleFirst();
    // upload
    void requestWord(int index);
    void receiveUpload();
    void uploadCheckFailed();
    void downloadTimerExpired();

    AppStore& m_app;
    SerialLink& m_link;
    Timer& m_retryTimer;
    Timer& m_waitTimer;
    MessageSink& m_sink;
    TransferObserver* m_observer;
    const bool m_mode2;

    CodeEncoder m_encoder;
    UploadDecoder m_decoder;
    std::array<uint8_t, kSerialBufferSize> m_rx{};
    size_t m_rxCount = 0;  // bytes the last receive event delivered

    bool m_active = false;
    TransferOutcome m_outcome = TransferOutcome::None;
    bool g_downloading = false;
    int g_timerTicks = 0;
    int m_retry = 0;
    int m_index = 0;
    bool m_replied = false;
    bool m_busy = false;
    bool m_endSent = false;
    bool m_lastBlock = false;
    bool m_linked = false;
    int m_fullBlocks = 0;
    int m_restWords = 0;
    int m_lastRequest = 0;
    int m_sentBlock = 0;           // number of the block last sent
    frame::Bytes m_wordFrame;      // mode 1: the word write in transfer
    frame::Bytes m_prevWordFrame;  // and the one before it (a different word)
    bool m_programForced = false;  // mode 2: E7 sent and E8 not yet answered
    bool m_cancelling = false;     // cancel(): waiting for the answer to E8
    int m_cancelSends = 0;         // E8 frames sent since cancel()
    int m_cancelAcks = 0;          // ACKs still awaited, the E8's last
    bool m_answered = false;
    // Mode 2 and upload: the request in transfer went out more than once, so
    // its answer may come twice (replies carry nothing to tell them apart).
    bool m_resent = false;
    bool m_discarding = false;  // the wait drops what arrives
    int m_requestedWord = -1;   // upload: the word last asked for
    std::string m_portError;
    bool m_errorShowing = false;
    int m_uploadPrev1 = -1;  // the two words read before the current one
    int m_uploadPrev2 = -1;

    AfterWait m_afterWait = AfterWait::Nothing;
    bool m_waiting = false;
    bool m_rxDeferred = false;
    bool m_timerDeferred = false;
};

}  // namespace rs
