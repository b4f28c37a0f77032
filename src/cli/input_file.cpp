#include "cli/input_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind::cli {

namespace {

const char* WhatItIs(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder";
    }
    if (S_ISFIFO(mode)) {
        return "it is a FIFO (named pipe)";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device";
    }
    return "it is not a regular file";
}

} // namespace

InputFile::~InputFile() {
    ::close(fd_);
}

InputFile::int_type InputFile::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    while (error_ == 0) {
        const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
        if (got > 0) {
            setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
            return traits_type::to_int_type(*gptr());
        }
        if (got == 0) {
            break;
        }
        if (errno != EINTR) {
            error_ = errno;
        }
    }
    return traits_type::eof();
}

InputFileOrFault OpenInputFile(const std::string& path) {
    InputFileOrFault out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        out.reason = std::strerror(errno);
        return out;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        out.reason = std::strerror(errno);
        ::close(fd);
        return out;
    }
    if (!S_ISREG(status.st_mode)) {
        out.reason = WhatItIs(status.st_mode);
        ::close(fd);
        return out;
    }
    // A regular file: reads may block as usual from here on.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        out.reason = std::strerror(errno);
        ::close(fd);
        return out;
    }
    out.file = std::make_unique<InputFile>(fd);
    return out;
}

} // namespace selmarind::cli
