// The tool's standard output, written straight to its file descriptor so
// that a write that fails (a full disk, a closed descriptor) is seen with
// its reason instead of being lost.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>

namespace selmarind::cli {

class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int fd) : fd_(fd) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // errno of the first write that failed; 0 while every write succeeded.
    // After a failure nothing more is written.
    int Error() const { return error_; }

    // The descriptor written to; -1 once closed.
    int Descriptor() const { return fd_; }

    // Writes what is held and closes the descriptor; errno of the first
    // failure of a write or of close(), 0 when all went well.
    int Close();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    int fd_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_{};
};

// Whether the file at `path` (links followed) is the regular file that
// `out` writes to, so that replacing it would lose the output.
bool IsOutputFile(const std::ostream& out, const std::string& path);

// Flushes `out`; the reason it could not take all its text ("No space left
// on device"), or nothing when it did.
std::optional<std::string> OutputFault(std::ostream& out);

// "selmarind-chart: cannot write the output: <reason>"
std::string CannotWriteMessage(const std::string& reason);

} // namespace selmarind::cli
