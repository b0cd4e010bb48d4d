// Looks at the mapped inputs while a comparison runs: a file changed in place
// raises no fault, so its status is checked every few milliseconds, and the
// run is stopped before it writes a result made of mixed bytes.
#pragma once

#include "base/input_text.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>

namespace tandel {

class InputWatch {
public:
    // Sets `changed` once any of `texts` is no longer as it was mapped.
    InputWatch(std::span<const InputText> texts, std::atomic<bool>& changed);
    ~InputWatch();
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace tandel
