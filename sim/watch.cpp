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

int32_t deviceValue(const Engine& engine, const Operand& device) {
    return device.wide ? static_cast<int32_t>(engine.memory().dword(device.address))
                       : engine.read(device);
}

std::string watchValue(const Engine& engine, const Watch& watch) {
    std::string text = std::to_string(deviceValue(engine, watch.value));
    if (watch.contact && engine.read(*watch.contact)) text += " on";
    return text;
}

std::string deviceValueText(const Engine& engine, const std::string& device) {
    std::string problem;
    const auto watch = makeWatch(device, problem);
    if (!watch) return {};
    return device + "=" + std::to_string(deviceValue(engine, watch->value));
}

}  // namespace rs::sim
