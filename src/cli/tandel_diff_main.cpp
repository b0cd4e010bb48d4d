// tandel-diff: the comparison engine as a command-line tool.
//   tandel-diff [engine options] FILE1 FILE2
// Exit status 0 same, 1 different, 2 trouble or usage error.
// With TANDEL_DIFF_RSS_REPORT set, the peak private memory goes to standard
// error (for bench/run_large_bench.sh).

#include "base/input_text.h"
#include "cli/anon_memory_probe.h"
#include "cli/input_watch.h"
#include "engine/engine.h"
#include "engine/options.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kUsage = "usage: tandel-diff [-abBdHiNPqrstTw] [-o OUTPUT] FILE1 FILE2\n";

void printError(const std::string& text) {
    std::string line = "tandel-diff: " + text;
    if (line.back() != '\n')
        line += '\n';
    std::fputs(line.c_str(), stderr);
}

class StandardErrorSink : public tandel::MessageSink {
public:
    void engineMessage(const std::string& text) override { printError(text); }
};

// What memory cannot hold is refused with its size against the bound, so
// that the user sees why a file that exists cannot be compared.
std::string tooLargeReason(const tandel::InputText& text) {
    const std::string limit = std::to_string(tandel::realFileSystem().inputLimit());
    if (text.status().isRegular())
        return "File too large: " + std::to_string(text.status().size) + " bytes, more than the " +
               limit + " bytes one input may hold in memory";
    return "File too large: it is not a regular file, and it gave more than the " + limit +
           " bytes one input may hold in memory";
}

// Standard input and folders are left to the engine; every other operand is
// taken here, through one open, so that a pipe or "<(...)" works: a regular
// file is mapped, anything else read. A mapped file that turns out shorter
// than it was sets `faulted`.
bool loadOperand(const std::string& name, std::atomic<bool>& faulted, tandel::InputText& text,
                 bool& lent) {
    lent = false;
    if (name == "-")
        return true;
    const tandel::IoStatus read = tandel::openInputText(name, tandel::realFileSystem().inputLimit(),
                                                        tandel::kEngineSpareBytes, &faulted, text);
    if (read.error() == EISDIR)
        return true;
    if (!read.ok()) {
        printError("cannot read " + name + ": " +
                   (read.error() == EFBIG ? tooLargeReason(text) : read.reason()));
        return false;
    }
    lent = true;
    return true;
}

int compare(int argc, char** argv) {
    StandardErrorSink sink;
    tandel::Engine engine;
    const tandel::ParsedArguments parsed =
        tandel::parseEngineArguments(argc, argv, std::getenv("POSIXLY_CORRECT") != nullptr);
    if (parsed.status != tandel::ParseStatus::Ok || parsed.operands.size() != 2) {
        // The engine names the fault; its status is the usage error.
        (void)engine.run(argc, argv, {}, {}, sink);
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::atomic<bool> faulted{false};
    tandel::InputText texts[2];
    tandel::EngineText lent[2];
    for (int side = 0; side < 2; ++side) {
        bool given = false;
        if (!loadOperand(parsed.operands[static_cast<std::size_t>(side)], faulted, texts[side],
                         given))
            return 2;
        if (given)
            lent[side] = {texts[side].data(), texts[side].length()};
    }

    // Without "-o" the result goes straight to standard output. A file cut
    // short or changed under its mapping stops the run before anything is
    // written.
    tandel::EngineContext context;
    context.standardOutputByDefault = true;
    context.cancel = &faulted;
    tandel::EngineStatus status;
    {
        const tandel::InputWatch watch(texts, faulted);
        status = engine.run(argc, argv, lent[0], lent[1], sink, context);
    }
    // A file that changed under its mapping gave no trustworthy result.
    for (int side = 0; side < 2; ++side) {
        if (!texts[side].unchanged()) {
            printError("cannot read " + parsed.operands[static_cast<std::size_t>(side)] +
                       ": the file changed while it was compared");
            return 2;
        }
    }
    if (status == tandel::EngineStatus::UsageError || status == tandel::EngineStatus::Cancelled)
        return 2;
    return static_cast<int>(status);
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<tandel::AnonMemoryProbe> probe;
    if (std::getenv("TANDEL_DIFF_RSS_REPORT") != nullptr)
        probe = std::make_unique<tandel::AnonMemoryProbe>();
    int status = 2;
    // The engine answers its own shortage; this catches one anywhere else,
    // such as the two texts read before it runs.
    try {
        status = compare(argc, argv);
    } catch (const std::bad_alloc&) {
        printError("Not enough memory");
    } catch (const std::length_error&) {
        printError("Not enough memory");
    }
    if (probe)
        std::fprintf(stderr, "tandel-diff: peak RssAnon %llu kB\n",
                     static_cast<unsigned long long>(probe->stop()));
    return status;
}
