#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/device/device_memory.h"
#include "core/evaluate/rung_stack.h"
#include "sim/program.h"

namespace rs::sim {

// How deep CALL and FOR may nest.
constexpr int kCallNesting = 5;
constexpr int kForNesting = 5;
// Rows one scan may run before the engine calls it a loop that never ends.
constexpr long kMaxRowsPerScan = 4'000'000;
// Bytes of the image that hold bit devices (X, Y, M, S, T and C contacts):
// the engine keeps two scans of them so a display can see what rose or fell.
constexpr uint32_t kBitImageBytes = 2048;

// Special relays the engine drives (bit addresses by the device address rule).
namespace special {
constexpr int kRunning = 8000;       // on while running
constexpr int kNotRunning = 8001;    // off while running
constexpr int kFirstScan = 8002;     // on for the first scan only
constexpr int kNotFirstScan = 8003;  // off for the first scan only
constexpr int kClock10ms = 8011;     // 10 ms clock: on for the first half of each period
constexpr int kClock100ms = 8012;
constexpr int kClock1s = 8013;
constexpr int kClock1min = 8014;
constexpr int kZero = 8020;            // ADD/SUB result was 0
constexpr int kBorrow = 8021;          // ADD/SUB result fell below -32768
constexpr int kCarry = 8022;           // ADD/SUB result rose above 32767
constexpr int kOperationError = 8067;  // DIV by zero, BCD/BIN/SMOV out of range; stays on
}  // namespace special

// Why a run stopped: the row and a message naming it.
struct Stop {
    int row = -1;
    std::string message;
};

// How far a step runs: the next row, up to the next rung's first row, or to
// the end of the scan.
enum class StepTo : uint8_t { Row, Rung, ScanEnd };

// Where a step or a run came to rest.
enum class Halt : uint8_t {
    Row,         // paused within the scan, before currentRow()
    Breakpoint,  // paused before currentRow(), which holds a breakpoint
    ScanEnd,     // the scan is complete
    Stopped,     // the program cannot go on (stopped() says why)
};

// The held result, the block stack and the point stack of the rung being run.
using RungLogic = eval::RungStack<bool>;

// The scan engine: runs a loaded program one scan at a time over a device
// memory image, on a virtual clock the caller advances. Devices live where the
// device address rule puts them, so whatever reads the image (a monitor, a
// watch table) sees what the program computed. Inputs X are the X bits of the
// image: whoever sets them (a user, a force, a script) sets the input image.
class Engine {
  public:
    explicit Engine(device::DeviceMemory& memory) : m_memory(memory) {}

    // Takes a program and starts from a cleared state: timers stopped, first
    // scan next, clock at 0. The device image is left as it is.
    void load(Program program);
    const Program& program() const { return m_program; }

    // Advances the clock by elapsedMs and runs one scan (or the rest of a
    // scan paused by step, the clock left as it is). False, with stopped()
    // set, when the program cannot go on (a stack over- or underflow, a
    // subroutine without SRET, a loop that never ends); a stopped engine runs
    // no more scans until it is loaded again.
    bool scan(int64_t elapsedMs);

    // Runs the program up to the next halt: a step from between scans starts
    // the next scan (advancing the clock by elapsedMs) and pauses before its
    // first row; a step within a scan runs at least one row, then pauses
    // before the next row (Row), the next row that starts a rung (Rung) or a
    // row holding a breakpoint, or runs to the scan's end. ScanEnd from
    // between scans runs a whole scan, halting at breakpoints.
    Halt step(StepTo to, int64_t elapsedMs);
    // Whether a scan is in progress, paused before currentRow().
    bool midScan() const { return m_midScan; }
    int currentRow() const { return m_midScan ? m_run.pc : -1; }
    // The stacks of the rung in progress (empty between scans) and how deep
    // subroutine calls and FOR loops are nested at the current row.
    const RungLogic& rungLogic() const { return m_run.logic; }
    int callDepth() const { return m_run.callDepth; }
    int loopDepth() const { return m_run.loopDepth; }

    // Breakpoints on rows: stepping and running (step) pause before such a
    // row, in any scan. scan() passes over them.
    void setBreakpoint(int row, bool on);
    bool breakpoint(int row) const;
    const std::vector<int>& breakpoints() const { return m_breakpoints; }

    const std::optional<Stop>& stopped() const { return m_stop; }
    int64_t clockMs() const { return m_clockMs; }
    int64_t scans() const { return m_scans; }

    // Per row of the last scan: 1 when the row's result was on, 0 off, -1 when
    // the row did not run or has no result (labels, FEND, ...).
    const std::vector<int8_t>& rowResults() const { return m_results; }

    device::DeviceMemory& memory() { return m_memory; }
    const device::DeviceMemory& memory() const { return m_memory; }
    // A bit at the end of the last scan and at the end of the scan before it.
    bool bitNow(uint32_t bitAddress) const;
    bool bitBefore(uint32_t bitAddress) const;

    // A word operand's value (constant, word, group) as a scan reads it, and
    // a write to a word, group or bit as a scan writes it.
    int32_t read(const Operand& op) const;
    void write(const Operand& op, int32_t value);

  private:
    struct Call {
        int row = 0;
        RungLogic logic;
    };
    struct Loop {
        int row = 0;
        int32_t left = 0;
    };
    // A scan in progress: where it is and what it holds between two rows.
    struct Run {
        RungLogic logic;
        std::array<Call, kCallNesting> calls{};
        std::array<Loop, kForNesting> loops{};
        int callDepth = 0;
        int loopDepth = 0;
        int pc = 0;
        int lastTurn = 0;  // the last row that jumped or looped back, named by a runaway scan
        long budget = kMaxRowsPerScan;
        int64_t elapsedMs = 0;
    };

    bool fail(int row, const std::string& why);
    void startScan(int64_t elapsedMs);
    void finishScan();
    // Runs rows of the scan in `run` from run.pc. Without Pausing it runs to
    // the scan's end (ScanEnd) or a stop; with it, it may pause as step says,
    // leaving run where the scan is.
    template <bool Pausing>
    Halt runRows(Run& run, StepTo to);
    // Ends the scan in progress unless rows paused it.
    Halt afterRows(Halt halt);
    void setBit(int device, bool on);
    bool application(int row, const Instruction& in);
    bool moveBlock(int row, const Instruction& in, bool fill);
    void outTimer(const Instruction& in, bool on, int64_t elapsedMs);
    void outCounter(const Instruction& in, bool on);
    void resetTimerOrCounter(const Operand& value, const Operand& contact);

    device::DeviceMemory& m_memory;
    Program m_program;
    std::optional<Stop> m_stop;
    int64_t m_clockMs = 0;
    int64_t m_scans = 0;
    Run m_run;
    bool m_midScan = false;
    std::vector<uint8_t> m_breakAt;    // per row: 1 when it holds a breakpoint
    std::vector<int> m_breakpoints;    // the rows holding one, in order
    std::vector<uint8_t> m_rungStart;  // per row: 1 when it starts a rung
    std::vector<int8_t> m_results;
    std::vector<uint8_t> m_lastSeen;  // per row: a pulse's device, or a P form's condition
    std::array<int32_t, kTimerCount> m_timerMs{};  // time counted below the next 100 ms tick
    std::array<bool, kTimerCount> m_timing{};
    std::array<int64_t, kTimerCount> m_timedScan{};  // the scan that last counted each timer
    std::array<bool, kCounterCount> m_counterCoil{};
    std::array<int16_t, kIndexRegisters * 2> m_index{};  // V0..V7, Z0..Z7
    std::array<uint8_t, kBitImageBytes> m_bitsNow{};
    std::array<uint8_t, kBitImageBytes> m_bitsBefore{};
};

}  // namespace rs::sim
