#include "sim/engine.h"

#include <algorithm>

#include "core/device/device_address.h"
#include "core/evaluate/rung_stack.h"

namespace rs::sim {

namespace {

uint32_t mBit(int n) {
    return *device::deviceAddress('M', static_cast<uint32_t>(n), device::AccessKind::Bit);
}

}  // namespace

void Engine::load(Program program) {
    m_program = std::move(program);
    m_stop.reset();
    m_clockMs = 0;
    m_scans = 0;
    m_run = Run{};
    m_midScan = false;
    m_breakAt.assign(m_program.rows.size(), 0);
    m_breakpoints.clear();
    m_rungStart.assign(m_program.rows.size(), 0);
    for (size_t i = 0; i < m_rungStart.size(); ++i)
        m_rungStart[i] = startsRung(m_program, static_cast<int>(i));
    m_results.assign(m_program.rows.size(), -1);
    m_lastSeen.assign(m_program.rows.size(), 0);
    m_timerMs.fill(0);
    m_timing.fill(false);
    m_timedScan.fill(-1);
    m_counterCoil.fill(false);
    m_index.fill(0);
    m_bitsNow.fill(0);
    m_bitsBefore.fill(0);
}

void Engine::setBreakpoint(int row, bool on) {
    if (row < 0 || row >= static_cast<int>(m_breakAt.size())) return;
    if ((m_breakAt[static_cast<size_t>(row)] != 0) == on) return;
    m_breakAt[static_cast<size_t>(row)] = on;
    const auto at = std::lower_bound(m_breakpoints.begin(), m_breakpoints.end(), row);
    if (on)
        m_breakpoints.insert(at, row);
    else
        m_breakpoints.erase(at);
}

bool Engine::breakpoint(int row) const {
    return row >= 0 && row < static_cast<int>(m_breakAt.size()) &&
           m_breakAt[static_cast<size_t>(row)] != 0;
}

bool Engine::fail(int row, const std::string& why) {
    m_stop = Stop{row, rowName(m_program, row) + ": " + why};
    return false;
}

bool Engine::bitNow(uint32_t a) const {
    return a / 8 < kBitImageBytes && ((m_bitsNow[a / 8] >> (a % 8)) & 1) != 0;
}

bool Engine::bitBefore(uint32_t a) const {
    return a / 8 < kBitImageBytes && ((m_bitsBefore[a / 8] >> (a % 8)) & 1) != 0;
}

void Engine::setBit(int device, bool on) {
    m_memory.setBit(mBit(device), on);
}

void Engine::startScan(int64_t elapsedMs) {
    m_clockMs += elapsedMs;
    const bool first = m_scans == 0;
    setBit(special::kRunning, true);
    setBit(special::kNotRunning, false);
    setBit(special::kFirstScan, first);
    setBit(special::kNotFirstScan, !first);
    const int64_t t = m_clockMs;
    setBit(special::kClock10ms, t % 10 < 5);
    setBit(special::kClock100ms, t % 100 < 50);
    setBit(special::kClock1s, t % 1000 < 500);
    setBit(special::kClock1min, t % 60000 < 30000);
    std::fill(m_results.begin(), m_results.end(), static_cast<int8_t>(-1));
}

void Engine::finishScan() {
    ++m_scans;
    m_bitsBefore = m_bitsNow;
    m_memory.read(0, m_bitsNow);
}

bool Engine::scan(int64_t elapsedMs) {
    if (m_stop) return false;
    if (m_midScan) return afterRows(runRows<false>(m_run, StepTo::ScanEnd)) == Halt::ScanEnd;
    startScan(std::max<int64_t>(elapsedMs, 0));
    Run run;
    run.elapsedMs = std::max<int64_t>(elapsedMs, 0);
    if (runRows<false>(run, StepTo::ScanEnd) == Halt::Stopped) return false;
    finishScan();
    return true;
}

Halt Engine::step(StepTo to, int64_t elapsedMs) {
    if (m_stop) return Halt::Stopped;
    if (!m_midScan) {
        startScan(std::max<int64_t>(elapsedMs, 0));
        m_run = Run{};
        m_run.elapsedMs = std::max<int64_t>(elapsedMs, 0);
        m_midScan = true;
        // A step into a scan shows its first row before it runs; a run halts
        // there only for a breakpoint.
        if (breakpoint(0)) return Halt::Breakpoint;
        if (to != StepTo::ScanEnd) return Halt::Row;
    }
    return afterRows(runRows<true>(m_run, to));
}

Halt Engine::afterRows(Halt halt) {
    if (halt == Halt::Row || halt == Halt::Breakpoint) return halt;
    m_midScan = false;
    m_run = Run{};
    if (halt == Halt::ScanEnd) finishScan();
    return halt;
}

template <bool Pausing>
Halt Engine::runRows(Run& run, [[maybe_unused]] StepTo to) {
    // The scan runs on a copy held in this frame; a pause stores it back.
    Run r = run;
    RungLogic& s = r.logic;
    auto& calls = r.calls;
    auto& loops = r.loops;
    int& callDepth = r.callDepth;
    int& loopDepth = r.loopDepth;
    // Where the scan is, in locals no closure refers to, so they stay in
    // registers across the calls a row makes.
    int pc = r.pc;
    int lastTurn = r.lastTurn;
    long budget = r.budget;
    const int64_t elapsedMs = r.elapsedMs;
    const auto& rows = m_program.rows;
    const int count = static_cast<int>(rows.size());

    // A stop names the row and why.
    auto stopAt = [&](int row, const std::string& why) {
        fail(row, why);
        return Halt::Stopped;
    };
    // A refusal of the rung stack stops the run at this row.
    auto refused = [&](int row, const std::optional<eval::RungRefusal>& f) {
        return !f || fail(row, eval::rungFaultText(f->fault));
    };
    // A row that stands between rungs: the rung before it must be complete.
    auto boundary = [&](int row) { return refused(row, s.boundary()); };
    // The condition of an output row, or false with the run stopped.
    auto condition = [&](int row, bool& on) {
        if (const auto f = s.output(on)) return refused(row, f);
        m_results[static_cast<size_t>(row)] = on;
        return true;
    };
    // The end of the scan's program part (FEND, END, the list's end).
    auto endOfProgram = [&](int row) {
        if (!boundary(row)) return Halt::Stopped;
        if (callDepth > 0)
            return stopAt(row, "the subroutine called at " + rowName(m_program, calls[0].row) +
                                   " has no SRET");
        if (loopDepth > 0)
            return stopAt(
                row, "FOR at " + rowName(m_program, loops[static_cast<size_t>(loopDepth) - 1].row) +
                         " has no NEXT");
        return Halt::ScanEnd;
    };

    [[maybe_unused]] bool ranOne = false;
    while (true) {
        if (pc >= count) return endOfProgram(count - 1);
        if constexpr (Pausing) {
            const size_t at = static_cast<size_t>(pc);
            if (ranOne &&
                (to == StepTo::Row || m_breakAt[at] || (to == StepTo::Rung && m_rungStart[at]))) {
                r.pc = pc;
                r.lastTurn = lastTurn;
                r.budget = budget;
                run = r;
                return m_breakAt[at] ? Halt::Breakpoint : Halt::Row;
            }
            ranOne = true;
        }
        if (--budget < 0)
            return stopAt(lastTurn, "the scan ran " + std::to_string(kMaxRowsPerScan) +
                                        " rows: a jump or loop never ends");
        const int row = pc++;
        const Instruction& in = rows[static_cast<size_t>(row)];
        int8_t& result = m_results[static_cast<size_t>(row)];
        if (isContact(in.op)) {
            const bool level = m_memory.bit(in.operands[0].address);
            bool v = level;
            switch (in.op) {
                case Op::Ldi:
                case Op::Ani:
                case Op::Ori:
                    v = !level;
                    break;
                case Op::Ldp:
                case Op::Andp:
                case Op::Orp:
                    v = level && !m_lastSeen[static_cast<size_t>(row)];
                    m_lastSeen[static_cast<size_t>(row)] = level;
                    break;
                case Op::Ldf:
                case Op::Andf:
                case Op::Orf:
                    v = !level && m_lastSeen[static_cast<size_t>(row)];
                    m_lastSeen[static_cast<size_t>(row)] = level;
                    break;
                default:
                    break;
            }
            std::optional<eval::RungRefusal> f;
            switch (in.op) {
                case Op::Ld:
                case Op::Ldi:
                case Op::Ldp:
                case Op::Ldf:
                    f = s.load(v, row);
                    break;
                case Op::And:
                case Op::Ani:
                case Op::Andp:
                case Op::Andf:
                    f = s.andWith(v);
                    break;
                default:
                    f = s.orWith(v);
                    break;
            }
            if (f) return stopAt(row, eval::rungFaultText(f->fault));
            result = s.top();
            continue;
        }
        bool on = false;
        switch (in.op) {
            case Op::Anb:
            case Op::Orb:
                if (!refused(row, s.join(in.op == Op::Anb))) return Halt::Stopped;
                result = s.top();
                break;
            case Op::Mps:
                if (!refused(row, s.push())) return Halt::Stopped;
                result = s.top();
                break;
            case Op::Mrd:
            case Op::Mpp:
                if (!refused(row, s.read(in.op == Op::Mpp))) return Halt::Stopped;
                result = s.top();
                break;
            case Op::Out:
                if (!condition(row, on)) return Halt::Stopped;
                m_memory.setBit(in.operands[0].address, on);
                break;
            case Op::OutTimer:
                if (!condition(row, on)) return Halt::Stopped;
                outTimer(in, on, elapsedMs);
                break;
            case Op::OutCounter:
                if (!condition(row, on)) return Halt::Stopped;
                outCounter(in, on);
                break;
            case Op::Set:
            case Op::Rst:
                if (!condition(row, on)) return Halt::Stopped;
                if (!on) break;
                if (in.operands[2].kind == Operand::Kind::Bit)
                    resetTimerOrCounter(in.operands[0], in.operands[2]);
                else if (in.operands[0].kind == Operand::Kind::Word)
                    write(in.operands[0], 0);
                else
                    m_memory.setBit(in.operands[0].address, in.op == Op::Set);
                break;
            case Op::NoOutput:
                if (!condition(row, on)) return Halt::Stopped;
                break;
            case Op::NoFlow:
                // EI, DI, IRET, WDT: with or without a condition, nothing happens.
                if (s.depth() > 0 && !condition(row, on)) return Halt::Stopped;
                break;
            case Op::Label:
                if (!boundary(row)) return Halt::Stopped;
                break;
            case Op::Cj:
                if (!condition(row, on)) return Halt::Stopped;
                if (on) {
                    if (in.target <= row) lastTurn = row;
                    pc = in.target;
                }
                break;
            case Op::Call:
                if (!condition(row, on)) return Halt::Stopped;
                if (!on) break;
                if (callDepth == kCallNesting)
                    return stopAt(row, "subroutine calls nest deeper than " +
                                           std::to_string(kCallNesting) + " levels");
                calls[static_cast<size_t>(callDepth++)] = {row, s};
                s = RungLogic{};
                pc = in.target;
                break;
            case Op::Sret:
                if (callDepth == 0) return stopAt(row, "SRET without a CALL");
                if (!boundary(row)) return Halt::Stopped;
                --callDepth;
                s = calls[static_cast<size_t>(callDepth)].logic;
                pc = calls[static_cast<size_t>(callDepth)].row + 1;
                break;
            case Op::For: {
                if (!boundary(row)) return Halt::Stopped;
                if (loopDepth == kForNesting)
                    return stopAt(row, "FOR loops nest deeper than " + std::to_string(kForNesting) +
                                           " levels");
                loops[static_cast<size_t>(loopDepth++)] = {row, std::max(read(in.operands[0]), 1)};
                break;
            }
            case Op::Next: {
                if (!boundary(row)) return Halt::Stopped;
                if (loopDepth == 0) return stopAt(row, "NEXT without a FOR");
                Loop& l = loops[static_cast<size_t>(loopDepth - 1)];
                if (--l.left > 0) {
                    pc = l.row + 1;
                    lastTurn = row;
                } else
                    --loopDepth;
                break;
            }
            case Op::Fend:
            case Op::End:
                return endOfProgram(row);
            default:
                if (!condition(row, on)) return Halt::Stopped;
                if (in.pulse) {
                    const bool rose = on && !m_lastSeen[static_cast<size_t>(row)];
                    m_lastSeen[static_cast<size_t>(row)] = on;
                    on = rose;
                }
                if (on && !application(row, in)) return Halt::Stopped;
                break;
        }
    }
}

void Engine::outTimer(const Instruction& in, bool on, int64_t elapsedMs) {
    const size_t n = static_cast<size_t>(in.operands[0].number);
    const uint32_t valueAt = in.operands[0].address;
    if (!on) {
        m_timing[n] = false;
        m_timerMs[n] = 0;
        m_memory.setWord(valueAt, 0);
        m_memory.setBit(in.operands[2].address, false);
        return;
    }
    const int32_t set = read(in.operands[1]);
    int32_t value = static_cast<int16_t>(m_memory.word(valueAt));
    // A timer counts time, not coil runs: a coil that runs again in the same
    // scan (a second OUT row, inside FOR, a subroutine called twice) adds
    // nothing more. A scan in which the coil does not run at all adds nothing
    // either: the timer holds while its coil is jumped over or not called.
    if (m_timing[n] && m_timedScan[n] != m_scans) {
        const int64_t total = m_timerMs[n] + elapsedMs;
        value = static_cast<int32_t>(std::min<int64_t>(value + total / 100, 32767));
        m_timerMs[n] = static_cast<int32_t>(total % 100);
    }
    m_timing[n] = true;
    m_timedScan[n] = m_scans;
    // The value stops at the set value; a set value of 0 or below holds it at 0.
    value = std::min(value, std::max(set, 0));
    m_memory.setWord(valueAt, static_cast<uint16_t>(value));
    m_memory.setBit(in.operands[2].address, value >= set);
}

void Engine::outCounter(const Instruction& in, bool on) {
    const Operand& c = in.operands[0];
    const size_t n = static_cast<size_t>(c.number);
    const bool rose = on && !m_counterCoil[n];
    m_counterCoil[n] = on;
    const int32_t set = std::max(read(in.operands[1]), 1);
    if (c.wide) {
        int32_t value = static_cast<int32_t>(m_memory.dword(c.address));
        if (rose && value < INT32_MAX) m_memory.setDword(c.address, static_cast<uint32_t>(++value));
        m_memory.setBit(in.operands[2].address, value >= set);
        return;
    }
    int32_t value = static_cast<int16_t>(m_memory.word(c.address));
    if (rose && value < set) m_memory.setWord(c.address, static_cast<uint16_t>(++value));
    m_memory.setBit(in.operands[2].address, value >= set);
}

void Engine::resetTimerOrCounter(const Operand& value, const Operand& contact) {
    if (value.letter == 'T') {
        m_timing[static_cast<size_t>(value.number)] = false;
        m_timerMs[static_cast<size_t>(value.number)] = 0;
    }
    if (value.wide)
        m_memory.setDword(value.address, 0);
    else
        m_memory.setWord(value.address, 0);
    m_memory.setBit(contact.address, false);
}

int32_t Engine::read(const Operand& op) const {
    switch (op.kind) {
        case Operand::Kind::Constant:
            return op.value;
        case Operand::Kind::Word:
            if (op.letter == 'V' || op.letter == 'Z')
                return m_index[op.address + (op.letter == 'Z' ? kIndexRegisters : 0)];
            return static_cast<int16_t>(m_memory.word(op.address));
        case Operand::Kind::Group: {
            int32_t v = 0;
            const int bits = op.digits * 4;
            for (int i = 0; i < bits; ++i)
                if (m_memory.bit(op.address + static_cast<uint32_t>(i))) v |= 1 << i;
            return bits == 16 ? static_cast<int16_t>(v) : v;
        }
        case Operand::Kind::Bit:
            return m_memory.bit(op.address) ? 1 : 0;
        default:
            return 0;
    }
}

void Engine::write(const Operand& op, int32_t value) {
    switch (op.kind) {
        case Operand::Kind::Word:
            if (op.letter == 'V' || op.letter == 'Z')
                m_index[op.address + (op.letter == 'Z' ? kIndexRegisters : 0)] =
                    static_cast<int16_t>(value);
            else if (op.wide)
                m_memory.setDword(op.address, static_cast<uint32_t>(value));
            else
                m_memory.setWord(op.address, static_cast<uint16_t>(value));
            break;
        case Operand::Kind::Group:
            for (int i = 0; i < op.digits * 4; ++i)
                m_memory.setBit(op.address + static_cast<uint32_t>(i), ((value >> i) & 1) != 0);
            break;
        case Operand::Kind::Bit:
            m_memory.setBit(op.address, value != 0);
            break;
        default:
            break;
    }
}

}  // namespace rs::sim
