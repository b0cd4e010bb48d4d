// Helpers for the driver, dispatcher and application tests: a folder that
// cleans up after itself, file helpers, and a frame that records what the core
// asks of it and answers from a script.
#pragma once

#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "merge/frame.h"

namespace tandel::testing_support {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tandel-driver-XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        path_ = ::mkdtemp(buffer.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ShownMessage {
    Severity severity;
    std::string text;
};

class RecordingFrame : public Frame {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> overwriteQuestions;
    std::deque<int> posted;
    std::vector<int> sent;
    std::function<void(int)> onSend; // runs sent commands when set
    bool overwriteAnswer = true;
    bool preview = false;
    int paneRepaints = 0;

    void message(Severity severity, const std::string& text) override {
        messages.push_back({severity, text});
    }
    bool confirmOverwrite(const std::string& text) override {
        overwriteQuestions.push_back(text);
        return overwriteAnswer;
    }
    int askPermission(const std::string&) override { return kAnswerNo; }
    int askFileOrDirectory(const std::string&, const std::string&) override { return kAnswerCancel; }
    int askYesNoCancel(const std::string&, const std::string&) override {
        return overwriteAnswer ? kAnswerYes : kAnswerNo;
    }
    void postCommand(int id) override { posted.push_back(id); }
    void sendCommand(int id) override {
        sent.push_back(id);
        if (onSend) {
            onSend(id);
        }
    }
    void repaintPanes() override { ++paneRepaints; }
    bool previewOpen() const override { return preview; }
    void closePreview() override { preview = false; }

    bool shown(Severity severity, const std::string& text) const {
        for (const auto& m : messages) {
            if (m.severity == severity && m.text == text) {
                return true;
            }
        }
        return false;
    }
    std::string allMessages() const {
        std::ostringstream out;
        for (const auto& m : messages) {
            out << static_cast<int>(m.severity) << ' ' << m.text << '\n';
        }
        return out.str();
    }
};

} // namespace tandel::testing_support
