#include "online/ladder_spans.h"

#include <algorithm>

#include "sim/ladder_values.h"

namespace rs::online {

namespace {

constexpr int kGroupDigitBits = 4;

bool joinsNextRow(const LadderGrid& grid, int row) {
    for (int c = 1; c <= kOutputCol; ++c)
        if (grid.has(row, c, kVerticalBits)) return true;
    return false;
}

void addWatch(std::vector<ByteSpan>& out, const std::string& device) {
    std::string problem;
    if (const auto w = sim::makeWatch(device, problem)) {
        const std::vector<ByteSpan> spans = watchSpans(*w);
        out.insert(out.end(), spans.begin(), spans.end());
    }
}

}  // namespace

std::optional<ByteSpan> operandSpan(const sim::Operand& op) {
    switch (op.kind) {
        case sim::Operand::Kind::Bit:
            return ByteSpan{op.address / 8, 1};
        case sim::Operand::Kind::Group: {
            const uint32_t last =
                op.address + static_cast<uint32_t>(op.digits * kGroupDigitBits) - 1;
            return ByteSpan{op.address / 8, last / 8 - op.address / 8 + 1};
        }
        case sim::Operand::Kind::Word:
            if (op.letter == 'V' || op.letter == 'Z') return std::nullopt;
            return ByteSpan{op.address, op.wide ? 4u : 2u};
        default:
            return std::nullopt;
    }
}

std::vector<ByteSpan> watchSpans(const sim::Watch& watch) {
    std::vector<ByteSpan> out;
    if (const auto s = operandSpan(watch.value)) out.push_back(*s);
    if (watch.contact)
        if (const auto s = operandSpan(*watch.contact)) out.push_back(*s);
    return out;
}

std::vector<ByteSpan> programSpans(const sim::Program& program) {
    std::vector<ByteSpan> out;
    for (const sim::Instruction& in : program.rows)
        for (const sim::Operand& op : in.operands) {
            if (const auto s = operandSpan(op)) out.push_back(*s);
            // A timer's or counter's value and its contact go together.
            if (op.kind == sim::Operand::Kind::Word && (op.letter == 'T' || op.letter == 'C'))
                if (const auto contact = sim::sameDevice(op, sim::Operand::Kind::Bit))
                    if (const auto s = operandSpan(*contact)) out.push_back(*s);
        }
    return out;
}

RowRange rungRows(const LadderGrid& grid, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, kGridRows - 1);
    if (first > last) return {};
    while (first > 0 && joinsNextRow(grid, first - 1)) --first;
    while (last + 1 < kGridRows && joinsNextRow(grid, last)) ++last;
    return {first, last};
}

std::vector<ByteSpan> ladderSpans(const LadderGrid& grid, int first, int last) {
    const RowRange rows = rungRows(grid, first, last);
    std::vector<ByteSpan> out;
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = 1; c <= kOutputCol; ++c) {
            const std::string contact = sim::contactDevice(grid, r, c);
            if (!contact.empty()) {
                std::string problem;
                if (const auto op = sim::parseOperand(contact, false, problem))
                    if (const auto s = operandSpan(*op)) out.push_back(*s);
            }
            for (const std::string& w : sim::shownWordDevices(grid, r, c)) addWatch(out, w);
        }
    }
    return out;
}

}  // namespace rs::online
