#include "dirmerge/directory_state.h"

namespace tandel {

void startTreeCursor(DirectoryOperationState& state, const std::string& dir1,
                     const std::string& dir2, std::string& destination) {
    state.answers.resetForOperation();
    state.tally = {};
    state.cursor.start(dir1, dir2, state.filters);
    if (destination.size() > 1 && destination.back() == '/')
        destination.pop_back();
    state.pairOutputPath.clear();
    state.pairLeftPath.clear();
}

} // namespace tandel
