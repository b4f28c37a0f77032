// Reading files that the user names, without ever opening a named pipe, a
// socket or a device as if it were a file: such an open can wait for ever
// (a FIFO with no writer) or have effects of its own (a tape, a terminal).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include <sys/types.h>

namespace selmarind {

// Owns one open file descriptor and closes it when it goes. -1 holds none.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; 0, or the errno that close gave (some file systems report
    // a failed write only there).
    int close();

private:
    int fd_ = -1;
};

// What a file of mode `mode` (st_mode) is, in a user's words with its
// article: "a folder", "a named pipe (FIFO)", "a socket", "a character
// device", "a block device", "a symbolic link", "a file".
std::string FileKindName(mode_t mode);

// The reason behind an errno in words a user can act on ("permission
// denied", "the disk is full"); the system's own wording for the rare rest.
std::string ErrorReason(int error);

// "the file "PATH"": how messages name a path.
std::string QuotedPath(const std::filesystem::path& path);

struct OpenedFile {
    FileDescriptor file; // open for reading when `reason` is empty
    int error = 0;       // the errno behind `reason`; ENOENT for a missing file
    // Why it was not opened, without the file's name: "it does not exist",
    // "it is a folder", "it is a named pipe (FIFO), not a file", ...
    std::string reason;
    // The st_mode of what the path turned out to be when it is not a regular
    // file (a folder, a FIFO, ...); 0 when it was refused for an errno.
    mode_t kind = 0;
};

// Opens `path` for reading only when it is a regular file (a symbolic link
// to one included). The path is looked at before it is opened, the open
// does not wait (O_NONBLOCK) and the opened file is looked at again, so a
// FIFO, a socket or a device is never read, even if one replaces the file
// in between. The descriptor is close-on-exec.
OpenedFile OpenRegularFile(const std::filesystem::path& path);

struct FileBytes {
    std::optional<std::string> bytes; // set when the file was read
    bool truncated = false;           // the file holds more than maxBytes
    std::string message;              // why it could not be read, when it could not
};

// The first maxBytes bytes of the regular file at `path` and whether more
// follow. A missing file, a folder, anything that is not a regular file and
// a failed read give a message: "The file "PATH" cannot be read: REASON."
FileBytes ReadFileAtMost(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace selmarind
