// Helpers for the merge tests: the shared temporary folder and file helpers,
// and an application on the scripted frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

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
    test::FakeFrame frame;
    Application app{frame};

private:
    ScopedEnv tmp_;
};

} // namespace tandel::testing_support
