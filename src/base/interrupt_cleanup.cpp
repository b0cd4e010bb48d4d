#include "base/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace tandel {

namespace {

constexpr std::size_t kSlots = 64;
std::array<std::atomic<char*>, kSlots> g_paths{};

// Only async-signal-safe calls: unlink, then the default action again.
void removeAndDie(int signal) {
    for (std::atomic<char*>& slot : g_paths) {
        if (char* path = slot.exchange(nullptr)) {
            ::unlink(path);
        }
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void installHandlers() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) {
            continue; // ignored, or somebody else's
        }
        struct sigaction action {};
        action.sa_handler = removeAndDie;
        sigemptyset(&action.sa_mask);
        (void)::sigaction(signal, &action, nullptr);
    }
}

} // namespace

TemporarySlot rememberTemporary(const std::string& path) {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
    char* copy = ::strdup(path.c_str());
    if (copy == nullptr) {
        return {};
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        char* expected = nullptr;
        if (g_paths[i].compare_exchange_strong(expected, copy)) {
            return {i};
        }
    }
    std::free(copy);
    return {};
}

void forgetTemporary(TemporarySlot slot) {
    if (!slot.index || *slot.index >= kSlots) {
        return;
    }
    std::free(g_paths[*slot.index].exchange(nullptr));
}

} // namespace tandel
