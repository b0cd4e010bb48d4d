// The commands that need no window: comparing, saving, merge decisions,
// navigation and search. The window's own dispatcher hands these ids here.
#pragma once

namespace tandel {

class Application;

// Runs command `id`. Returns false for an id this dispatcher does not own
// (the caller then handles it or ignores it).
bool dispatchCommand(Application& app, int id);

} // namespace tandel
