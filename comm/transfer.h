#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "comm/code_encoder.h"
#include "comm/code_read_back.h"
#include "comm/download_preparation.h"
#include "comm/link_step.h"
#include "comm/mode1_download.h"
#include "comm/mode2_download.h"
#include "comm/program_upload.h"
#include "comm/serial_link.h"
#include "comm/upload_decoder.h"
#include "core/instruction_store.h"
#include "core/message_sink.h"

namespace rs {

enum class TransferOutcome {
    None,       // nothing started, or still running
    Refused,    // stopped before anything was sent (its message shown)
    Succeeded,  // "Download Succeed !"
    Failed,     // ended with a communication error message
    Uploaded,   // the END word was read back
    Cancelled,  // stopped at the user's request (cancel())
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

// The transfer of a program to and from the controller. It runs one of the
// link protocols (link::Mode1Download, link::Mode2Download,
// link::ProgramUpload, and link::CodeReadBack for the read-back of a mode-2
// download) and carries out what they ask for on the link, the two
// timers (the 300 ms retry timer and the short waits), the message sink and
// the observer. It never blocks.
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
    // Reads the controller's program through the upload path without
    // touching the open program, after the checks and the encoding a download
    // makes first (same refusals). Ends as Uploaded with programRead() holding
    // the words read, for a comparison with the open program.
    void verify(const DownloadRequest& request);
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
    // The words (in mode 1 the transmitted digits) of the program the last
    // verify read, up to and including its END word.
    const std::vector<uint16_t>& programRead() const { return m_programRead; }

  private:
    // What the wait under way is for.
    enum class WaitKind { None, Pause, Settle };

    void startFresh();
    void start(link::Event first);
    void feed(const link::Event& event);
    void run(link::Actions actions);
    void restartRetryTimer();
    bool cancelling() const;
    void ended(link::Ending ending);
    bool heldAsSent() const;
    link::Ending decodeMode2Upload();
    void finish(link::Ending ending);
    void clearTable();
    void showError(const char* text, bool unlessErrorShowing);

    AppStore& m_app;
    SerialLink& m_link;
    Timer& m_retryTimer;
    Timer& m_waitTimer;
    MessageSink& m_sink;
    TransferObserver* m_observer;
    const bool m_mode2;

    CodeEncoder m_encoder;
    UploadDecoder m_decoder;
    std::variant<std::monostate, link::Mode1Download, link::Mode2Download, link::ProgramUpload,
                 link::CodeReadBack>
        m_protocol;
    std::vector<uint8_t> m_reply;  // the last reply, at most the receive buffer's size

    bool m_active = false;
    TransferOutcome m_outcome = TransferOutcome::None;
    bool m_answered = false;
    std::string m_portError;
    std::string m_refusal;  // why uploaded mode-2 code was refused
    bool m_errorShowing = false;
    bool m_downloading = false;  // the transfer under way is a download
    bool m_verify = false;       // the download is read back once it succeeds
    bool m_readingBack = false;  // the upload under way reads a download back
    bool m_verifying = false;    // the upload under way reads for verify()
    std::vector<uint16_t> m_programRead;

    WaitKind m_wait = WaitKind::None;
    link::AfterWait m_afterWait = link::AfterWait::Nothing;
    bool m_rxDeferred = false;
    bool m_timerDeferred = false;
};

}  // namespace rs
