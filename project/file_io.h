#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rs {

// Reads a whole file. Returns 0 or the system error number; tooLarge is set
// (and nothing read) when the file holds more than maxBytes.
int readWholeFile(const std::string& path, size_t maxBytes, std::string& bytes, bool& tooLarge);

// Replaces the file at path with bytes: they go to a new file beside it
// (NAME.saving-XXXXXX), which is flushed to the disk and then renamed over
// path. Until that rename the old file stays as it was; on any failure the new
// file is removed again. A file that path names through a symbolic link is
// replaced where the link points. A file nobody may write (no write
// permission for this user, or none at all) is refused with EACCES and a
// folder with EISDIR, as a direct write would be, before anything is written.
// Returns 0 or the system error number.
int replaceFile(const std::string& path, std::string_view bytes);

// Removes what saves of the file at path (links followed) left behind when
// they were killed before their rename: the NAME.saving-XXXXXX files beside
// it. Nothing else is touched, and failures are ignored: the files are only
// clutter.
void removeStaleSaves(const std::string& path);

}  // namespace rs
