#include "project/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>

namespace rs {

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        const int rc = ::close(fd);
        fd = -1;
        return rc;
    }
};

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

// The permissions a replaced file keeps: those of the old file, or those a
// newly created file gets under the process's umask.
mode_t permissionsFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Flushes the directory entry of a rename; failure here loses nothing that
// the rename has not already made visible, so it is not reported.
void syncDirectory(const std::filesystem::path& dir) {
    Descriptor d{::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0) ::fsync(d.fd);
}

// Follows symbolic links (also one that points to a file not there yet), so
// that the link stays and the file it names is replaced.
int followLinks(const std::string& path, std::filesystem::path& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    target = path;
    for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
        if (hops == 40) return ELOOP;
        const fs::path to = fs::read_symlink(target, ec);
        if (ec) return ec.value();
        target = to.is_absolute() ? to : target.parent_path() / to;
    }
    return 0;
}

// Whether an existing target may be replaced: a folder may not, nor a file
// that this user may not write or that grants writing to nobody (the
// superuser passes the system's own check, so the permission bits decide).
int writable(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return 0;  // a new file
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
    if (::access(target.c_str(), W_OK) != 0) return errno;
    return 0;
}

// The mark between a file's name and the six characters mkstemp adds.
constexpr const char* kSavingMark = ".saving-";

bool isSaveOf(const std::string& entry, const std::string& name) {
    const std::string prefix = name + kSavingMark;
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < entry.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(entry[i]);
        if (!std::isalnum(c)) return false;
    }
    return true;
}

void removeSavesBeside(const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!isSaveOf(it->path().filename().string(), name)) continue;
        if (it->is_regular_file(ec) && !it->is_symlink(ec)) fs::remove(it->path(), ec);
    }
}

}  // namespace

void removeStaleSaves(const std::string& path) {
    std::filesystem::path target;
    if (followLinks(path, target) == 0) removeSavesBeside(target);
}

int readWholeFile(const std::string& path, size_t maxBytes, std::string& bytes, bool& tooLarge) {
    tooLarge = false;
    Descriptor f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) return errno;
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    std::string out;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(f.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            tooLarge = true;
            return 0;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    bytes = std::move(out);
    return 0;
}

int replaceFile(const std::string& path, std::string_view bytes) {
    std::filesystem::path target;
    if (const int err = followLinks(path, target); err != 0) return err;
    if (const int err = writable(target); err != 0) return err;
    removeSavesBeside(target);
    const mode_t mode = permissionsFor(target.string());
    std::string temp = target.string() + kSavingMark + "XXXXXX";
    Descriptor f{::mkstemp(temp.data())};
    if (f.fd < 0) return errno;
    int err = writeAll(f.fd, bytes);
    if (err == 0 && ::fchmod(f.fd, mode) != 0) err = errno;
    if (err == 0 && ::fsync(f.fd) != 0) err = errno;
    if (err == 0 && f.release() != 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return err;
    }
    syncDirectory(target.parent_path());
    return 0;
}

}  // namespace rs
