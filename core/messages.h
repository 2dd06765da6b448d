#pragma once

#include <string>

#include "core/message_sink.h"

// The system's own texts, shown to the user byte for byte.
namespace rs::msg {

inline constexpr const char* kCaption = "CV-Rungsmith";         // the program's refusals
inline constexpr const char* kErrorCaption = "Error occur";     // communication errors
inline constexpr const char* kDownloadCaption = "Download";     // download success
inline constexpr const char* kAppTitle = "CorvaneElectricPLC";  // framework messages

inline constexpr const char* kDeviceSettingWrong = "Device setting is wrong!";
inline constexpr const char* kNotCompiled =
    "Ladder has not compiled yet. Please press F4 to compile .";
inline constexpr const char* kUnconvertible =
    "There is a ladder which cannot be converted. Correct the ladder at the cursor position.";
inline constexpr const char* kStepOutOfRange = "Step number out of range!";
inline constexpr const char* kNopNotSupported = "NOP instruction is not supported .";
inline constexpr const char* kEditPositionIncorrect = "The edit position is incorrect!";
inline constexpr const char* kExceedsEditRange = "Exceeds edit range!";
inline constexpr const char* kEndCannotBeEdited = "An END instruction cannot be edited.";
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";

// "<mnemonic> instruction is not supported ."
inline std::string notSupported(const std::string& mnemonic) {
    return mnemonic + " instruction is not supported .";
}
// "Mode 2 does not support <mnemonic> instruction!"
inline std::string mode2NotSupported(const std::string& mnemonic) {
    return "Mode 2 does not support " + mnemonic + " instruction!";
}

// A refusal of the program: caption "CV-Rungsmith", information icon.
inline void refuse(MessageSink& sink, const std::string& text) {
    sink.inform(text, kCaption, MessageIcon::Information);
}

}  // namespace rs::msg
