#include "tools/cli/qt/transfer_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace rs::cli {

namespace {
constexpr int kBarWidth = 16;       // the line stays within 80 columns
constexpr int kWordsPerLine = 100;  // off a terminal, when the total is not known
}  // namespace

std::string clockText(double seconds) {
    const long s = std::max(0L, std::lround(seconds));
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

TransferProgress::TransferProgress(const char* label, bool terminal)
    : m_label(label), m_terminal(terminal) {}

double TransferProgress::elapsed() const {
    return std::chrono::duration<double>(Clock::now() - m_start).count();
}

void TransferProgress::progressRange(int maximum) {
    m_max = std::max(0, maximum);
    m_start = Clock::now();
}

std::string TransferProgress::text(double seconds) const {
    char line[160];
    if (m_max == 0) {
        std::snprintf(line, sizeof line, "%s %d words  %s elapsed", m_label, m_value,
                      clockText(seconds).c_str());
        return line;
    }
    const int value = std::clamp(m_value, 0, m_max);
    const int percent = value * 100 / m_max;
    const std::string left =
        value > 0 ? clockText(seconds * (m_max - value) / value) + " left" : "-:-- left";
    if (!m_terminal) {
        std::snprintf(line, sizeof line, "%s %3d%%  %d/%d words  %s elapsed  %s", m_label, percent,
                      value, m_max, clockText(seconds).c_str(), left.c_str());
        return line;
    }
    const int filled = value * kBarWidth / m_max;
    std::snprintf(line, sizeof line, "%s [%s%s] %3d%%  %d/%d words  %s elapsed  %s", m_label,
                  std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(), percent, value,
                  m_max, clockText(seconds).c_str(), left.c_str());
    return line;
}

void TransferProgress::progress(int value) {
    m_value = value;
    if (m_terminal) {
        // Padded, so that a shorter line leaves nothing of a longer one.
        const std::string line = text(elapsed());
        const size_t pad = m_drawnLength > line.size() ? m_drawnLength - line.size() : 0;
        std::fprintf(stderr, "\r%s%s", line.c_str(), std::string(pad, ' ').c_str());
        std::fflush(stderr);
        m_drawn = true;
        m_drawnLength = line.size();
        return;
    }
    const int step =
        m_max > 0 ? std::clamp(m_value, 0, m_max) * 10 / m_max : m_value / kWordsPerLine;
    if (step <= m_step) return;
    m_step = step;
    std::fprintf(stderr, "%s\n", text(elapsed()).c_str());
}

void TransferProgress::finished(TransferOutcome) {
    if (m_drawn) std::fputc('\n', stderr);
    m_drawn = false;
    m_drawnLength = 0;
    if (onFinished) onFinished();
}

}  // namespace rs::cli
