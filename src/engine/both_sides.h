// Work on both inputs at once: the second input's share on a thread of its
// own, the first's on the caller's.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace tandel {

// Calls work(0) and work(1), side by side when `parallel`. Whatever either
// throws is thrown here once both have ended, the first side's first; a
// machine that cannot start a thread runs them one after the other.
template <typename Work> void forBothSides(bool parallel, Work&& work) {
    if (!parallel) {
        work(0);
        work(1);
        return;
    }
    std::exception_ptr failures[2];
    std::thread second;
    try {
        second = std::thread([&] {
            try {
                work(1);
            } catch (...) {
                failures[1] = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        work(0);
        work(1);
        return;
    }
    try {
        work(0);
    } catch (...) {
        failures[0] = std::current_exception();
    }
    second.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

} // namespace tandel
