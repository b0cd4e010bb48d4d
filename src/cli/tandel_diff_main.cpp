// tandel-diff: the comparison engine as a command-line tool.
//   tandel-diff [engine options] FILE1 FILE2
// Exit status 0 same, 1 different, 2 trouble or usage error.

#include "engine/engine.h"
#include "engine/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kUsage = "usage: tandel-diff [-abBHiNPqrstTw] [-o OUTPUT] FILE1 FILE2\n";

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
std::string tooLargeReason(const tandel::InputBytes& text) {
    const std::string limit = std::to_string(tandel::realFileSystem().inputLimit());
    if (text.status.isRegular())
        return "File too large: " + std::to_string(text.status.size) +
               " bytes, more than the " + limit + " bytes one input may hold in memory";
    return "File too large: it is not a regular file, and it gave more than the " + limit +
           " bytes one input may hold in memory";
}

// Standard input and folders are left to the engine; every other operand is
// read here, through one open, so that a pipe or "<(...)" works.
bool loadOperand(const std::string& name, tandel::InputBytes& text, bool& lent) {
    lent = false;
    if (name == "-")
        return true;
    const tandel::IoStatus read =
        tandel::realFileSystem().readInput(name, tandel::kEngineSpareBytes, text);
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

    tandel::InputBytes texts[2];
    tandel::EngineText lent[2];
    for (int side = 0; side < 2; ++side) {
        bool given = false;
        if (!loadOperand(parsed.operands[static_cast<std::size_t>(side)], texts[side], given))
            return 2;
        if (given)
            lent[side] = {texts[side].bytes.data(), texts[side].length};
    }

    // Without "-o" the result goes straight to standard output.
    tandel::EngineContext context;
    context.standardOutputByDefault = true;
    const tandel::EngineStatus status = engine.run(argc, argv, lent[0], lent[1], sink, context);
    return status == tandel::EngineStatus::UsageError ? 2 : static_cast<int>(status);
}

} // namespace

int main(int argc, char** argv) {
    // The engine answers its own shortage; this catches one anywhere else,
    // such as the two texts read before it runs.
    try {
        return compare(argc, argv);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    printError("Not enough memory");
    return 2;
}
