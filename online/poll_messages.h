#pragma once

// The texts of a live display of the controller's devices, shown byte for byte.
namespace rs::msg {

// While requests go unanswered.
inline constexpr const char* kControllerSilent = "No answer from the controller";
// The monitor started with no port saved.
inline constexpr const char* kNoPortChosen =
    "No port is chosen: choose one in Online > Transfer setup.";

}  // namespace rs::msg
