// The engine's output stream: one file (or standard output), written through
// the file layer.
#pragma once

#include "base/file_system.h"

#include <memory>
#include <string>
#include <string_view>

namespace tandel {

class OutputFile {
public:
    // Creates the file, emptying it when `truncate`, else appending to it.
    IoStatus open(FileSystem& files, const std::string& name, bool truncate);
    // The process's standard output, which stays open after close().
    void openStandardOutput();
    // A writer the caller owns, committed by close() and written to again by
    // a later open of the same run.
    void openBorrowed(FileWriter& writer);
    bool isOpen() const { return writer_ != nullptr; }
    // A failure sticks and is reported by close().
    void write(std::string_view text);
    // Completes the output; the first failure since open, if any.
    IoStatus close();

private:
    std::unique_ptr<FileWriter> writer_;
    IoStatus failure_;
};

} // namespace tandel
