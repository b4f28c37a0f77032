#include "cli/output_check.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind::cli {

bool DescriptorOutput::Drain() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (written >= 0) {
            next += written;
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    // Text that could not be written is dropped: the failure is reported once.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync() {
    return Drain() ? 0 : -1;
}

int DescriptorOutput::Close() {
    Drain();
    if (fd_ >= 0) {
        // A file system may report a failed write only when the file closes.
        if (::close(fd_) != 0 && error_ == 0 && errno != EINTR) {
            error_ = errno;
        }
        fd_ = -1;
    }
    return error_;
}

bool IsOutputFile(const std::ostream& out, const std::string& path) {
    const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
    struct stat output {};
    struct stat file {};
    return descriptor && descriptor->Descriptor() >= 0 &&
           ::fstat(descriptor->Descriptor(), &output) == 0 && S_ISREG(output.st_mode) &&
           ::stat(path.c_str(), &file) == 0 && file.st_dev == output.st_dev &&
           file.st_ino == output.st_ino;
}

std::optional<std::string> OutputFault(std::ostream& out) {
    out.flush();
    if (out.good()) {
        return std::nullopt;
    }
    if (const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
        descriptor && descriptor->Error() != 0) {
        return std::strerror(descriptor->Error());
    }
    return std::string("the output stream failed");
}

std::string CannotWriteMessage(const std::string& reason) {
    return "selmarind-chart: cannot write the output: " + reason;
}

} // namespace selmarind::cli
