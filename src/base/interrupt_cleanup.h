// Files that must not outlive an interrupted run: a half-written result
// beside its target is removed when SIGINT, SIGTERM or SIGHUP ends the
// process, as it is on every normal path.
#pragma once

#include <string>

namespace tandel {

// Removes `path` if a terminating signal arrives before forgetTemporary.
// Returns the slot to forget, or -1 when no slot was free (the file is then
// removed on the normal paths only). The first call installs the handlers,
// leaving a signal the process was told to ignore (nohup) ignored.
int rememberTemporary(const std::string& path);
void forgetTemporary(int slot);

} // namespace tandel
