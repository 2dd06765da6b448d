#include "tools/plcsim/program_runner.h"

#include <algorithm>

#include "comm/code_words.h"

namespace rs::plcsim {

ProgramRunner::ProgramRunner(bool mode2, device::DeviceMemory& devices)
    : m_mode2(mode2), m_decoder(mode2), m_engine(devices) {}

void ProgramRunner::update(const std::vector<uint16_t>& words, std::string& message) {
    message.clear();
    if (words == m_words) return;
    m_words = words;
    m_running = false;
    // A download in progress: the words end inside some row, and decoding
    // them would name a different word at every frame.
    if (std::find(words.begin(), words.end(), code::endWord(m_mode2)) == words.end()) {
        message = std::string("program not run: ") + ProgramDecoder::kNoEnd;
        return;
    }
    std::string problem;
    const std::vector<eval::ListRow> rows = m_decoder.decode(words, problem);
    if (!problem.empty()) {
        message = "program not run: " + problem;
        return;
    }
    sim::LoadError error;
    auto program = sim::loadProgram(rows, error);
    if (!program) {
        message = "program not run: " + error.message;
        return;
    }
    m_engine.load(std::move(*program));
    m_running = true;
    message = "running " + std::to_string(rows.size()) + " rows";
}

bool ProgramRunner::scan(int64_t elapsedMs, std::string& message) {
    if (!m_running) return true;
    if (m_engine.scan(m_engine.scans() == 0 ? 0 : elapsedMs)) return true;
    m_running = false;
    message = "program stopped at " + m_engine.stopped()->message;
    return false;
}

}  // namespace rs::plcsim
