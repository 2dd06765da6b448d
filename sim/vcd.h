#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim/trace_history.h"

namespace rs::sim {

// Writes a traced run as a value change dump (IEEE 1364 VCD), the file the
// common waveform viewers read. Time is in milliseconds of the virtual clock.
// The signals are those of the trace history: a bit is a 1-bit wire; a word
// is a 16-bit register (a 32-bit counter 32 bits); a timer or counter is its
// value and a wire "<name>_on" for its contact. The header goes out at
// construction, the first sample dumps every signal, later samples only the
// signals that changed.
class VcdWriter {
  public:
    VcdWriter(std::ostream& out, const std::vector<Watch>& watches);

    void sample(int64_t atMs, const Engine& engine);

  private:
    std::string valueText(size_t signal, int32_t v) const;

    std::ostream& m_out;
    TraceHistory m_history;  // each signal's present value: what changed is written
    std::vector<std::string> m_ids;
    bool m_dumped = false;
};

// The identifier code of the n-th signal: printable characters '!' to '~',
// more than one for the 95th signal on.
std::string vcdIdentifier(size_t n);

}  // namespace rs::sim
