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
// What the history says of a request the controller did not answer.
inline constexpr const char* kNoAnswerCondition = "no answer";

// The monitor's status line while its values are not the controller's of now.
inline constexpr const char* kNoAnswer = "No answer from the controller";
// Said once when the controller never answered a device frame: a mode-1
// controller answers none.
inline constexpr const char* kNeedsModeTwo =
    "No answer from the controller. Reading, writing and forcing devices needs a controller "
    "in mode 2.";

// Refusals of the word fields of the device test.
inline constexpr const char* kValueOutOfRange = "A word takes a value from -32768 to 65535.";
inline constexpr const char* kLengthMissing = "Enter the length in bytes, from 1 to 16.";
inline constexpr const char* kLengthTooLong =
    "At most 16 bytes (eight words) are read or written at once.";

}  // namespace rs::msg
