#include "merge/session.h"

namespace tandel {

void requestQuit(Session& session, int exitCode) {
    session.frameState.quitRequested = true;
    session.frameState.exitCode = exitCode;
}

} // namespace tandel
