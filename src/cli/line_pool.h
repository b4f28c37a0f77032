// The threads of a batch: runs one piece of work per line of a window, on
// several threads, and returns once every line is done.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace selmarind::cli {

// Computes the lines of each window on `jobs` threads, this one among them.
// The helper threads live for the whole batch: the ephemeris configures
// itself once on each new thread, which should not be paid per window. Each
// thread takes the next line not yet taken, so a slow line holds up no
// other.
class LinePool {
public:
    // jobs: 1 or more; 1 runs every line on the calling thread.
    explicit LinePool(int jobs);
    ~LinePool();
    LinePool(const LinePool&) = delete;
    LinePool& operator=(const LinePool&) = delete;

    // Calls work(i) exactly once for each i in [0, count), in no fixed order
    // and on any of the pool's threads; returns when every call has returned.
    // Work on line i writes only what belongs to line i, so the caller reads
    // the results in line order.
    void Run(std::size_t count, const std::function<void(std::size_t)>& work);

private:
    void Drain();
    void Help();

    std::mutex mutex_;
    std::condition_variable start_; // a window is ready, or the batch is over
    std::condition_variable done_;  // every helper has finished the window
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::size_t count_ = 0;
    std::atomic<std::size_t> next_{0};
    std::size_t busy_ = 0; // helpers still on the window
    std::size_t generation_ = 0;
    bool stop_ = false;
    std::vector<std::jthread> helpers_; // last: joined before the members above go
};

} // namespace selmarind::cli
