// A frame for benchmarks: the console frame's answers, nothing written.
#pragma once

#include <ostream>

#include "control/console_frame.h"

namespace tandel::bench {

inline std::ostream& nowhere() {
    static std::ostream stream(nullptr);
    return stream;
}

class QuietFrame : public ConsoleFrame {
public:
    QuietFrame() : ConsoleFrame(nowhere()) {}
};

} // namespace tandel::bench
