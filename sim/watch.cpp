#include "sim/watch.h"

namespace rs::sim {

std::optional<Watch> makeWatch(const std::string& device, std::string& problem) {
    if (device.empty()) {
        problem = "an empty device name";
        return std::nullopt;
    }
    const char letter = device[0];
    const bool word =
        letter == 'T' || letter == 'C' || letter == 'D' || letter == 'V' || letter == 'Z';
    auto value = parseOperand(device, word, problem);
    if (!value || (value->kind != Operand::Kind::Bit && value->kind != Operand::Kind::Word)) {
        if (value) problem = device + " is no device to watch";
        return std::nullopt;
    }
    Watch w{device, *value, std::nullopt};
    if (letter == 'T' || letter == 'C') w.contact = sameDevice(*value, Operand::Kind::Bit);
    return w;
}

std::string watchValue(const Engine& engine, const Watch& watch) {
    const int64_t v = watch.value.wide
                          ? static_cast<int32_t>(engine.memory().dword(watch.value.address))
                          : engine.read(watch.value);
    std::string text = std::to_string(v);
    if (watch.contact && engine.read(*watch.contact)) text += " on";
    return text;
}

std::string deviceValueText(const Engine& engine, const std::string& device) {
    std::string problem;
    const auto watch = makeWatch(device, problem);
    if (!watch) return {};
    const int64_t v = watch->value.wide
                          ? static_cast<int32_t>(engine.memory().dword(watch->value.address))
                          : engine.read(watch->value);
    return device + "=" + std::to_string(v);
}

}  // namespace rs::sim
