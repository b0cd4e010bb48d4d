// The caller's cancel flag and progress sink as the stages of one comparison
// see them.
#pragma once

#include <atomic>
#include <cstdint>

namespace tandel {

// Thrown at a checkpoint once the caller asked the run to stop, and caught at
// the engine's entry: a stop deep inside a stage needs no status threaded
// through every loop on its way out.
struct RunCancelled {};

// The phases of one two-file comparison, in order.
enum class RunPhase { Lines, Classes, Discards, Search, Script };

class RunHooks {
public:
    RunHooks() = default;
    RunHooks(const std::atomic<bool>* cancel, std::atomic<std::uint32_t>* progress)
        : cancel_(cancel), progress_(progress) {}

    bool cancelled() const {
        return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed);
    }
    void checkpoint() const {
        if (cancelled())
            throw RunCancelled{};
    }
    bool wantsProgress() const { return progress_ != nullptr; }

    // `done` of `total` units of the phase; any thread may report, and the
    // sink only ever grows.
    void advance(RunPhase phase, std::uint64_t done, std::uint64_t total) const;
    void finish() const;

    // The same cancel flag without progress: for the pairs of a directory
    // walk, whose phases would make the progress run backwards.
    RunHooks withoutProgress() const { return RunHooks(cancel_, nullptr); }

private:
    void publish(std::uint32_t value) const;

    const std::atomic<bool>* cancel_ = nullptr;
    std::atomic<std::uint32_t>* progress_ = nullptr;
};

} // namespace tandel
