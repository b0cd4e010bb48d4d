// Runs the engine the way the application does: real files in a private
// folder, caller-owned copies of their texts with exactly the spare room.
#pragma once

#include "engine/engine.h"
#include "support/temp_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tandel::testing {

class RecordingSink : public MessageSink {
public:
    void engineMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// A copy of a text with exactly kEngineSpareBytes after it, so that the
// sanitizers catch any access beyond; lent with its line starts on request.
struct CallerText {
    explicit CallerText(const std::string& text)
        : bytes(text.size() + kEngineSpareBytes), length(text.size()) {
        text.copy(bytes.data(), text.size());
        for (std::size_t at = 0; at < length; at = text.find('\n', at) + 1) {
            starts.push_back(at);
            if (text.find('\n', at) == std::string::npos)
                break;
        }
        starts.push_back(length);
    }
    EngineText view(bool withStarts = false) {
        return {bytes.data(), length, withStarts ? starts : std::span<const std::size_t>()};
    }
    std::vector<char> bytes;
    std::size_t length;
    std::vector<std::size_t> starts;
};

struct EngineHarness {
    TempFolder folder;
    RecordingSink sink;
    Engine engine;
    EngineContext context;
    std::string output = folder.file("result");

    // Runs "diff", options..., "-o" result, first, second on the given texts.
    int compare(const std::string& first, const std::string& second,
                const std::vector<std::string>& options = {}) {
        CallerText text0(first);
        CallerText text1(second);
        return runWords(
            command(options, folder.write("first", first), folder.write("second", second)),
            text0.view(), text1.view());
    }

    // "diff", options..., "-o" result, first, second.
    std::vector<std::string> command(const std::vector<std::string>& options,
                                     const std::string& first, const std::string& second) const {
        std::vector<std::string> words{"diff"};
        words.insert(words.end(), options.begin(), options.end());
        words.insert(words.end(), {"-o", output, first, second});
        return words;
    }

    // The status and the result file together, as "1:3c3\n", so that one
    // expectation checks both.
    std::string outcome(const std::string& first, const std::string& second,
                        const std::vector<std::string>& options = {}) {
        const int status = compare(first, second, options);
        return std::to_string(status) + ":" + result();
    }

    int runWords(std::vector<std::string> words, EngineText first = {}, EngineText second = {}) {
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        return static_cast<int>(
            engine.run(static_cast<int>(words.size()), argv.data(), first, second, sink, context));
    }

    // Runs the words with standard input read from `path`.
    int runWithInput(const std::string& path, std::vector<std::string> words) {
        const int saved = ::dup(0);
        const int descriptor = ::open(path.c_str(), O_RDONLY);
        ::dup2(descriptor, 0);
        ::close(descriptor);
        const int status = runWords(std::move(words));
        ::dup2(saved, 0);
        ::close(saved);
        return status;
    }

    // What -s writes when the files compared by compare() are identical.
    std::string identical() const {
        return "Files " + folder.file("first") + " and " + folder.file("second") +
               " are identical\n";
    }

    bool outputExists() const { return std::filesystem::exists(output); }
    std::string result() const {
        std::ostringstream content;
        content << std::ifstream(output, std::ios::binary).rdbuf();
        return content.str();
    }
};

} // namespace tandel::testing
