#include "cli/line_pool.h"

namespace selmarind::cli {

LinePool::LinePool(int jobs) {
    for (int t = 1; t < jobs; ++t) {
        helpers_.emplace_back([this] { Help(); });
    }
}

LinePool::~LinePool() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    start_.notify_all();
}

void LinePool::Run(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (helpers_.empty() || count < 2) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
        }
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        work_ = &work;
        count_ = count;
        next_ = 0;
        busy_ = helpers_.size();
        ++generation_;
    }
    start_.notify_all();
    Drain();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    work_ = nullptr;
}

void LinePool::Drain() {
    // work_ and count_ stay fixed while any thread drains: Run changes them
    // only once every helper has reported back.
    for (std::size_t i = next_++; i < count_; i = next_++) {
        (*work_)(i);
    }
}

void LinePool::Help() {
    std::size_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            start_.wait(lock, [&] { return stop_ || generation_ != seen; });
            if (stop_) {
                return;
            }
            seen = generation_;
        }
        Drain();
        {
            const std::lock_guard lock(mutex_);
            if (--busy_ == 0) {
                done_.notify_one();
            }
        }
    }
}

} // namespace selmarind::cli
