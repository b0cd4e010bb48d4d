// A frame for benchmarks: no window, every question answered "no", nothing shown.
#pragma once

#include "merge/frame.h"

#include <string>

namespace tandel::bench {

class QuietFrame : public Frame {
public:
    void message(Severity, const std::string&) override {}
    bool confirmOverwrite(const Question&) override { return false; }
    int askPermission(const Question&) override { return kAnswerNo; }
    int askFileOrDirectory(const std::string&, const std::string&) override { return kAnswerNone; }
    int askYesNoCancel(const std::string&, const Question&) override { return kAnswerNo; }
    void postCommand(int) override {}
    void sendCommand(int) override {}
};

} // namespace tandel::bench
