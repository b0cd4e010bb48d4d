// What the window says about where the user is: the status bar (the place
// among the differences, how each file is written) and the caption naming
// the files compared.
#pragma once

#include "app/window_parts.h"

class QLabel;

namespace tandel {

class WindowStatus {
public:
    explicit WindowStatus(WindowParts& parts) : parts_(parts) {}

    // Builds the status bar, shown or hidden as the settings say.
    void setUp();
    void toggle();
    void update();
    void updateCaption();

private:
    WindowParts& parts_;
    QLabel* differences_ = nullptr;
    QLabel* sides_ = nullptr;
};

} // namespace tandel
