// Helpers for the merge tests: the shared temporary folder and file helpers,
// the scripted frame that can run sent commands, and an application on it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "control/application.h"
#include "control/dispatcher.h"
#include "frame/command_ids.h"
#include "merge/fake_frame.h"
#include "merge/side_loader.h"
#include "support/temp_folder.h"

namespace tandel::testing_support {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

// The shared fake, running sent commands through a handler as the walk needs.
class DispatchingFrame : public test::FakeFrame {
public:
    std::function<void(int)> onSend;

    // Removes and returns the oldest posted command, or 0.
    int takePosted() {
        if (posted.empty()) {
            return 0;
        }
        const int id = posted.front();
        posted.erase(posted.begin());
        return id;
    }

    void sendCommand(int id) override {
        FakeFrame::sendCommand(id);
        if (onSend) {
            onSend(id);
        }
    }
    bool shownText(Severity severity, const std::string& text) const {
        const auto texts = shown(severity);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    std::string allMessages() const {
        std::ostringstream out;
        for (const auto& [severity, text] : messages) {
            out << static_cast<int>(severity) << ' ' << text << '\n';
        }
        return out.str();
    }
};

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// An application on the scripted frame, with TMP in a folder of its own.
class AppTest : public ::testing::Test {
protected:
    AppTest() : tmp_("TMP", tmpFolder.path()) {}

    // Loads both sides; the second load posts the comparison.
    void load(const std::string& one, const std::string& two) {
        ASSERT_EQ(loadSide(app.model, app.settings.record, frame, one, 1), LoadResult::Loaded);
        ASSERT_EQ(loadSide(app.model, app.settings.record, frame, two, 2), LoadResult::Loaded);
    }
    // The event loop: posted commands in order, but for the moves to a segment.
    void runPosted() {
        while (const int id = frame.takePosted()) {
            if (id != cmd::kNextUnresolved) {
                dispatchCommand(app, id);
            }
        }
    }

    TempFolder files;
    TempFolder tmpFolder;
    DispatchingFrame frame;
    Application app{frame};

private:
    ScopedEnv tmp_;
};

} // namespace tandel::testing_support
