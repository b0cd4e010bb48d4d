// The frame of a main window: every role the core asks for, each played by
// its own part. The parts inherit their roles virtually, so the one part
// that implements a role provides it here.
#pragma once

#include "app/file_dialogs.h"
#include "app/list_port.h"
#include "app/preview_port.h"
#include "app/print_port.h"
#include "app/search_port.h"
#include "app/window_display.h"
#include "app/window_messages.h"
#include "app/window_parts.h"
#include "frame/frame.h"

namespace tandel {

// Commands the core hands back run through the window: posted ones from its
// event loop, sent ones at once.
class WindowCommands : public virtual CommandSink {
public:
    explicit WindowCommands(WindowParts& parts) : parts_(parts) {}

    void postCommand(int id) override;
    void sendCommand(int id) override { parts_.runCommand(id); }

private:
    WindowParts& parts_;
};

// The desktop's clipboard and, where there is one, its primary selection.
class WindowClipboard : public virtual Clipboard {
public:
    void setClipboardText(const std::string& text) override;
    void setSelectionText(const std::string& text) override;
};

class WindowFrame final : public Frame,
                          public WindowMessages,
                          public FileDialogs,
                          public WindowCommands,
                          public WindowDisplay,
                          public PreviewPort,
                          public SearchPort,
                          public PrintPort,
                          public WindowClipboard,
                          public ListPort {
public:
    explicit WindowFrame(WindowParts& parts);
};

} // namespace tandel
