#pragma once

#include <optional>
#include <string>

#include "sim/engine.h"

namespace rs::sim {

// A device a user watches or sets by name: a bit (X000, M8000), a word (D0,
// V1), or a timer or counter, which is watched by its current value and its
// contact.
struct Watch {
    std::string name;
    Operand value;                   // the bit, word, or timer/counter value
    std::optional<Operand> contact;  // a timer's or counter's contact
};

std::optional<Watch> makeWatch(const std::string& device, std::string& problem);

// The value of a watched bit or word: a 32-bit counter's whole value, any
// other word as a scan reads it.
int32_t deviceValue(const Engine& engine, const Operand& device);

// What a watch shows: "1" or "0" for a bit, the value of a word, "12" or
// "10 on" (value, contact closed) for a timer or counter.
std::string watchValue(const Engine& engine, const Watch& watch);

// "T0=12", "D0=-3", "Y000=1": a device with its value, as the ladder shows
// it under an operand; empty when the text names no device the engine holds.
std::string deviceValueText(const Engine& engine, const std::string& device);

}  // namespace rs::sim
