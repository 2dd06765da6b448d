#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "comm/transfer.h"

namespace rs::cli {

// "m:ss", or "h:mm:ss" from an hour on.
std::string clockText(double seconds);

// The progress of a transfer on standard error. On a terminal one line is
// redrawn in place: percent, words done of the total, elapsed time and time
// left. Otherwise a line is written at every tenth of the way. An upload does
// not know its total before the END word: it shows words and elapsed time,
// and writes a line every 100 words when not on a terminal.
class TransferProgress : public TransferObserver {
  public:
    TransferProgress(const char* label, bool terminal);
    void progressRange(int maximum) override;
    void progress(int value) override;
    void finished(TransferOutcome outcome) override;

    // Called once the transfer has ended.
    std::function<void()> onFinished;

    // The text of the progress at this moment (without line end).
    std::string text(double elapsedSeconds) const;

  private:
    using Clock = std::chrono::steady_clock;
    double elapsed() const;

    const char* m_label;
    bool m_terminal;
    bool m_drawn = false;
    size_t m_drawnLength = 0;  // of the line on the terminal
    int m_max = 0;             // 0: the total is not known
    int m_value = 0;
    int m_step = -1;  // the last tenth (or hundred words) written off a terminal
    Clock::time_point m_start = Clock::now();
};

}  // namespace rs::cli
