// Reading a file the tool is given (the batch, a record) so that a FIFO, a
// socket, a device or a folder given in its place is refused at once with
// what it is, instead of blocking the tool or being read as text.
#pragma once

#include <array>
#include <memory>
#include <streambuf>
#include <string>

namespace selmarind::cli {

// A file descriptor open for reading, as a stream buffer: a file that
// OpenInputFile opened, or standard input.
class InputFile : public std::streambuf {
public:
    explicit InputFile(int fd) : fd_(fd) {} // takes the descriptor over
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // errno of a read that failed; 0 while every read succeeded. A failed
    // read ends the input.
    int Error() const { return error_; }

protected:
    int_type underflow() override;

private:
    int fd_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_{};
};

struct InputFileOrFault {
    std::unique_ptr<InputFile> file; // set when the file could be opened
    std::string reason;              // otherwise: "No such file or directory", "it is a folder"
};

// Opens `path` through the files library's OpenRegularFile: a FIFO with no
// writer does not block, and anything but a regular file is refused naming
// what it is: "it is a folder", "it is a FIFO (named pipe)", "it is a
// socket", "it is a device". Other faults give the system's text ("No such
// file or directory").
InputFileOrFault OpenInputFile(const std::string& path);

} // namespace selmarind::cli
