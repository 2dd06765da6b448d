#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim/watch.h"

namespace rs::sim {

// Writes a traced run as a value change dump (IEEE 1364 VCD), the file the
// common waveform viewers read. Time is in milliseconds of the virtual clock.
// A bit is a 1-bit wire; a word is a 16-bit register (a 32-bit counter 32
// bits); a timer or counter is its value and a wire "<name>_on" for its
// contact. The header goes out at construction, the first sample dumps every
// signal, later samples only the signals that changed.
class VcdWriter {
  public:
    VcdWriter(std::ostream& out, const std::vector<Watch>& watches);

    void sample(int64_t atMs, const Engine& engine);

  private:
    struct Signal {
        Operand device;
        int width = 1;
        std::string id;
        int64_t last = 0;
    };
    std::string valueText(const Signal& s, int64_t v) const;

    std::ostream& m_out;
    std::vector<Signal> m_signals;
    bool m_dumped = false;
};

// The identifier code of the n-th signal: printable characters '!' to '~',
// more than one for the 95th signal on.
std::string vcdIdentifier(size_t n);

}  // namespace rs::sim
