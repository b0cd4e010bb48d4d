// Where the windows of the program's running instances are, so that a new
// window (a second run, or each file window a directory merge starts) opens
// a step away from the newest instead of on top of it. The instances share a
// small file, one line "pid x y width height" each, the newest last; lines of
// processes that have ended are dropped whenever it is read. Plain files, no
// widgets.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "view/container_layout.h"

namespace tandel::ui {

class OpenWindows {
public:
    // An empty path keeps no record: every window is alone.
    explicit OpenWindows(std::string path) : path_(std::move(path)) {}

    // With the file locked: `place` is given the newest window of another
    // running instance (none when there is none) and returns this window's
    // rectangle, which is recorded as the newest for process `pid`.
    Rect claim(int pid, const std::function<Rect(std::optional<Rect> newest)>& place) const;

    // This instance's window is closed.
    void forget(int pid) const;

private:
    std::string path_;
};

// The file for the user's instances: in XDG_RUNTIME_DIR, else in /tmp with
// the user's id in its name.
std::string openWindowsPath(const char* runtimeDir, unsigned userId);

} // namespace tandel::ui
