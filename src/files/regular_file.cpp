#include "files/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind {

namespace fs = std::filesystem;

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.release();
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    close();
}

int FileDescriptor::close() {
    if (fd_ < 0) {
        return 0;
    }
    const int fd = release();
    // Linux frees the descriptor even when close fails, EINTR included: no
    // retry.
    return ::close(fd) == 0 ? 0 : errno;
}

std::string FileKindName(mode_t mode) {
    switch (mode & S_IFMT) {
    case S_IFDIR:
        return "a folder";
    case S_IFIFO:
        return "a named pipe (FIFO)";
    case S_IFSOCK:
        return "a socket";
    case S_IFCHR:
        return "a character device";
    case S_IFBLK:
        return "a block device";
    case S_IFLNK:
        return "a symbolic link";
    case S_IFREG:
        return "a file";
    default:
        return "a special file";
    }
}

std::string ErrorReason(int error) {
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
    case ENOENT:
        return "it does not exist";
    default:
        return std::generic_category().message(error);
    }
}

std::string QuotedPath(const fs::path& path) {
    // Appended, not prepended to a temporary, which GCC 12 misreads (-Wrestrict).
    std::string quoted = "\"";
    quoted += path.string();
    quoted += '"';
    return quoted;
}

namespace {

// The reason a file of mode `mode` is not read or replaced.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder";
    }
    return "it is " + FileKindName(mode) + ", not a file";
}

} // namespace

OpenedFile OpenRegularFile(const fs::path& path) {
    OpenedFile out;
    const auto refuse = [&out](int error, std::string reason) {
        out.file = FileDescriptor();
        out.error = error;
        out.reason = std::move(reason);
        return std::move(out);
    };
    // Looked at first, so that a FIFO or a device is not even opened.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        return refuse(errno, ErrorReason(errno));
    }
    if (!S_ISREG(before.st_mode)) {
        out.kind = before.st_mode;
        return refuse(S_ISDIR(before.st_mode) ? EISDIR : EINVAL, NotAFile(before.st_mode));
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return refuse(errno, ErrorReason(errno));
    }
    out.file = FileDescriptor(fd);
    // The path may have been replaced between the look and the open.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        return refuse(errno, ErrorReason(errno));
    }
    if (!S_ISREG(opened.st_mode)) {
        out.kind = opened.st_mode;
        return refuse(S_ISDIR(opened.st_mode) ? EISDIR : EINVAL, NotAFile(opened.st_mode));
    }
    // Reads of a regular file never wait anyway; the flag goes so that the
    // descriptor behaves as an ordinary one wherever it is handed.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return out;
}

FileBytes ReadFileAtMost(const fs::path& path, std::size_t maxBytes) {
    FileBytes out;
    const auto fault = [&out, &path](const std::string& reason) {
        out.bytes.reset();
        out.message = "The file " + QuotedPath(path) + " cannot be read: " + reason + ".";
        return std::move(out);
    };
    OpenedFile opened = OpenRegularFile(path);
    if (!opened.file.valid()) {
        return fault(opened.reason);
    }
    std::string bytes;
    char buffer[65536];
    // One byte beyond the limit tells a file of exactly maxBytes from a
    // longer one.
    while (bytes.size() <= maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(opened.file.get(), buffer, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fault(ErrorReason(errno));
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

} // namespace selmarind
