// The flags the toolbar's check buttons show and flip: table mode (24),
// differences only (25), ignored comments (26) and, in the directory window,
// "Recursive" (41001). The comparison modes take effect at the next
// comparison; the panes keep showing the last one.
#pragma once

namespace tandel {

class Application;

// The flag a check button shows; false for any other id.
[[nodiscard]] bool toolbarFlag(const Application& app, int id);

// Flips the flag of a check button and returns true; false for any other id.
// In directory window mode 25 flips "Directory Diffs Only" and refills the
// lists, elsewhere "Diffs Only".
[[nodiscard]] bool flipToolbarFlag(Application& app, int id);

} // namespace tandel
