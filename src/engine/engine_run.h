// The state of one call of the engine entry: switches, caller's texts, the
// message routes and the output stream.
#pragma once

#include "engine/engine.h"
#include "engine/options.h"
#include "engine/output_file.h"
#include "engine/run_hooks.h"

#include <string>
#include <vector>

namespace tandel {

struct EngineRun {
    EngineRun(MessageSink& messageSink, const EngineContext& engineContext, EngineText first,
              EngineText second, const std::string& outputPath)
        : sink(messageSink), context(engineContext),
          files(engineContext.files != nullptr ? *engineContext.files : realFileSystem()),
          callerTexts{first, second}, outputName(outputPath),
          hooks(engineContext.cancel, engineContext.progress) {}

    EngineOptions options;
    MessageSink& sink;
    const EngineContext& context;
    FileSystem& files;
    EngineText callerTexts[2];
    const std::string& outputName;
    RunHooks hooks;

    OutputFile output;
    bool outputStarted = false; // the first open of a run empties the file
    bool outputFailed = false;  // the output is incomplete: the run reports trouble
    bool openFailed = false;    // shown once; a walk does not retry
    bool toStandardOutput = false;
    bool toCallersWriter = false; // context.output, when no "-o" was given
    // The directories of the walk's current path on each side, outermost first.
    std::vector<FileStatus> walkedDirectories[2];

    // A message box text.
    void message(const std::string& text) { sink.engineMessage(text); }

    // A report line of the output. Below depth 0 (inside a directory walk)
    // it opens the output so that the walk's report is kept; at depth 0 it is
    // written only into an output that is already open.
    void report(const std::string& text, int depth);

    // Opens the output unless it is open; false after "Can't open output file".
    bool beginOutput();
    // Closes the output; a failed write or close shows "Error writing temp. file"
    // with the file's name and the reason.
    void finishOutput();
    // Nothing more of this comparison is buffered.
    void flushOutput();
};

} // namespace tandel
