// Shared by the two start-up probes: the run ends the first time the event
// loop has nothing left to do, and the phases reach standard output as
// "phase milliseconds" lines, counted from the process's start.
#pragma once

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <time.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace probe {

// Milliseconds since the process started, from the kernel's record of it.
inline double sinceStart() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    // The start time is field 22, in clock ticks since boot; the command name
    // (field 2) holds no blank here.
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double started = std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - started) *
           1000.0;
}

inline void mark(const char* phase) {
    std::printf("%s %.1f\n", phase, sinceStart());
}

// Quits once the shown window has painted and no event is left.
inline void quitWhenIdle() {
    auto* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] {
        mark("idle");
        QCoreApplication::exit(0);
    });
}

} // namespace probe
