#include "records/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

// The reason behind an errno in words a user can act on; the system's own
// wording for the rare rest.
std::string Reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "permission denied";
    case EROFS:
        return "the disk is read-only";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EFBIG:
        return "the file would be larger than the system allows";
    case EISDIR:
        return "it is a folder";
    case ENAMETOOLONG:
        return "the name is too long";
    case ELOOP:
        return "too many symbolic links lead to it";
    case EIO:
        return "the disk reported an input/output error";
    default:
        return std::generic_category().message(error);
    }
}

std::string ReadFault(const fs::path& path, const std::string& reason) {
    return "The file " + Quoted(path) + " cannot be read: " + reason + ".";
}

std::string SaveFault(const fs::path& path, const std::string& reason) {
    return "The file " + Quoted(path) + " cannot be saved: " + reason + ".";
}

// The reason a file cannot be created in `folder`.
std::string CreateReason(const fs::path& folder, int error) {
    switch (error) {
    case ENOENT:
        return "the folder " + Quoted(folder) + " does not exist";
    case ENOTDIR:
        return "a part of the path " + Quoted(folder) + " is not a folder";
    case EACCES:
    case EPERM:
        return "permission to write in the folder " + Quoted(folder) + " is denied";
    default:
        return Reason(error);
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now and reports the error close gives (some file systems report
    // a failed write only there); 0 when it succeeds.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Writes all of `text`; 0 or the errno of the write that failed.
int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A name for the new file beside the target: hidden, telling where it comes
// from, unique among concurrent saves (O_EXCL refuses a name in use). The
// target's name is shortened so that the whole stays within NAME_MAX.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    std::string base = target.filename().string();
    if (base.size() > 200) {
        base.resize(200);
    }
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u-%u-%llx.tmp", static_cast<long>(::getpid()),
                  counter.fetch_add(1), attempt, ticks & 0xFFFFFFu);
    return "." + base + suffix;
}

// The folder's entry for the new name is on the disk once the folder is
// flushed. Where a file system cannot flush a folder, the rename stands all
// the same; nothing is reported.
void FlushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileBytes ReadFileAtMost(const fs::path& path, std::size_t maxBytes) {
    FileBytes out;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        out.message = ReadFault(path, error == ENOENT ? "it does not exist" : Reason(error));
        return out;
    }
    FileDescriptor file(fd);
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && S_ISDIR(info.st_mode)) {
        out.message = ReadFault(path, "it is a folder");
        return out;
    }
    std::string bytes;
    char buffer[65536];
    // One byte beyond the limit tells a file of exactly maxBytes from a
    // longer one.
    while (bytes.size() <= maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(file.get(), buffer, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            out.message = ReadFault(path, Reason(errno));
            return out;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (bytes.size() > maxBytes) {
        bytes.resize(maxBytes);
        out.truncated = true;
    }
    out.bytes = std::move(bytes);
    return out;
}

std::optional<std::string> WriteFileAtomically(const fs::path& path, std::string_view text) {
    if (path.empty() || !path.has_filename()) {
        return SaveFault(path, "no file name is given");
    }
    // Through a symbolic link to the file it names, so that the link stays.
    fs::path target = path;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) {
            target = std::move(resolved);
        }
    }

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return SaveFault(path, "it is a folder");
    }
    if (replacing && !S_ISREG(old.st_mode)) {
        return SaveFault(path, "it is not an ordinary file but a device, pipe or socket");
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = folder / TemporaryName(target, attempt);
        // 0666: the umask takes away what it always takes from new files.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) {
            return SaveFault(path, CreateReason(folder, errno));
        }
    }
    if (fd < 0) {
        return SaveFault(path,
                         "no unused name for a temporary file was found in " + Quoted(folder));
    }
    FileDescriptor file(fd);
    const auto fail = [&](int error) {
        file.close();
        ::unlink(temporary.c_str());
        return SaveFault(path, Reason(error));
    };

    if (replacing) {
        // Best effort: the text matters more than the permission bits.
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    if (const int error = WriteAll(file.get(), text)) {
        return fail(error);
    }
    if (::fsync(file.get()) != 0) {
        return fail(errno);
    }
    if (const int error = file.close()) {
        ::unlink(temporary.c_str());
        return SaveFault(path, Reason(error));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return SaveFault(path, Reason(error));
    }
    FlushFolder(folder);
    return std::nullopt;
}

} // namespace selmarind
