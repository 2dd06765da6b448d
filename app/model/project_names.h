#pragma once

#include <string>

namespace rs::shell {

inline constexpr const char* kDeleteUnconverted =
    "Ladder not unconverted. Are you sure you want to delete the unconverted ladder?";
inline constexpr const char* kSaveProjectQuestion = "Do you want to save the project?";
inline constexpr const char* kFailedToCreateDocument = "Failed to create empty document.";
inline constexpr const char* kAlreadyOpen = "程序已打开！";

// The main window's caption while a project is open: with brackets while the
// project window is maximized.
std::string captionFor(const std::string& title, bool maximized);

// The name under which a project shows in other instances: the file name,
// without its last four characters when it contains ".epj".
std::string projectShownName(const std::string& fileName);

// The lock file a running instance holds for a project it shows.
std::string projectLockName(const std::string& fileName);

// "Save changes to <title>?"
std::string saveChangesQuestion(const std::string& title);

}  // namespace rs::shell
