#include "cli/input_watch.h"

#include <algorithm>
#include <chrono>

namespace tandel {

InputWatch::InputWatch(std::span<const InputText> texts, std::atomic<bool>& changed) {
    const bool anyMapped =
        std::any_of(texts.begin(), texts.end(), [](const InputText& t) { return t.isMapped(); });
    if (!anyMapped)
        return;
    thread_ = std::thread([this, texts, &changed] {
        std::unique_lock lock(mutex_);
        // A status costs a system call: a few hundred a second are nothing
        // beside a comparison large enough to be caught changing.
        while (!wake_.wait_for(lock, std::chrono::milliseconds(20), [this] { return stopping_; })) {
            const bool intact = std::all_of(texts.begin(), texts.end(),
                                            [](const InputText& t) { return t.unchanged(); });
            if (!intact) {
                changed.store(true);
                return;
            }
        }
    });
}

InputWatch::~InputWatch() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

} // namespace tandel
