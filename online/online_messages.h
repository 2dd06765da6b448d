#pragma once

// The texts of the device test and the batch monitor, shown byte for byte.
namespace rs::msg {

inline constexpr const char* kWrongDevice = "Please Inter the right Device";
inline constexpr const char* kWrongDeviceCaption = "Error";
inline constexpr const char* kDeviceIncorrect = "The Device is incorrect.";
inline constexpr const char* kMissionError = "MissionErr";

// What the history says a request did.
inline constexpr const char* kForceOn = "Force on";
inline constexpr const char* kForceOff = "Force off";
inline constexpr const char* kWordWrite = " WORD WRITE";
inline constexpr const char* kWordRead = "WORD READ";

}  // namespace rs::msg
