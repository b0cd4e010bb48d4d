// Runs the engine the way the application does: real files in a private
// folder, caller-owned copies of their texts with exactly the spare room.
#pragma once

#include "engine/engine.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace tandel::testing {

class RecordingSink : public MessageSink {
public:
    void engineMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "engine-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    std::string write(const std::string& name, const std::string& text) const {
        const auto target = path_ / name;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << text;
        return target.string();
    }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// A copy of a text with exactly kEngineSpareBytes after it, so that the
// sanitizers catch any access beyond.
struct CallerText {
    explicit CallerText(const std::string& text) : bytes(text.size() + kEngineSpareBytes) {
        text.copy(bytes.data(), text.size());
        length = text.size();
    }
    EngineText view() { return {bytes.data(), length}; }
    std::vector<char> bytes;
    std::size_t length;
};

struct EngineHarness {
    TempFolder folder;
    RecordingSink sink;
    Engine engine;
    EngineContext context;
    std::string output = folder.file("result");

    // Runs "diff", options..., "-o" result, first, second on the given texts.
    int compare(const std::string& first, const std::string& second,
                std::initializer_list<std::string> options = {}) {
        const std::string name0 = folder.write("first", first);
        const std::string name1 = folder.write("second", second);
        std::vector<std::string> words{"diff"};
        words.insert(words.end(), options);
        words.insert(words.end(), {"-o", output, name0, name1});
        CallerText text0(first);
        CallerText text1(second);
        return runWords(words, text0.view(), text1.view());
    }

    int runWords(std::vector<std::string> words, EngineText first = {}, EngineText second = {}) {
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        return engine.run(static_cast<int>(words.size()), argv.data(), first, second, sink,
                          context);
    }

    bool outputExists() const { return std::filesystem::exists(output); }
    std::string result() const { return readFile(output); }
};

} // namespace tandel::testing
