#pragma once

#include <string>

// Texts of the framework's file messages (caption "CorvaneElectricPLC").
namespace rs::msg {

inline constexpr const char* kFileNotFound = "%1 was not found.";
inline constexpr const char* kFileAccessDenied = "Access to %1 was denied.";
inline constexpr const char* kFileSharingViolation =
    "Encountered a sharing violation while accessing %1.";
inline constexpr const char* kFileIsFolder = "%1 is a folder, not a project file.";
inline constexpr const char* kFailedToOpen = "Failed to open document.";
inline constexpr const char* kFailedToSave = "Failed to save document.";

inline constexpr const char* kCommentsDamaged =
    "The device comments in %1 are damaged at line %2: %3. The project opens with the comments "
    "that could be read; the file is kept until a comment is changed.";

// The message for a damaged comments file: its path, the line and the fault.
std::string commentsDamagedMessage(const std::string& path, int line, const std::string& problem);

// The message for a system error number met while opening (saving false) or
// saving a file: the error's own text with the path for %1, or the fallback.
std::string fileErrorMessage(int error, const std::string& path, bool saving);

}  // namespace rs::msg
