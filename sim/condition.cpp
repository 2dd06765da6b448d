#include "sim/condition.h"

#include <cctype>
#include <cstdlib>

namespace rs::sim {

namespace {

using Test = Condition::Test;

struct Comparison {
    const char* text;
    Test test;
};
// Two-character operators first, so ">=" is not read as ">".
constexpr Comparison kComparisons[] = {
    {">=", Test::GreaterOrEqual}, {"<=", Test::LessOrEqual}, {"!=", Test::NotEqual},
    {"=", Test::Equal},           {"<", Test::Less},         {">", Test::Greater},
};

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool isBit(const Watch& w) {
    return w.value.kind == Operand::Kind::Bit;
}

// The device's value as a comparison reads it: a bit 0 or 1, a word or a
// timer's or counter's current value.
int64_t valueOf(const Engine& engine, const Watch& w) {
    if (w.value.wide) return static_cast<int32_t>(engine.memory().dword(w.value.address));
    return engine.read(w.value);
}

}  // namespace

std::optional<Condition> parseCondition(const std::string& text, std::string& problem) {
    const std::string t = trimmed(text);
    size_t end = 0;
    while (end < t.size() && std::isalnum(static_cast<unsigned char>(t[end]))) ++end;
    const std::string device = t.substr(0, end);
    if (device.empty()) {
        problem = "\"" + t + "\" is no condition (as Y000 = 1, D0 >= 100, T0 on)";
        return std::nullopt;
    }
    auto watch = makeWatch(device, problem);
    if (!watch) return std::nullopt;
    Condition c;
    c.device = *watch;
    const std::string rest = trimmed(t.substr(end));
    if (rest == "on" || rest == "off") {
        if (!isBit(c.device) && !c.device.contact) {
            problem = device + " is a word: compare it (as " + device + " >= 100)";
            return std::nullopt;
        }
        c.test = rest == "on" ? Test::On : Test::Off;
        c.text = device + " " + rest;
        return c;
    }
    const Comparison* found = nullptr;
    for (const Comparison& k : kComparisons) {
        const std::string op = k.text;
        if (rest.compare(0, op.size(), op) == 0) {
            found = &k;
            break;
        }
    }
    const std::string number = found ? trimmed(rest.substr(std::string(found->text).size())) : "";
    char* stop = nullptr;
    const long v = std::strtol(number.c_str(), &stop, 10);
    if (!found || number.empty() || *stop != '\0' || v < -2147483647L - 1 || v > 2147483647L) {
        problem = "\"" + t + "\" is no condition (as Y000 = 1, D0 >= 100, T0 on)";
        return std::nullopt;
    }
    if (isBit(c.device) && v != 0 && v != 1) {
        problem = device + " is a bit: 0 or 1";
        return std::nullopt;
    }
    c.test = found->test;
    c.value = static_cast<int32_t>(v);
    c.text = device + " " + found->text + " " + number;
    return c;
}

bool holds(const Engine& engine, const Condition& c) {
    if (c.test == Test::On || c.test == Test::Off) {
        const Operand& bit = c.device.contact ? *c.device.contact : c.device.value;
        return (engine.read(bit) != 0) == (c.test == Test::On);
    }
    const int64_t v = valueOf(engine, c.device);
    switch (c.test) {
        case Test::Equal:
            return v == c.value;
        case Test::NotEqual:
            return v != c.value;
        case Test::Less:
            return v < c.value;
        case Test::LessOrEqual:
            return v <= c.value;
        case Test::Greater:
            return v > c.value;
        default:
            return v >= c.value;
    }
}

std::string observed(const Engine& engine, const Condition& c) {
    const std::string value = std::to_string(valueOf(engine, c.device));
    if (!c.device.contact) return c.device.name + " = " + value;
    return c.device.name + " = " + value + (engine.read(*c.device.contact) ? " on" : " off");
}

}  // namespace rs::sim
