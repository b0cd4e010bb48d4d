// Copy (9072): what the user selected, in a pane or in the preview, goes on
// the clipboard as UTF-8 text, each line read the way the panes read it.
#pragma once

#include "frame/frame.h"

#include <string>
#include <string_view>

namespace tandel {

class Session;

// The pane selection of the frame state when a pane holds one, else the
// preview's selection while the preview is open. A selection that gives no
// text (empty, or filler rows only) leaves the clipboard as it was.
void copyCommand(Session& app);

// The clipboard text of the preview's bytes [start, end) (end -1: to the end
// of the text). Each line is decoded as a whole, UTF-8 or else Windows-1252,
// as the panes decode it, and its characters are taken as they are, control
// characters included; a line's trailing control character is left out and
// the line feeds stay bare.
std::string previewClipboardText(std::string_view text, PreviewSelection selection);

} // namespace tandel
