#include "engine/compare_files.h"

#include "engine/analyze.h"
#include "engine/engine_run.h"
#include "engine/input_file.h"
#include "engine/read_inputs.h"
#include "engine/run_hooks.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace tandel {
namespace {

bool regularOrAbsent(const InputFile& input) {
    return input.descriptor == -1 || input.status.isRegular();
}

bool sameFile(const InputFile& a, const InputFile& b) {
    return a.descriptor != -1 && b.descriptor != -1 && a.status.inode != 0 &&
           a.status.sameFileAs(b.status);
}

// The input's text: the caller's, or read here through one open.
bool loadText(EngineRun& run, InputFile& input, int side) {
    // A caller that lends no text leaves the reading to the engine.
    if (input.useCallerText && run.callerTexts[side].data != nullptr) {
        input.buffer = run.callerTexts[side].data;
        input.length = run.callerTexts[side].length;
        input.lentStarts = run.callerTexts[side].lineStarts;
        return true;
    }
    if (input.descriptor == -1) {
        input.ownText.assign(kEngineSpareBytes, 0);
        input.buffer = input.ownText.data();
        input.length = 0;
        return true;
    }
    run.hooks.checkpoint();
    InputBytes bytes;
    // Standard input has no name to open again: it is read where it stands.
    const IoStatus read = input.descriptor == 0
                              ? readOpenInput(0, run.files.inputLimit(), kEngineSpareBytes, bytes)
                              : run.files.readInput(input.name, kEngineSpareBytes, bytes);
    if (!read.ok()) {
        run.message(withReason("Error in file " + input.name, read));
        return false;
    }
    input.ownText = std::move(bytes.bytes);
    input.buffer = input.ownText.data();
    input.length = bytes.length;
    run.hooks.checkpoint();
    return true;
}

// Bytes compared between two looks at the cancel flag.
constexpr std::size_t kBytesPerCheck = std::size_t{1} << 23;

bool sameBytes(const char* a, const char* b, std::size_t length, const RunHooks& hooks) {
    for (std::size_t from = 0; from < length; from += kBytesPerCheck) {
        hooks.checkpoint();
        if (std::memcmp(a + from, b + from, std::min(kBytesPerCheck, length - from)) != 0)
            return false;
    }
    return true;
}

Verdict compareOpaque(EngineRun& run, InputFile& a, InputFile& b, bool shared, int depth) {
    const std::string differ = "Files " + a.name + " and " + b.name + " differ\n";
    if (a.status.size != b.status.size && regularOrAbsent(a) && regularOrAbsent(b)) {
        run.report(differ, depth);
        return Verdict::Different;
    }
    if (shared)
        return Verdict::Same;
    if (!loadText(run, a, 0) || !loadText(run, b, 1))
        return Verdict::Trouble;
    if (a.length != b.length || !sameBytes(a.buffer, b.buffer, a.length, run.hooks)) {
        run.report(differ, depth);
        return Verdict::Different;
    }
    return Verdict::Same;
}

bool allLinesEmpty(const InputFile& input, int first, int count) {
    for (int k = first; k < first + count; ++k) {
        if (input.buffer[input.lineStarts[static_cast<std::size_t>(k)]] != '\n')
            return false;
    }
    return true;
}

void appendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendRange(std::string& out, long long a, long long b) {
    if (b <= a) {
        appendNumber(out, b);
    } else {
        appendNumber(out, a);
        out += ',';
        appendNumber(out, b);
    }
}

// Changes between two looks at the cancel flag.
constexpr std::size_t kChangesPerCheck = 1 << 12;
// Result bytes gathered before they are written, when nobody can cancel.
constexpr std::size_t kWriteChunk = std::size_t{1} << 16;

// Prints the changes that count; returns whether any did. A run that may be
// cancelled gathers the whole result first, so that a stop leaves no part of
// it behind.
bool printScript(EngineRun& run, const InputFile& a, const InputFile& b, const EditScript& script,
                 int depth, const RunHooks& hooks) {
    const bool whole = run.context.cancel != nullptr;
    bool counted = false;
    std::string text;
    const auto flush = [&] {
        if (!run.beginOutput())
            return false;
        run.output.write(text);
        text.clear();
        return true;
    };
    for (std::size_t i = 0; i < script.size(); ++i) {
        const Change& change = script[i];
        if ((i + 1) % kChangesPerCheck == 0) {
            hooks.checkpoint();
            hooks.advance(RunPhase::Script, i, script.size());
        }
        if (run.options.ignoreBlankLines && allLinesEmpty(a, change.line0, change.deleted) &&
            allLinesEmpty(b, change.line1, change.inserted))
            continue;
        if (!counted && depth > 0)
            text += "diff " + a.name + " " + b.name + "\n";
        counted = true;
        const long long first = static_cast<long long>(change.line0) + a.prefixLines;
        const long long second = static_cast<long long>(change.line1) + b.prefixLines;
        appendRange(text, first + 1, first + change.deleted);
        text += change.inserted == 0 ? 'd' : change.deleted == 0 ? 'a' : 'c';
        appendRange(text, second + 1, second + change.inserted);
        text += '\n';
        if (!whole && text.size() >= kWriteChunk && !flush())
            return true;
    }
    hooks.checkpoint();
    if (counted && !text.empty())
        flush();
    return counted;
}

// Only the blank-line rule looks at the lines once they are classified.
void releaseLineStarts(InputFile& input) {
    BulkVector<std::size_t>().swap(input.ownStarts);
    input.lineStarts = {};
}

} // namespace

Verdict compareFiles(EngineRun& run, InputFile& first, InputFile& second, int depth) {
    const EngineOptions& options = run.options;
    // One text lent for both sides is one input: the engine writes into it.
    const bool lentOnce = first.useCallerText && second.useCallerText &&
                          run.callerTexts[0].data != nullptr &&
                          run.callerTexts[0].data == run.callerTexts[1].data;
    const bool shared = lentOnce || sameFile(first, second);
    if (options.brief && !options.alwaysText)
        return compareOpaque(run, first, second, shared, depth);
    if (!loadText(run, first, 0) || (!shared && !loadText(run, second, 1)))
        return Verdict::Trouble;

    LineRules rules;
    rules.ignoreCase = options.ignoreCase;
    rules.spaceChange = options.spaceChange;
    rules.allSpace = options.allSpace;
    rules.ignoreSomeChanges = options.ignoreSomeChanges;
    rules.skipLeadingWhiteSpace = run.context.skipLeadingWhiteSpace;
    rules.table = run.context.table;
    // Phases of the pairs of a walk would make the progress run backwards.
    const RunHooks hooks = depth == 0 ? run.hooks : run.hooks.withoutProgress();
    readInputs(first, second, shared, rules, options.ignoreBlankLines, run.context, hooks);
    if (!options.ignoreBlankLines) {
        releaseLineStarts(first);
        releaseLineStarts(second);
    }

    EditScript script;
    SearchOptions search;
    search.heuristic = options.heuristic;
    search.costLimit = options.minimal ? kExactSearch : 0;
    search.hooks = &hooks;
    if (!computeEditScript(first.classes, second.classes, first.classLimit, search, script)) {
        run.message("The difference search failed");
        return Verdict::Trouble;
    }
    hooks.checkpoint();
    if (script.empty())
        return Verdict::Same;
    run.finishOutput();
    const bool counted = printScript(run, first, second, script, depth, hooks);
    run.finishOutput();
    return counted ? Verdict::Different : Verdict::Same;
}

} // namespace tandel
