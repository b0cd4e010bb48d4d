// What a directory operation did, for the account it gives at its end.
#pragma once

#include <string>

namespace tandel {

struct OperationCount {
    int copied = 0;  // files and links written to the destination
    int merged = 0;  // differing pairs whose merged text was saved
    int skipped = 0; // declined questions, skipped pairs, unreadable entries
    int failed = 0;  // copies and folders that could not be made

    // "N copied, N merged, N skipped, N failed".
    std::string summary() const {
        return std::to_string(copied) + " copied, " + std::to_string(merged) + " merged, " +
               std::to_string(skipped) + " skipped, " + std::to_string(failed) + " failed";
    }

    // "N copied, N skipped, N failed": what Copy to Destination did.
    std::string copySummary() const {
        return std::to_string(copied) + " copied, " + std::to_string(skipped) + " skipped, " +
               std::to_string(failed) + " failed";
    }
};

} // namespace tandel
