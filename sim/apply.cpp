// The application instructions of the scan engine: what each does to its
// operands when its rung is on.
#include "sim/engine.h"

namespace rs::sim {

namespace {

// Most elements BMOV, FMOV and ZRST move or clear in one row.
constexpr int32_t kBlockLimit = 512;

int16_t wrap(int32_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(v));
}

// 0..9999 to four BCD digits; -1 when out of range.
int32_t toBcd(int32_t v) {
    if (v < 0 || v > 9999) return -1;
    return v % 10 | v / 10 % 10 << 4 | v / 100 % 10 << 8 | v / 1000 << 12;
}

// Four BCD digits to binary; -1 when a digit is above 9.
int32_t fromBcd(int32_t v) {
    int32_t out = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const int d = (v >> shift) & 0xF;
        if (d > 9) return -1;
        out = out * 10 + d;
    }
    return out;
}

}  // namespace

bool Engine::application(int row, const Instruction& in) {
    const auto& o = in.operands;
    auto error = [&] { setBit(special::kOperationError, true); };
    switch (in.op) {
        case Op::Mov:
            write(o[1], read(o[0]));
            return true;
        case Op::Cml:
            write(o[1], ~read(o[0]));
            return true;
        case Op::Bmov:
            return moveBlock(row, in, false);
        case Op::Fmov:
            return moveBlock(row, in, true);
        case Op::Xch: {
            const int32_t a = read(o[0]);
            write(o[0], read(o[1]));
            write(o[1], a);
            return true;
        }
        case Op::Bcd: {
            const int32_t v = toBcd(read(o[0]));
            if (v < 0)
                error();
            else
                write(o[1], v);
            return true;
        }
        case Op::Bin: {
            const int32_t v = fromBcd(read(o[0]) & 0xFFFF);
            if (v < 0)
                error();
            else
                write(o[1], v);
            return true;
        }
        case Op::Add:
        case Op::Sub: {
            const int32_t v = in.op == Op::Add ? read(o[0]) + read(o[1]) : read(o[0]) - read(o[1]);
            write(o[2], wrap(v));
            setBit(special::kZero, wrap(v) == 0);
            setBit(special::kBorrow, v < -32768);
            setBit(special::kCarry, v > 32767);
            return true;
        }
        case Op::Mul: {
            const int32_t v = read(o[0]) * read(o[1]);
            write(o[2], wrap(v));
            write(o[3], wrap(v >> 16));
            return true;
        }
        case Op::Div: {
            const int32_t divisor = read(o[1]);
            if (divisor == 0) {
                error();
                return true;
            }
            const int32_t dividend = read(o[0]);
            write(o[2], wrap(dividend / divisor));
            write(o[3], wrap(dividend % divisor));
            return true;
        }
        case Op::Inc:
            write(o[0], wrap(read(o[0]) + 1));
            return true;
        case Op::Dec:
            write(o[0], wrap(read(o[0]) - 1));
            return true;
        case Op::Wand:
            write(o[2], read(o[0]) & read(o[1]));
            return true;
        case Op::Wor:
            write(o[2], read(o[0]) | read(o[1]));
            return true;
        case Op::Wxor:
            write(o[2], read(o[0]) ^ read(o[1]));
            return true;
        case Op::Neg:
            write(o[0], wrap(-read(o[0])));
            return true;
        case Op::Cmp: {
            const int32_t a = read(o[0]), b = read(o[1]);
            m_memory.setBit(o[2].address, a > b);
            m_memory.setBit(o[3].address, a == b);
            m_memory.setBit(o[4].address, a < b);
            return true;
        }
        case Op::Zcp: {
            const int32_t low = read(o[0]), high = read(o[1]), v = read(o[2]);
            m_memory.setBit(o[3].address, v < low);
            m_memory.setBit(o[4].address, v >= low && v <= high);
            m_memory.setBit(o[5].address, v > high);
            return true;
        }
        case Op::Ror:
        case Op::Rol: {
            const uint32_t v = static_cast<uint16_t>(read(o[0]));
            const int n = ((read(o[1]) % 16) + 16) % 16;
            const int right = in.op == Op::Ror ? n : (16 - n) % 16;
            write(o[0], wrap(static_cast<int32_t>((v >> right | v << (16 - right)) & 0xFFFF)));
            return true;
        }
        case Op::Zrst: {
            if (o[0].kind == Operand::Kind::Bit) {
                for (uint32_t a = o[0].address; a <= o[1].address; ++a) m_memory.setBit(a, false);
                return true;
            }
            for (int k = 0; k <= o[1].number - o[0].number; ++k) {
                const auto word = nextOperand(o[0], k);
                if (!word) break;
                const auto contact = word->letter == 'T' || word->letter == 'C'
                                         ? sameDevice(*word, Operand::Kind::Bit)
                                         : std::nullopt;
                if (contact)
                    resetTimerOrCounter(*word, *contact);
                else
                    write(*word, 0);
            }
            return true;
        }
        case Op::Smov: {
            const int32_t s = toBcd(read(o[0])), d = toBcd(read(o[3]));
            const int32_t m1 = read(o[1]), m2 = read(o[2]), n = read(o[4]);
            if (s < 0 || d < 0 || m1 < 1 || m1 > 4 || m2 < 1 || m2 > m1 || n < m2 || n > 4) {
                error();
                return true;
            }
            int32_t out = d;
            for (int i = 0; i < m2; ++i) {
                const int from = (m1 - 1 - i) * 4, to = (n - 1 - i) * 4;
                out = (out & ~(0xF << to)) | (((s >> from) & 0xF) << to);
            }
            write(o[3], fromBcd(out));
            return true;
        }
        default:
            return true;
    }
}

bool Engine::moveBlock(int row, const Instruction& in, bool fill) {
    const auto& o = in.operands;
    const int32_t n = read(o[2]);
    if (n < 0 || n > kBlockLimit)
        return fail(row, "moves " + std::to_string(n) + " words; the limit is " +
                             std::to_string(kBlockLimit));
    // Overlapping blocks move from the far end when the destination lies after
    // the source, so no word is read after it was overwritten.
    const bool backwards = !fill && o[1].letter == o[0].letter && o[1].number > o[0].number;
    for (int32_t i = 0; i < n; ++i) {
        const int k = backwards ? n - 1 - i : i;
        const auto to = nextOperand(o[1], k);
        const auto from = fill ? std::optional<Operand>(o[0]) : nextOperand(o[0], k);
        if (!to || !from) return fail(row, "the block runs past the last device");
        write(*to, read(*from));
    }
    return true;
}

}  // namespace rs::sim
