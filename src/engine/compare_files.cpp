#include "engine/compare_files.h"

#include "engine/analyze.h"
#include "engine/engine_run.h"
#include "engine/input_file.h"
#include "engine/read_inputs.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <unistd.h>

namespace tandel {
namespace {

bool regularOrAbsent(const InputFile& input) {
    return input.descriptor == -1 || S_ISREG(input.status.st_mode);
}

bool sameFile(const InputFile& a, const InputFile& b) {
    return a.descriptor != -1 && b.descriptor != -1 && a.status.st_dev == b.status.st_dev &&
           a.status.st_ino == b.status.st_ino;
}

// Reads up to `size` bytes, fewer only at the end of the file; -1 on error.
long readBlock(int descriptor, char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, data + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long>(done);
}

// The whole input into the engine's own buffer, with the spare room after it.
bool readWhole(InputFile& input) {
    std::size_t room = 1 << 16;
    if (S_ISREG(input.status.st_mode) && input.status.st_size > 0)
        room = static_cast<std::size_t>(input.status.st_size) + 1;
    input.ownText.resize(room + kEngineSpareBytes);
    std::size_t length = 0;
    for (;;) {
        const long got = readBlock(input.descriptor, input.ownText.data() + length, room - length);
        if (got < 0)
            return false;
        length += static_cast<std::size_t>(got);
        if (length < room)
            break;
        room *= 2;
        input.ownText.resize(room + kEngineSpareBytes);
    }
    input.buffer = input.ownText.data();
    input.length = length;
    return true;
}

bool loadText(EngineRun& run, InputFile& input, int side) {
    // A caller that lends no text leaves the reading to the engine.
    if (input.useCallerText && run.callerTexts[side].data != nullptr) {
        input.buffer = run.callerTexts[side].data;
        input.length = run.callerTexts[side].length;
        return true;
    }
    if (input.descriptor == -1) {
        input.ownText.assign(kEngineSpareBytes, 0);
        input.buffer = input.ownText.data();
        input.length = 0;
        return true;
    }
    if (readWhole(input))
        return true;
    run.message("Error in file " + input.name);
    return false;
}

int compareOpaque(EngineRun& run, InputFile& a, InputFile& b, bool shared, int depth) {
    const std::string differ = "Files " + a.name + " and " + b.name + " differ\n";
    if (a.status.st_size != b.status.st_size && regularOrAbsent(a) && regularOrAbsent(b)) {
        run.report(differ, depth);
        return 1;
    }
    if (shared)
        return 0;
    const bool regular = S_ISREG(a.status.st_mode) || S_ISREG(b.status.st_mode);
    const std::size_t block = regular ? 8192 : 4096;
    std::vector<char> dataA(block);
    std::vector<char> dataB(block);
    for (;;) {
        const long gotA = a.descriptor == -1 ? 0 : readBlock(a.descriptor, dataA.data(), block);
        const long gotB = b.descriptor == -1 ? 0 : readBlock(b.descriptor, dataB.data(), block);
        if (gotA < 0 || gotB < 0) {
            run.message("Error in file " + (gotA < 0 ? a.name : b.name));
            return 2;
        }
        if (gotA != gotB ||
            std::memcmp(dataA.data(), dataB.data(), static_cast<std::size_t>(gotA)) != 0) {
            run.report(differ, depth);
            return 1;
        }
        if (gotA == 0)
            return 0;
    }
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

// Prints the changes that count; returns whether any did.
bool printScript(EngineRun& run, const InputFile& a, const InputFile& b, const EditScript& script,
                 int depth) {
    bool counted = false;
    std::string line;
    for (const Change& change : script) {
        if (run.options.ignoreBlankLines && allLinesEmpty(a, change.line0, change.deleted) &&
            allLinesEmpty(b, change.line1, change.inserted))
            continue;
        if (!run.beginOutput())
            return true;
        if (!counted && depth > 0)
            run.output.write("diff " + a.name + " " + b.name + "\n");
        counted = true;
        const long long first = static_cast<long long>(change.line0) + a.prefixLines;
        const long long second = static_cast<long long>(change.line1) + b.prefixLines;
        line.clear();
        appendRange(line, first + 1, first + change.deleted);
        line += change.inserted == 0 ? 'd' : change.deleted == 0 ? 'a' : 'c';
        appendRange(line, second + 1, second + change.inserted);
        line += '\n';
        run.output.write(line);
    }
    return counted;
}

} // namespace

int compareFiles(EngineRun& run, InputFile& first, InputFile& second, int depth) {
    const EngineOptions& options = run.options;
    const bool shared = sameFile(first, second);
    if (options.brief && !options.alwaysText)
        return compareOpaque(run, first, second, shared, depth);
    if (!loadText(run, first, 0) || (!shared && !loadText(run, second, 1)))
        return 2;

    LineRules rules;
    rules.ignoreCase = options.ignoreCase;
    rules.spaceChange = options.spaceChange;
    rules.allSpace = options.allSpace;
    rules.ignoreSomeChanges = options.ignoreSomeChanges;
    rules.skipLeadingWhiteSpace = run.context.skipLeadingWhiteSpace;
    rules.table = run.context.table;
    readInputs(first, second, shared, rules, options.ignoreBlankLines, run.context);

    EditScript script;
    if (!computeEditScript(first.classes, second.classes, first.classLimit, options.heuristic,
                           script)) {
        run.message("The difference search failed");
        return 2;
    }
    if (script.empty())
        return 0;
    run.finishOutput();
    const bool counted = printScript(run, first, second, script, depth);
    run.finishOutput();
    return counted ? 1 : 0;
}

} // namespace tandel
