#pragma once

#include <string>

// The texts of the transfer to the controller, shown byte for byte.
namespace rs::msg {

inline constexpr const char* kCannotOpenPort = "cannot open serial port";
inline constexpr const char* kConnectionTimeout = "Communication connection timeout!";
inline constexpr const char* kPacketError = "Packet Receive Packet Error!";
inline constexpr const char* kInterruption = "Communication interruption!";
inline constexpr const char* kRetryTimeout =
    "Communication Retry Time out,please check your device";
inline constexpr const char* kDownloadSucceed = "Download Succeed !";
// A port box left empty.
inline constexpr const char* kNoPort = "No port is chosen";
// A download stopped before its end.
inline constexpr const char* kPartialProgram =
    "Download stopped: the controller holds a partial program; download it again.";

// Refusals of a program the code buffer cannot take.
inline constexpr const char* kCodeTooLarge =
    "The program needs more than 8000 code words and cannot be downloaded.";
inline constexpr const char* kCodeWithoutEnd =
    "The program has no END instruction and cannot be downloaded.";
// An upload that found no END word in the whole code buffer.
inline constexpr const char* kUploadWithoutEnd =
    "No END instruction within 8000 code words; the upload stops.";
// The read-back after a download found other words than those sent.
inline constexpr const char* kProgramNotHeld =
    "The controller does not hold the program that was sent.";
// An upload read twice (some read had to be sent again) came back different.
inline constexpr const char* kUploadReadsDiffer =
    "The controller's answers differed when the program was read a second time; nothing was "
    "uploaded.";

// A port that fails after it opened. A failed read (a pseudo-terminal whose
// other end closed, an adapter pulled out) or a port the system took away
// means the line hung up; the system's own text then names whatever call
// noticed it last ("Inappropriate ioctl for device"), not what happened. A
// failed write keeps the system's reason.
inline constexpr const char* kPortHungUp =
    "The port hung up: the device at its other end was closed or removed.";
enum class PortFailure { Gone, ReadFailed, WriteFailed };
inline std::string portFailureReason(PortFailure failure, const std::string& systemText) {
    if (failure == PortFailure::WriteFailed) return "Writing to the port failed: " + systemText;
    return kPortHungUp;
}

}  // namespace rs::msg
