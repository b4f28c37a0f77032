#include "cli/input_file.h"

#include "files/regular_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind::cli {

namespace {

// The tool's words for what a refused path is; the windows word it their
// own way through the files library.
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
    OpenedFile opened = OpenRegularFile(path);
    if (!opened.file.valid()) {
        out.reason = opened.kind != 0 ? WhatItIs(opened.kind) : std::strerror(opened.error);
        return out;
    }
    out.file = std::make_unique<InputFile>(opened.file.release());
    return out;
}

} // namespace selmarind::cli
