#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/device/device_memory.h"
#include "sim/engine.h"
#include "tools/plcsim/program_decoder.h"

namespace rs::plcsim {

// Runs the stand-in's program: after a download the words in program memory
// are decoded and loaded into the scan engine, which then scans over the
// stand-in's device memory, so the device test and the batch monitor see a
// live controller.
class ProgramRunner {
  public:
    ProgramRunner(bool mode2, device::DeviceMemory& devices);

    // Takes the program words (up to and including END). A program that
    // changed is decoded and loaded anew; one that is incomplete (no END yet)
    // or that the engine refuses is not run, and `message` says why (empty
    // when nothing changed or the program runs).
    void update(const std::vector<uint16_t>& words, std::string& message);

    // One scan, elapsedMs after the one before. False, with the reason in
    // `message`, when the run stopped; nothing runs until the program changes.
    bool scan(int64_t elapsedMs, std::string& message);

    bool running() const { return m_running; }
    const sim::Engine& engine() const { return m_engine; }

  private:
    bool m_mode2;
    ProgramDecoder m_decoder;
    sim::Engine m_engine;
    std::vector<uint16_t> m_words;
    bool m_running = false;
};

}  // namespace rs::plcsim
