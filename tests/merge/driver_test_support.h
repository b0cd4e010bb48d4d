// Helpers for the merge tests: the shared temporary folder and file helpers,
// and an application on the scripted frame.
#pragma once

#include <gtest/gtest.h>

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

// An application on the scripted frame.
class AppTest : public ::testing::Test {
protected:
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
    test::FakeFrame frame;
    Application app{frame};
};

} // namespace tandel::testing_support
