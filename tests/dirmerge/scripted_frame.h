// A Frame that answers questions from a script and records what it was asked.
#pragma once

#include "merge/frame.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tandel::testing {

class ScriptedFrame : public Frame {
public:
    std::deque<int> permissionAnswers;  // askPermission; kAnswerNo when empty
    std::deque<int> fileOrDirAnswers;   // askFileOrDirectory; kAnswerNone when empty
    std::deque<int> yesNoCancelAnswers; // askYesNoCancel; kAnswerNo when empty

    std::vector<std::pair<Severity, std::string>> messages;
    std::vector<std::string> permissionQuestions;
    std::vector<std::pair<std::string, std::string>> fileOrDirQuestions;
    std::vector<int> posted;
    std::vector<bool> walkMenu;
    // Runs a sent command at once, as the window's dispatcher would.
    std::function<void(int)> onSend;

    void message(Severity severity, const std::string& text) override {
        messages.emplace_back(severity, text);
    }
    bool confirmOverwrite(const std::string&) override { return true; }
    int askPermission(const std::string& text) override {
        permissionQuestions.push_back(text);
        return next(permissionAnswers, kAnswerNo);
    }
    int askFileOrDirectory(const std::string& file, const std::string& directory) override {
        fileOrDirQuestions.emplace_back(file, directory);
        return next(fileOrDirAnswers, kAnswerNone);
    }
    int askYesNoCancel(const std::string&, const std::string& text) override {
        permissionQuestions.push_back(text);
        return next(yesNoCancelAnswers, kAnswerNo);
    }
    void postCommand(int id) override { posted.push_back(id); }
    void sendCommand(int id) override {
        if (onSend)
            onSend(id);
    }
    void setWalkMenu(bool walking) override { walkMenu.push_back(walking); }

    // Removes and returns the oldest posted command, or 0.
    int takePosted() {
        if (posted.empty())
            return 0;
        const int id = posted.front();
        posted.erase(posted.begin());
        return id;
    }
    int errorCount() const {
        int n = 0;
        for (const auto& m : messages)
            n += m.first == Severity::Error;
        return n;
    }

private:
    static int next(std::deque<int>& q, int fallback) {
        if (q.empty())
            return fallback;
        const int a = q.front();
        q.pop_front();
        return a;
    }
};

} // namespace tandel::testing
