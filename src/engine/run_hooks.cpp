#include "engine/run_hooks.h"

#include "engine/engine.h"

#include <algorithm>
#include <array>

namespace tandel {
namespace {

// In the order of RunPhase; the next entry is where a phase ends.
constexpr std::array<std::uint32_t, 6> kPhaseStarts{
    EngineProgress::kSplitting, EngineProgress::kClassifying, EngineProgress::kDiscarding,
    EngineProgress::kSearching, EngineProgress::kWriting,     EngineProgress::kDone};

} // namespace

void RunHooks::advance(RunPhase phase, std::uint64_t done, std::uint64_t total) const {
    if (progress_ == nullptr)
        return;
    const auto index = static_cast<std::size_t>(phase);
    const std::uint32_t start = kPhaseStarts[index];
    const std::uint32_t span = kPhaseStarts[index + 1] - start;
    const std::uint64_t part = total == 0 ? span : span * std::min(done, total) / total;
    publish(start + static_cast<std::uint32_t>(part));
}

void RunHooks::finish() const {
    publish(EngineProgress::kDone);
}

void RunHooks::publish(std::uint32_t value) const {
    if (progress_ == nullptr)
        return;
    std::uint32_t seen = progress_->load(std::memory_order_relaxed);
    while (seen < value &&
           !progress_->compare_exchange_weak(seen, value, std::memory_order_relaxed)) {
    }
}

} // namespace tandel
