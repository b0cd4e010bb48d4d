// What a comparison running away from the window tells it, and how the
// window stops it: atomics shared by the two threads.
#pragma once

#include <atomic>
#include <cstdint>

namespace tandel {

enum class JobPhase : int { Idle = 0, ReadingFile1, ReadingFile2, Comparing, Done };

struct JobProgress {
    std::atomic<bool> cancel{false};
    std::atomic<int> phase{static_cast<int>(JobPhase::Idle)};
    std::atomic<std::uint32_t> permille{0}; // of the current phase

    bool cancelled() const { return cancel.load(std::memory_order_relaxed); }
    void enter(JobPhase next) {
        permille.store(0, std::memory_order_relaxed);
        phase.store(static_cast<int>(next), std::memory_order_relaxed);
    }
    void advance(std::uint64_t done, std::uint64_t total) {
        if (total > 0) {
            permille.store(static_cast<std::uint32_t>(done * 1000 / total),
                           std::memory_order_relaxed);
        }
    }
};

} // namespace tandel
