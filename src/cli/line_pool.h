// The threads of a batch.
#pragma once

#include "cli/chart_batch.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
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
    explicit LinePool(int jobs) {
        for (int t = 1; t < jobs; ++t) {
            helpers_.emplace_back([this] { Help(); });
        }
    }
    ~LinePool() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        start_.notify_all();
    }
    LinePool(const LinePool&) = delete;
    LinePool& operator=(const LinePool&) = delete;

    void Run(std::vector<BatchLine>& lines) {
        if (helpers_.empty() || lines.size() < 2) {
            for (BatchLine& item : lines) {
                ComputeLine(item);
            }
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            lines_ = &lines;
            next_ = 0;
            busy_ = helpers_.size();
            ++generation_;
        }
        start_.notify_all();
        Drain(lines);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        lines_ = nullptr;
    }

private:
    void Drain(std::vector<BatchLine>& lines) {
        for (std::size_t i = next_++; i < lines.size(); i = next_++) {
            ComputeLine(lines[i]);
        }
    }

    void Help() {
        std::size_t seen = 0;
        for (;;) {
            std::vector<BatchLine>* lines = nullptr;
            {
                std::unique_lock lock(mutex_);
                start_.wait(lock, [&] { return stop_ || generation_ != seen; });
                if (stop_) {
                    return;
                }
                seen = generation_;
                lines = lines_;
            }
            Drain(*lines);
            {
                const std::lock_guard lock(mutex_);
                if (--busy_ == 0) {
                    done_.notify_one();
                }
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable start_; // a window is ready, or the batch is over
    std::condition_variable done_;  // every helper has finished the window
    std::vector<BatchLine>* lines_ = nullptr;
    std::atomic<std::size_t> next_{0};
    std::size_t busy_ = 0; // helpers still on the window
    std::size_t generation_ = 0;
    bool stop_ = false;
    std::vector<std::jthread> helpers_; // last: joined before the members above go
};

} // namespace selmarind::cli
