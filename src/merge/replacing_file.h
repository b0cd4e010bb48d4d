// Writes a file so that its old contents survive every failure: the bytes go
// to a new file in the same folder, which takes the target's name only once it
// is complete.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandel {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file next to the target (the file a symbolic link
    // points to, for a link). False when the target is a directory or its
    // folder cannot take a new file; nothing has been changed then.
    bool open(const std::string& target);
    // Buffered; false once any write has failed.
    bool write(std::string_view bytes);
    // Completes the file, moves an existing target aside to its ".bak" name
    // when `backup` is set (never deleting a backup name that is one of
    // `keep`), and renames the new file over the target with the target's
    // permissions. False when any step failed; the target then still holds
    // its old contents.
    bool commit(bool backup, const std::vector<std::string>& keep);
    // Removes the temporary file; the target is untouched.
    void discard();

private:
    bool flush();

    std::string target_;
    std::string temp_;
    std::string buffer_;
    int fd_ = -1;
    bool failed_ = false;
};

} // namespace tandel
