// A Frame for tests: records every message, command, model event and printed line,
// answers questions from queues (an empty queue gives the default answer) and
// runs sent commands through a handler, as the directory walk needs.
#pragma once

#include "frame/frame.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tandel::test {

class FakeFrame : public Frame {
public:
    // Answers, oldest first.
    std::vector<QuestionKind> kinds;       // of every question asked, in order
    std::deque<bool> overwriteAnswers;     // confirmOverwrite; true (Yes) when empty
    std::deque<Answer> permissionAnswers;  // askPermission; Answer::No when empty
    std::deque<Answer> fileOrDirAnswers;   // askFileOrDirectory; Answer::None when empty
    std::deque<Answer> yesNoCancelAnswers; // askYesNoCancel; Answer::Yes when empty
    std::deque<std::string> openAnswers;   // chooseOpenFile; cancelled when empty
    std::deque<std::string> saveAnswers;   // chooseSaveFile; cancelled when empty

    // What happened.
    std::vector<std::pair<Severity, std::string>> messages;
    std::vector<std::string> questions; // every question's text, in order
    std::vector<int> posted;
    std::vector<int> sent;
    std::vector<bool> walkMenu; // setWalkMenu calls
    std::vector<std::string> printed;
    std::vector<std::pair<std::string, std::string>> saveDialogs; // start directory, proposal
    std::vector<std::string> clipboard;                           // setClipboardText calls
    std::vector<std::string> primarySelection;                    // setSelectionText calls
    std::vector<ModelEvent> events;                               // modelChanged calls, in order
    bool printAccepted = true;

    // Preview state.
    bool preview = false;
    std::string previewContents;
    bool previewDirty = false;
    PreviewSelection previewSelected;

    // Search.
    std::vector<bool> findDialogs;                      // openFindDialog's match-case box
    std::vector<std::pair<int, std::int64_t>> listHits; // showListRow: list, row

    std::function<void(int)> onSend; // runs each sent command when set

    void message(Severity severity, const std::string& text) override {
        messages.emplace_back(severity, text);
    }
    void notice(const std::string&) override {}
    bool confirmOverwrite(const Question& question) override {
        questions.push_back(question.text);
        kinds.push_back(question.kind);
        return take(overwriteAnswers, true);
    }
    Answer askPermission(const Question& question) override {
        questions.push_back(question.text);
        kinds.push_back(question.kind);
        return take(permissionAnswers, Answer::No);
    }
    Answer askFileOrDirectory(const std::string& file, const std::string& directory) override {
        questions.push_back(file + " | " + directory);
        return take(fileOrDirAnswers, Answer::None);
    }
    Answer askYesNoCancel(const std::string& /*caption*/, const Question& question) override {
        questions.push_back(question.text);
        kinds.push_back(question.kind);
        return take(yesNoCancelAnswers, Answer::Yes);
    }

    void postCommand(int id) override { posted.push_back(id); }
    void sendCommand(int id) override {
        sent.push_back(id);
        if (onSend)
            onSend(id);
    }
    void modelChanged(ModelEvent event) override { events.push_back(event); }
    void setWaitCursor(bool) override {}
    void clearSelection(int) override {}
    void setWalkMenu(bool walking) override { walkMenu.push_back(walking); }

    bool previewOpen() const override { return preview; }
    void openPreview() override { preview = true; }
    void closePreview() override { preview = false; }
    void setPreviewText(const std::string& text) override { previewContents = text; }
    std::string previewText() const override { return previewContents; }
    bool previewModified() const override { return previewDirty; }
    void setPreviewModified(bool modified) override { previewDirty = modified; }

    bool previewTakesSearch() const override { return false; }
    PreviewSelection previewSelection() const override { return previewSelected; }
    void selectPreviewText(std::int64_t start, std::int64_t end) override {
        previewSelected = {start, end};
    }
    void openFindDialog(bool matchCase) override { findDialogs.push_back(matchCase); }
    void showListRow(int list, std::int64_t row) override { listHits.emplace_back(list, row); }

    bool startPrint(const std::string& /*documentName*/) override { return printAccepted; }
    bool printLine(const std::string& text) override {
        printed.push_back(text);
        return true;
    }
    void endPrint() override {}
    void printDirectoryLists() override {}
    void setClipboardText(const std::string& text) override { clipboard.push_back(text); }
    void setSelectionText(const std::string& text) override { primarySelection.push_back(text); }

    bool chooseOpenFile(const std::string&, const std::string&, std::string& chosen) override {
        return takeChoice(openAnswers, chosen);
    }
    bool chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                        std::string& chosen) override {
        saveDialogs.emplace_back(startDirectory, proposal);
        return takeChoice(saveAnswers, chosen);
    }

    // The texts shown at one severity.
    std::vector<std::string> shown(Severity severity) const {
        std::vector<std::string> texts;
        for (const auto& [s, text] : messages) {
            if (s == severity) {
                texts.push_back(text);
            }
        }
        return texts;
    }
    bool shownText(Severity severity, const std::string& text) const {
        const auto texts = shown(severity);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    std::string allMessages() const {
        std::ostringstream out;
        for (const auto& [severity, text] : messages)
            out << static_cast<int>(severity) << ' ' << text << '\n';
        return out.str();
    }
    // Removes and returns the oldest posted command, or 0.
    int takePosted() {
        if (posted.empty())
            return 0;
        const int id = posted.front();
        posted.erase(posted.begin());
        return id;
    }

private:
    template <typename T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
    // A dialog answer; an empty queue is a cancelled dialog.
    static bool takeChoice(std::deque<std::string>& queue, std::string& chosen) {
        const bool answered = !queue.empty();
        chosen = take(queue, chosen);
        return answered;
    }
};

} // namespace tandel::test
