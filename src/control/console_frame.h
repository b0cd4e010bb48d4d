// The frame of unattended runs: no window, messages on standard error, every
// question answered without a user, and posted commands run by a small loop.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <string>

#include "frame/frame.h"

namespace tandel {

class ConsoleFrame : public Frame {
public:
    explicit ConsoleFrame(std::ostream& errors) : errors_(errors) {}

    // Runs every command, posted or sent.
    void setCommandHandler(std::function<void(int)> handler) { handler_ = std::move(handler); }
    // The one file the run was told to write: questions about replacing it are
    // answered Yes, every other replace question No.
    void setWritableTarget(std::string path) { writableTarget_ = std::move(path); }

    // Runs posted commands in order until none is left or `stop` returns true.
    void runPosted(const std::function<bool()>& stop);

    int errorCount() const { return errorCount_; }

    void notice(const std::string& /*text*/) override {}
    void message(Severity severity, const std::string& text) override;
    bool confirmOverwrite(const Question& question) override;
    Answer askPermission(const Question& question) override;
    Answer askFileOrDirectory(const std::string& file, const std::string& directory) override;
    Answer askYesNoCancel(const std::string& caption, const Question& question) override;
    void postCommand(int id) override { posted_.push_back(id); }
    void sendCommand(int id) override;

    // Nothing is drawn, so no change of the model is shown.
    void modelChanged(ModelEvent) override {}
    void setWaitCursor(bool) override {}
    void setWalkMenu(bool) override {}
    void clearSelection(int) override {}

    // There is no preview: the merged result only ever goes to a file.
    bool previewOpen() const override { return false; }
    void openPreview() override {}
    void closePreview() override {}
    void setPreviewText(const std::string&) override {}
    std::string previewText() const override { return {}; }
    bool previewModified() const override { return false; }
    void setPreviewModified(bool) override {}

    // No user to print for, search for or pick files: each job is cancelled,
    // each dialog answered as by Cancel.
    bool startPrint(const std::string&) override { return false; }
    bool printLine(const std::string&) override { return false; }
    void endPrint() override {}
    void printDirectoryLists() override {}
    void setClipboardText(const std::string&) override {}
    void setSelectionText(const std::string&) override {}
    bool previewTakesSearch() const override { return false; }
    PreviewSelection previewSelection() const override { return {}; }
    void selectPreviewText(std::int64_t, std::int64_t) override {}
    void openFindDialog(bool) override {}
    void showListRow(int, std::int64_t) override {}
    bool chooseOpenFile(const std::string&, const std::string&, std::string&) override {
        return false;
    }
    bool chooseSaveFile(const std::string&, const std::string&, std::string&) override {
        return false;
    }

private:
    // Yes only to replacing the file the run was told to write.
    bool replacesWritableTarget(const Question& question) const;
    bool answer(const Question& question, bool yes);

    std::ostream& errors_;
    std::function<void(int)> handler_;
    std::string writableTarget_;
    std::deque<int> posted_;
    int errorCount_ = 0;
};

} // namespace tandel
