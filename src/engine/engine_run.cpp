#include "engine/engine_run.h"

namespace tandel {

void EngineRun::report(const std::string& text, int depth) {
    if (depth > 0 && !beginOutput())
        return;
    output.write(text);
    // Some report texts carry no line end of their own.
    if (output.isOpen() && !text.empty() && text.back() != '\n')
        output.write("\n");
}

bool EngineRun::beginOutput() {
    if (output.isOpen())
        return true;
    if (openFailed)
        return false;
    // Later comparisons of the same run (a directory walk) append, so that
    // one pair's result does not wipe out the pairs before it.
    if (!output.open(outputName, !outputStarted)) {
        message("Can't open output file");
        outputFailed = openFailed = true;
        return false;
    }
    outputStarted = true;
    return true;
}

void EngineRun::finishOutput() {
    if (!output.close()) {
        message("Error writing temp. file");
        outputFailed = true;
    }
}

} // namespace tandel
