#include "project/file_messages.h"

#include <cerrno>

namespace rs::msg {

std::string fileErrorMessage(int error, const std::string& path, bool saving) {
    const char* text = nullptr;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            text = kFileNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            text = kFileAccessDenied;
            break;
        case EISDIR:
            text = kFileIsFolder;
            break;
        case ETXTBSY:
        case EBUSY:
            text = kFileSharingViolation;
            break;
        default:
            return saving ? kFailedToSave : kFailedToOpen;
    }
    std::string out = text;
    out.replace(out.find("%1"), 2, path);
    return out;
}

std::string commentsDamagedMessage(const std::string& path, int line, const std::string& problem) {
    std::string out = kCommentsDamaged;
    out.replace(out.find("%1"), 2, path);
    out.replace(out.find("%2"), 2, std::to_string(line));
    out.replace(out.find("%3"), 2, problem);
    return out;
}

}  // namespace rs::msg
