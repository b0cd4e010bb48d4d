// Two real folder trees in a private folder, the application object over the
// recording frame, and directory merging whose started instances are
// recorded instead of run.
#pragma once

#include <string>
#include <vector>

#include "dirmerge/directory_merge.h"
#include "control/application.h"
#include "merge/fake_frame.h"
#include "support/temp_folder.h"

namespace tandel::test {

struct DirectoryFixture {
    testing::TempFolder tree;
    FakeFrame frame;
    Application app{frame};
    std::vector<std::vector<std::string>> started;
    DirectoryMerge dirs{app, "/opt/tandel bin/tandel",
                        [this](const std::vector<std::string>& a) { started.push_back(a); }};
    std::string dir1 = tree.mkdir("left side");
    std::string dir2 = tree.mkdir("right side");
    std::string out = tree.file("out put");

    DirectoryFixture() {
        app.frameState.directoryWindow = true;
        app.settings.record.recursive = 1;
        FilesSection& files = app.settings.files;
        files.selectDir1 = dir1;
        files.selectDir2 = dir2;
        files.selectOutdir = out;
    }

    // `name` in both trees, the same or different, stamped at `time` on the
    // left and a second later on the right so that they are compared.
    void pair(const std::string& name, bool same, std::int64_t time) {
        tree.write("left side/" + name, "one\n", time);
        tree.write("right side/" + name, same ? "one\n" : "two\n", time + 1);
    }
    void leftOnly(const std::string& name, std::int64_t time) {
        tree.write("left side/" + name, "left\n", time);
    }
    void rightOnly(const std::string& name, std::int64_t time) {
        tree.write("right side/" + name, "right\n", time);
    }

    int build(const BuildProgress& progress = {}) {
        return dirs.buildList(dir1, dir2, out, progress);
    }
};

} // namespace tandel::test
