// The windowed run: the check for a display, the application object of the
// toolkit, the main window and its event loop.
#pragma once

#include <functional>
#include <ostream>

namespace tandel {

class MainWindow;

// True when a window can be shown: an X or Wayland display is named, or a
// platform plugin was chosen explicitly (the offscreen one of the tests).
bool displayAvailable(const char* display, const char* waylandDisplay, const char* platform);

// What to say, on standard error, when there is no display.
void reportNoDisplay(std::ostream& errors);

// Runs the window until it closes; returns the exit code. `started` is
// called once the window has started (the start-up benchmark ends the run
// there).
int runDesktop(int argc, char* argv[], const std::function<void(MainWindow&)>& started = {});

} // namespace tandel
