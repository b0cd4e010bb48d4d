// For the benchmarks: the most private (anonymous) memory the process held
// while the probe ran, sampled from /proc/self/status. Mapped file pages are
// shared with the page cache and do not count.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace tandel {

class AnonMemoryProbe {
public:
    AnonMemoryProbe();
    ~AnonMemoryProbe();
    AnonMemoryProbe(const AnonMemoryProbe&) = delete;
    AnonMemoryProbe& operator=(const AnonMemoryProbe&) = delete;

    // Stops sampling and gives the peak in kB.
    std::uint64_t stop();

private:
    std::atomic<bool> stopped_{false};
    std::uint64_t peak_ = 0;
    std::thread sampler_;
};

// RssAnon of /proc/self/status in kB, 0 when it cannot be read.
std::uint64_t currentAnonKilobytes();

} // namespace tandel
