// tandel-diff: the comparison engine as a command-line tool.
//   tandel-diff [engine options] FILE1 FILE2
// Exit status 0 same, 1 different, 2 trouble or usage error.

#include "engine/engine.h"
#include "engine/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// A file's bytes, unchanged, with the spare room the engine writes into.
struct LoadedText {
    std::unique_ptr<char[]> data;
    std::size_t length = 0;

    tandel::EngineText view() { return {data.get(), length}; }
};

bool readFully(int descriptor, std::size_t sizeHint, LoadedText& text) {
    std::size_t room = sizeHint > 0 ? sizeHint + 1 : 1 << 16;
    text.data = std::make_unique_for_overwrite<char[]>(room + tandel::kEngineSpareBytes);
    for (;;) {
        const ssize_t got = ::read(descriptor, text.data.get() + text.length, room - text.length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.length += static_cast<std::size_t>(got);
        if (text.length == room) {
            room *= 2;
            auto bigger = std::make_unique_for_overwrite<char[]>(room + tandel::kEngineSpareBytes);
            std::memcpy(bigger.get(), text.data.get(), text.length);
            text.data = std::move(bigger);
        }
    }
}

// Standard input and directories are left to the engine, which reads what it
// needs itself; a plain file is read here in one go.
bool loadOperand(const std::string& name, LoadedText& text) {
    if (name == "-")
        return true;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        printError("cannot open " + name + ": " + std::strerror(errno));
        return false;
    }
    struct stat status {};
    bool ok = ::fstat(descriptor, &status) == 0;
    if (ok && !S_ISDIR(status.st_mode))
        ok =
            readFully(descriptor,
                      S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0, text);
    const int error = errno;
    ::close(descriptor);
    if (!ok)
        printError("cannot read " + name + ": " + std::strerror(error));
    return ok;
}

std::string temporaryDirectory() {
    const char* directory = std::getenv("TMPDIR");
    return directory != nullptr && *directory != '\0' ? directory : "/tmp";
}

bool copyToStandardOutput(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return errno == ENOENT; // nothing was written: the output is empty
    std::vector<char> block(1 << 16);
    bool ok = true;
    for (;;) {
        ssize_t got = ::read(descriptor, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (const char* p = block.data(); got > 0;) {
            const ssize_t put = ::write(STDOUT_FILENO, p, static_cast<std::size_t>(got));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0) {
                ok = false;
                got = 0;
                break;
            }
            p += put;
            got -= put;
        }
        if (!ok)
            break;
    }
    ::close(descriptor);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    StandardErrorSink sink;
    tandel::Engine engine;
    const tandel::ParsedArguments parsed =
        tandel::parseEngineArguments(argc, argv, std::getenv("POSIXLY_CORRECT") != nullptr);
    if (parsed.status != tandel::ParseStatus::Ok || parsed.operands.size() != 2) {
        engine.run(argc, argv, {}, {}, sink);
        std::fputs(kUsage, stderr);
        return 2;
    }

    LoadedText texts[2];
    for (int side = 0; side < 2; ++side) {
        if (!loadOperand(parsed.operands[static_cast<std::size_t>(side)], texts[side]))
            return 2;
    }

    std::vector<std::string> words(argv, argv + argc);
    std::string temporary;
    if (!parsed.outputGiven) {
        // The engine writes only to a named file: give it a private one and
        // pass its content on.
        temporary = temporaryDirectory() + "/tandel-diff.XXXXXX";
        const int descriptor = ::mkstemp(temporary.data());
        if (descriptor < 0) {
            printError("cannot create a temporary file in " + temporaryDirectory() + ": " +
                       std::strerror(errno));
            return 2;
        }
        ::close(descriptor);
        words.insert(words.begin() + 1, {"-o", temporary});
    }
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);

    int status = engine.run(static_cast<int>(words.size()), arguments.data(), texts[0].view(),
                            texts[1].view(), sink);
    if (status < 0)
        status = 2;
    if (!temporary.empty()) {
        if (!copyToStandardOutput(temporary)) {
            printError(std::string("error writing standard output: ") + std::strerror(errno));
            status = 2;
        }
        ::unlink(temporary.c_str());
    }
    return status;
}
