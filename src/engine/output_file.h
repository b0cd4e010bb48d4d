// The engine's output stream: one file, written through a large buffer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandel {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, emptying it when `truncate`, else appending to it.
    bool open(const std::string& name, bool truncate);
    bool isOpen() const { return descriptor_ >= 0; }
    void write(std::string_view text);
    void flush();
    // Returns false when any write since open, or the close itself, failed.
    bool close();

private:
    int descriptor_ = -1;
    bool failed_ = false;
    std::vector<char> buffer_;
};

} // namespace tandel
