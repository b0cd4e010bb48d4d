#include "cli/anon_memory_probe.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace tandel {

std::uint64_t currentAnonKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0;
    char line[256];
    unsigned long long kilobytes = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "RssAnon: %llu kB", &kilobytes) == 1)
            break;
    }
    std::fclose(status);
    return kilobytes;
}

AnonMemoryProbe::AnonMemoryProbe()
    : sampler_([this] {
          // Every allocation that matters here takes far longer to fill than
          // one sampling interval.
          while (!stopped_.load(std::memory_order_relaxed)) {
              peak_ = std::max(peak_, currentAnonKilobytes());
              std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
      }) {}

AnonMemoryProbe::~AnonMemoryProbe() {
    (void)stop();
}

std::uint64_t AnonMemoryProbe::stop() {
    if (sampler_.joinable()) {
        stopped_.store(true, std::memory_order_relaxed);
        sampler_.join();
        peak_ = std::max(peak_, currentAnonKilobytes());
    }
    return peak_;
}

} // namespace tandel
