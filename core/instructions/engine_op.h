#pragma once

#include <cstdint>

namespace rs {

// What the scan engine does with a row. Each instruction names its operation;
// OUT of a timer or counter becomes OutTimer or OutCounter once the engine has
// read its operand.
enum class EngineOp : uint8_t {
    // contacts: operand 0 is the bit
    Ld,
    Ldi,
    Ldp,
    Ldf,
    And,
    Ani,
    Andp,
    Andf,
    Or,
    Ori,
    Orp,
    Orf,
    // blocks and the point stack
    Anb,
    Orb,
    Mps,
    Mrd,
    Mpp,
    // outputs of bits, timers, counters
    Out,
    OutTimer,
    OutCounter,
    Set,
    Rst,
    // program flow
    Label,
    End,
    Fend,
    Cj,
    Call,
    Sret,
    For,
    Next,
    // rows that do nothing here: EI, DI, IRET, WDT (flow) and RS, PRR, PRW (outputs)
    NoFlow,
    NoOutput,
    // application instructions
    Mov,
    Cml,
    Bmov,
    Fmov,
    Xch,
    Bcd,
    Bin,
    Add,
    Sub,
    Mul,
    Div,
    Inc,
    Dec,
    Wand,
    Wor,
    Wxor,
    Neg,
    Cmp,
    Zcp,
    Ror,
    Rol,
    Zrst,
    Smov,
};

}  // namespace rs
