#include "engine/engine_run.h"

#include <cerrno>

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
    if (toStandardOutput) {
        output.openStandardOutput();
        outputStarted = true;
        return true;
    }
    if (toCallersWriter) {
        output.openBorrowed(*context.output);
        outputStarted = true;
        return true;
    }
    const IoStatus opened = outputName.empty() ? IoStatus::failure(ENOENT)
                                               : output.open(files, outputName, !outputStarted);
    if (!opened.ok()) {
        message(outputName.empty() ? std::string("Can't open output file")
                                   : withReason("Can't open output file " + outputName, opened));
        outputFailed = openFailed = true;
        return false;
    }
    outputStarted = true;
    return true;
}

void EngineRun::finishOutput() {
    const IoStatus closed = output.close();
    if (!closed.ok()) {
        message(withReason("Error writing temp. file " +
                               (toStandardOutput  ? std::string("standard output")
                                : toCallersWriter ? context.output->target()
                                                  : outputName),
                           closed));
        outputFailed = true;
    }
}

void EngineRun::flushOutput() {
    // Closing completes what is written so far; a later report of the same
    // run appends.
    if (output.isOpen())
        finishOutput();
}

} // namespace tandel
