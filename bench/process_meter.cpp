// process_meter: runs a command and reports its wall time and peak memory.
//
//   process_meter [--stdin FILE] [--stdout FILE] -- COMMAND [ARGS...]
//
// Without --stdout the command's standard output is read and dropped, and a
// line "first-window-shown-ns N" in it (CLOCK_MONOTONIC) is taken as the
// moment its first window appeared. With --stdout it goes to FILE
// (/dev/null, say), so that reading it costs the meter nothing. Prints one line:
//   wall_ms=W peak_rss_kb=K cpu_ms=C [first_window_ms=F] exit=E
// where C is the command's user and system CPU time, and F counts from just
// before the command was started.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

int Usage() {
    std::fprintf(stderr,
                 "Usage: process_meter [--stdin FILE] [--stdout FILE] -- COMMAND [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    const char* stdinPath = nullptr;
    const char* stdoutPath = nullptr;
    int first = 1;
    while (first < argc && std::strcmp(argv[first], "--") != 0) {
        if (std::strcmp(argv[first], "--stdin") == 0 && first + 1 < argc) {
            stdinPath = argv[first + 1];
            first += 2;
        } else if (std::strcmp(argv[first], "--stdout") == 0 && first + 1 < argc) {
            stdoutPath = argv[first + 1];
            first += 2;
        } else {
            return Usage();
        }
    }
    if (first + 1 >= argc) {
        return Usage();
    }
    char** command = argv + first + 1;

    int output[2];
    if (pipe(output) != 0) {
        std::perror("pipe");
        return 1;
    }
    const long long start = MonotonicNanoseconds();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        if (stdinPath != nullptr) {
            const int in = open(stdinPath, O_RDONLY);
            if (in < 0 || dup2(in, STDIN_FILENO) < 0) {
                std::perror(stdinPath);
                _exit(127);
            }
        }
        if (stdoutPath != nullptr) {
            const int out = open(stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || dup2(out, STDOUT_FILENO) < 0) {
                std::perror(stdoutPath);
                _exit(127);
            }
        } else {
            dup2(output[1], STDOUT_FILENO);
        }
        close(output[0]);
        close(output[1]);
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    close(output[1]);

    // Read everything; keep only the start of each line to find the marker.
    const std::string marker = "first-window-shown-ns ";
    long long shownAt = -1;
    std::string line;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = read(output[0], buffer.data(), buffer.size());
        if (n <= 0) {
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[static_cast<std::size_t>(i)];
            if (c == '\n') {
                if (shownAt < 0 && line.compare(0, marker.size(), marker) == 0) {
                    shownAt = std::atoll(line.c_str() + marker.size());
                }
                line.clear();
            } else if (line.size() < 64) {
                line += c;
            }
        }
    }
    close(output[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("wait4");
        return 1;
    }
    const long long end = MonotonicNanoseconds();
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    auto milliseconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    std::printf("wall_ms=%.1f peak_rss_kb=%ld cpu_ms=%.1f", static_cast<double>(end - start) / 1e6,
                usage.ru_maxrss, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime));
    if (shownAt >= 0) {
        std::printf(" first_window_ms=%.1f", static_cast<double>(shownAt - start) / 1e6);
    }
    std::printf(" exit=%d\n", exitCode);
    return 0;
}
