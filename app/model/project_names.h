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

// The lock file a running instance holds for the project at path. It is
// named after where the file really is: the device and inode of its folder
// (symbolic links followed) and its name there, so the project is one lock
// however it is reached, and a project of the same name in another folder is
// another. The folder stands in for the file because every save puts a new
// file (a new inode) in its place. Without the folder's identity (it cannot
// be read) the name comes from the absolute path.
std::string projectLockName(const std::string& path);

// "Save changes to <title>?"
std::string saveChangesQuestion(const std::string& title);

}  // namespace rs::shell
