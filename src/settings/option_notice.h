// What a step of the options sheet has to tell the user: nothing when it went
// through, else the message and its severity. The sheet shows it through the
// frame's message box; the core never shows anything itself.
#pragma once

#include <optional>
#include <string>

#include "frame/frame.h"

namespace tandel {

struct OptionNotice {
    Severity severity = Severity::Error;
    std::string text;
    bool operator==(const OptionNotice&) const = default;
};

// Empty: done. For an apply, a notice means the page refused and changed nothing.
using OptionResult = std::optional<OptionNotice>;

} // namespace tandel
