#pragma once

#include <optional>
#include <string>

#include "sim/watch.h"

namespace rs::sim {

// A condition on one device, as "run until" and scenario expectations write
// it: "Y000 = 1", "D0 >= 100", "T0 on", "C3 off", "D5 != -2". A bit compares
// its state (0 or 1) or reads on/off; a word compares its value; a timer or
// counter compares its current value, and on/off reads its contact.
struct Condition {
    enum class Test : uint8_t {
        Equal,
        NotEqual,
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual,
        On,
        Off
    };
    Watch device;
    Test test = Test::Equal;
    int32_t value = 0;
    std::string text;  // as written, blanks made single
};

// Parses a condition; empty with what is wrong in `problem`.
std::optional<Condition> parseCondition(const std::string& text, std::string& problem);

// Whether the condition holds on the engine's devices now.
bool holds(const Engine& engine, const Condition& condition);

// What the condition's device shows now, as the condition names it: "Y001 = 1",
// "D0 = 57", "T0 = 7 off".
std::string observed(const Engine& engine, const Condition& condition);

}  // namespace rs::sim
