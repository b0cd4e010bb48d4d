// What the real program does with a tandel.ini it cannot read cleanly or may
// not write: the user's bytes are never lost without a word.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using e2e::readFile;
using e2e::writeFile;
namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    e2e::RunResult merge() const {
        return box.run(TANDEL_PATH, {"-auto", "-f1", box.put("a", "a\n").string(), "-f2",
                                     box.put("b", "b\n").string(), "-outf",
                                     (box.root / "out").string()});
    }
    static std::size_t count(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }

    e2e::Sandbox box{"tandel-settings"};
    const fs::path ini = box.folder("config/tandel") / "tandel.ini";
    const std::string bad = ini.string() + ".bad";
};

TEST_F(SettingsFile, AFileThatIsNoTextIsKeptBesideItAndReplacedAfterOneWarning) {
    std::string utf16 = "\xff\xfe";
    for (const char c : std::string("[Options]\r\nTab size=4\r\n[Mine]\r\nk=v\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    writeFile(ini, utf16);
    e2e::RunResult r = merge();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(count(r.errors, "Warning: "), 1u) << r.errors;
    EXPECT_NE(r.errors.find("Warning: The settings file " + ini.string() +
                            " is not a text file, so the default settings are used. The file as "
                            "it was is kept as " + bad + ".\n"),
              std::string::npos)
        << r.errors;
    EXPECT_EQ(readFile(bad), utf16);
    EXPECT_NE(readFile(ini).find("\nTab size=8\n"), std::string::npos);

    r = merge();
    EXPECT_EQ(count(r.errors, "Warning: "), 0u) << r.errors;
    EXPECT_EQ(readFile(bad), utf16);
}

TEST_F(SettingsFile, ALineNotUnderstoodAndUnknownSectionsAreWrittenBack) {
    const std::string text = "[Mine]\nk = v\n[Options\nTab size=4\n";
    writeFile(ini, text);
    const e2e::RunResult r = merge();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_NE(r.errors.find("Warning: Line 3 of the settings file " + ini.string()),
              std::string::npos)
        << r.errors;
    EXPECT_EQ(readFile(bad), text);
    const std::string written = readFile(ini);
    EXPECT_NE(written.find("[Mine]\nk=v\n\n;[Options\nTab size=4\n"), std::string::npos)
        << written;
}

TEST_F(SettingsFile, AReadOnlyFileStaysAsItWasAndTheRunSaysSo) {
    writeFile(ini, "[Options]\nTab size=4\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const e2e::RunResult r = merge();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_NE(r.errors.find("Warning: The settings were not written to " + ini.string() +
                            ": Permission denied.\n"),
              std::string::npos)
        << r.errors;
    EXPECT_EQ(readFile(ini), "[Options]\nTab size=4\n");
}

// A file that is there but cannot be read: the merge would follow the defaults
// rather than the stored settings, so the unattended run says why and stops,
// and the file is never written over at the end.
class UnreadableSettings : public SettingsFile {
protected:
    void expectStopped(const std::string& reason) const {
        const e2e::RunResult r = merge();
        EXPECT_EQ(r.exitCode, 2) << r.errors;
        EXPECT_EQ(r.errors, "Error: The settings file " + ini.string() +
                                " cannot be read: " + reason +
                                ". Nothing is merged, as the result would not follow the "
                                "stored settings.\n");
        EXPECT_FALSE(fs::exists(box.root / "out"));
    }
    const std::string stored = "[Options]\nUnix format=0\n";
};

TEST_F(UnreadableSettings, AFolderOrALinkLoopInItsPlaceStopsTheRun) {
    fs::create_directory(ini);
    expectStopped("Is a directory");
    EXPECT_TRUE(fs::is_empty(ini));
    fs::remove(ini);

    fs::create_symlink(ini.filename(), ini);
    expectStopped("Too many levels of symbolic links");
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_FALSE(fs::exists(bad));
}

TEST_F(UnreadableSettings, AFileWithoutReadPermissionStopsTheRun) {
    writeFile(ini, stored);
    fs::permissions(ini, fs::perms::none);
    if (std::ifstream(ini).is_open()) {
        fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
        GTEST_SKIP() << "this user reads a file of mode 000 (root): covered in process by the "
                        "failing file layer instead";
    }
    expectStopped("Permission denied");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readFile(ini), stored);
    EXPECT_FALSE(fs::exists(bad));
}

} // namespace
