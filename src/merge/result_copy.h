// After "Files are identical" the merged result is file 1 itself: saving copies it.
#pragma once

#include <string>
#include <vector>

namespace tandel {

class Frame;

// Copies source to target (into it, when target is a directory), asking before
// it replaces an existing file and backing that file up first. Returns 0 when
// copied or skipped, 1 after an error message.
int CopyResultFile(Frame& frame, const std::string& source, const std::string& target,
                   const std::vector<std::string>& keep);

} // namespace tandel
