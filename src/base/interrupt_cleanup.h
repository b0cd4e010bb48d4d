// Files that must not outlive an interrupted run: a half-written result
// beside its target is removed when SIGINT, SIGTERM or SIGHUP ends the
// process, as it is on every normal path.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tandel {

// Removes `path` if a terminating signal arrives before forgetTemporary.
// Returns the slot to forget, empty when no slot was free (the file is then
// removed on the normal paths only). The first call installs the handlers,
// leaving a signal the process was told to ignore (nohup) ignored.
struct TemporarySlot {
    std::optional<std::size_t> index;
};
[[nodiscard]] TemporarySlot rememberTemporary(const std::string& path);
void forgetTemporary(TemporarySlot slot);

} // namespace tandel
