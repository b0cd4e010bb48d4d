// Where the core hands command ids back to the window.
#pragma once

namespace tandel {

class CommandSink {
public:
    virtual ~CommandSink() = default;

    // Posted commands run later from the event loop, sent ones now.
    virtual void postCommand(int id) = 0;
    virtual void sendCommand(int id) = 0;
};

} // namespace tandel
