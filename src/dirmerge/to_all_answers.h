// The remembered "to all" answers of the copy questions.
#pragma once

namespace tandel {

inline constexpr int kAskWithMessageBox = 0;
inline constexpr int kAskWithDialog = 1;
inline constexpr int kNoToAll = 2;
inline constexpr int kYesToAll = 3;

struct ToAllAnswers {
    int replace = kAskWithDialog;
    int presentOnly = kAskWithDialog;
    // Survives every directory operation of the run: never reset.
    int backupFailure = kAskWithDialog;

    // Every start of a directory operation asks afresh.
    void resetForOperation() {
        replace = kAskWithDialog;
        presentOnly = kAskWithDialog;
    }
};

} // namespace tandel
