#include "engine/engine.h"

#include "engine/compare_operands.h"
#include "engine/engine_run.h"
#include "engine/options.h"
#include "engine/run_hooks.h"

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace tandel {

Engine::Engine() = default;
Engine::~Engine() = default;

EngineStatus Engine::run(int argc, char* const* argv, EngineText first, EngineText second,
                         MessageSink& sink, const EngineContext& context) {
    if (context.progress != nullptr)
        context.progress->store(0, std::memory_order_relaxed);
    const RunHooks hooks(context.cancel, context.progress);
    const EngineStatus status = runOnce(argc, argv, first, second, sink, context);
    if (status != EngineStatus::Cancelled)
        hooks.finish();
    return status;
}

EngineStatus Engine::runOnce(int argc, char* const* argv, EngineText first, EngineText second,
                             MessageSink& sink, const EngineContext& context) {
    try {
        ParsedArguments parsed =
            parseEngineArguments(argc, argv, std::getenv("POSIXLY_CORRECT") != nullptr);
        // An -o before a bad option has already taken effect, as in a
        // sequential parse.
        if (parsed.outputGiven)
            outputName_ = std::move(parsed.outputName);
        if (parsed.status == ParseStatus::Ambiguous)
            sink.engineMessage("Error #1\n");
        if (parsed.status != ParseStatus::Ok || parsed.operands.size() != 2) {
            sink.engineMessage("Error #2");
            return EngineStatus::UsageError;
        }
        EngineRun state(sink, context, first, second, outputName_);
        state.toStandardOutput = context.standardOutputByDefault && !parsed.outputGiven;
        state.toCallersWriter = context.output != nullptr && !parsed.outputGiven;
        state.options = parsed.options;
        Verdict status = Verdict::Same;
        try {
            status = compareOperands(state, std::string(), parsed.operands[0], std::string(),
                                     parsed.operands[1], 0);
        } catch (const RunCancelled&) {
            // What a walk finished stays written; nothing of the pair it was at.
            if (state.output.isOpen())
                state.finishOutput();
            return EngineStatus::Cancelled;
        }
        if (state.output.isOpen())
            state.finishOutput();
        // A missing or incomplete result must not pass for a comparison.
        if (state.outputFailed || status == Verdict::Trouble)
            return EngineStatus::Trouble;
        return status == Verdict::Same ? EngineStatus::Same : EngineStatus::Different;
    } catch (const std::bad_alloc&) {
        sink.engineMessage("Not enough memory");
    } catch (const std::length_error&) {
        sink.engineMessage("Not enough memory");
    }
    return EngineStatus::Trouble;
}

} // namespace tandel
