#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/device/device_memory.h"
#include "core/limits.h"

namespace rs::plcsim {

// Faults the stand-in injects into its answers.
struct FaultPlan {
    double drop = 0;        // chance that a request is lost (neither applied nor answered)
    double corrupt = 0;     // chance that one byte of an answer is changed
    long silentAfter = -1;  // answer this many requests, then none (-1: no limit)
    uint32_t seed = 1;
};

// A controller as the programming tool sees it, in mode 1 or mode 2: it takes
// the bytes of the line, finds whole frames in them and answers each as the
// controller does. Word writes and blocks of a download are stored into its
// program memory, read requests of an upload and mode-2 reads at the blocks'
// addresses are answered from it, the device
// read, write and force frames work on the device memory: bytes are stored in
// the order they arrive, bits are addressed as the device address rule gives
// them.
class Controller {
  public:
    static constexpr uint8_t NAK = 0x15;
    // A frame whose next character does not come within this gap is dropped
    // unfinished, as the controller's receiver does; the line is then free
    // for the next frame.
    static constexpr double kFrameGapMs = 100;

    explicit Controller(bool mode2, FaultPlan faults = {});

    // Bytes from the line, arrived at atMs (milliseconds on any steady
    // clock); the answer to every frame they complete.
    std::vector<uint8_t> receive(const uint8_t* data, size_t size, double atMs);
    // Bytes that follow the last ones without a gap.
    std::vector<uint8_t> receive(const uint8_t* data, size_t size) {
        return receive(data, size, m_lastByteAt);
    }
    std::vector<uint8_t> receive(const std::vector<uint8_t>& bytes) {
        return receive(bytes.data(), bytes.size());
    }

    // The program words up to and including the first END word (all words
    // written so far when there is none).
    std::vector<uint16_t> programWords() const;
    void loadProgram(const std::vector<uint16_t>& words);
    // The device memory the device frames read, write and force; a program
    // run by the stand-in works on the same image.
    device::DeviceMemory& devices() { return m_devices; }
    const device::DeviceMemory& devices() const { return m_devices; }
    bool mode2() const { return m_mode2; }

    struct Counts {
        long frames = 0;  // whole frames received
        long answered = 0;
        long dropped = 0;
        long corrupted = 0;
        long rejected = 0;  // frames with a wrong check
    };
    const Counts& counts() const { return m_counts; }

  private:
    // Length of the frame at the front of the pending bytes, 0 when it is not
    // complete yet, -1 when the front byte starts no frame.
    long frameLength() const;
    std::vector<uint8_t> answer(const std::vector<uint8_t>& f);
    std::vector<uint8_t> answerWordFrame(const std::vector<uint8_t>& f);
    std::vector<uint8_t> answerStxFrame(const std::vector<uint8_t>& f);
    std::vector<uint8_t> wordReply(int index) const;
    std::vector<uint8_t> programReply(uint32_t address, uint32_t count) const;
    void storeWord(int index, uint16_t word);

    bool m_mode2;
    FaultPlan m_faults;
    std::mt19937 m_random;
    std::vector<uint8_t> m_pending;
    double m_lastByteAt = 0;  // when the last bytes came from the line
    std::array<uint16_t, kCodeWords> m_program;
    int m_written = 0;  // highest program index written + 1
    device::DeviceMemory m_devices;
    Counts m_counts;
};

}  // namespace rs::plcsim
