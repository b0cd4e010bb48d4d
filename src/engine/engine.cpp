#include "engine/engine.h"

namespace tandel {

Engine::Engine() = default;
Engine::~Engine() = default;

int Engine::run(int, char* const*, EngineText, EngineText, MessageSink&, const EngineContext&) {
    return 2;
}

} // namespace tandel
