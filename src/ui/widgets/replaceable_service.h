// A service of the program that a test may replace: the message boxes, the
// web-page opener, the random draw, the clock of the update reminder. Callers
// ask for the one in use, which is the real one unless a replacement is
// installed.
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace selmarind {

// `Interface` is what callers use; `Real` (Interface itself, or a class
// derived from it) is built with the service and kept for its whole life,
// so that its state (a seeded generator, say) outlasts a replacement.
template <typename Interface, typename Real = Interface> class ReplaceableService {
public:
    template <typename... RealArgs>
    explicit ReplaceableService(RealArgs&&... realArgs)
        : real_(std::forward<RealArgs>(realArgs)...) {}
    ReplaceableService(const ReplaceableService&) = delete;
    ReplaceableService& operator=(const ReplaceableService&) = delete;

    // The replacement where one is installed, the real one otherwise.
    Interface& get() { return replacement_ ? *replacement_ : real_; }

    // Installs `replacement`, which the service owns from then on; nullptr
    // restores the real one.
    void replace(std::unique_ptr<Interface> replacement) { replacement_ = std::move(replacement); }

private:
    Real real_;
    std::unique_ptr<Interface> replacement_;
};

// The replacement for a service that is a plain function; an empty function
// gives nullptr, which restores the real one.
template <typename Signature>
std::unique_ptr<std::function<Signature>> FunctionReplacement(std::function<Signature> function) {
    if (!function) {
        return nullptr;
    }
    return std::make_unique<std::function<Signature>>(std::move(function));
}

} // namespace selmarind
