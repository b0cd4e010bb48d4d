// The real programs, one run per row, in a minimal environment (no display, a
// private HOME, XDG_CONFIG_HOME and TMP): status, result and what they said.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::readFile;
namespace fs = std::filesystem;

enum Program { Tandel, Diff, LimitedTandel, LimitedDiff };

struct ProgramRun {
    const char* name;
    Program program;
    // The words, split at blanks; "@name" in them and in the texts stands for
    // the sandbox's file of that name, which ends at a blank or a colon.
    const char* words;
    int exitCode;
    const char* result;        // what "@out" holds afterwards; nullptr: there is none
    const char* said;          // a part of standard error; "": it says nothing
    const char* out = nullptr; // the whole standard output, when given
};

const ProgramRun kRuns[] = {
    // Every segment is taken, file 2's lines first, each with its own line end.
    {"a merge", Tandel, "-auto -f1 @a -f2 @b -outf @out", 0, "one\n2\ntwo\nthree\nfour\n", ""},
    {"bare names", Tandel, "-auto @x @y /outf @out", 0, "y\nx\n", ""},
    {"an empty file", Tandel, "-auto -f1 @empty -f2 @full -outf @out", 0, "only\n", ""},
    {"identical files", Tandel, "-auto -f1 @full -f2 @twin -outf @out", 0, "only\n",
     "Info: Files are identical"},
    {"a file name that reads like a change", Tandel, "-auto -f1 @n\n0a1\nx -f2 @s -outf @out", 0,
     "p\nq\n", "Info: Files are identical"},
    {"binary files that differ", Tandel, "-auto -f1 @a.bin -f2 @b.bin -outf @kept", 2, nullptr,
     "Error: Binary files"},
    {"a missing input", Tandel, "-auto -f1 @a -f2 @missing -outf @out", 2, nullptr, "Error: "},
    {"an output under a file", Tandel, "-auto -f1 @a -f2 @b -outf @kept/out", 2, nullptr,
     "Error: "},
    {"one input only", Tandel, "-auto -f1 @a", 2, nullptr, "Error: "},
    {"no output file", Tandel, "-auto @a @b", 255, nullptr, "Error: "},
    {"an unknown switch last", Tandel, "-auto -f1 @a -f2 @b -outf @out -bogus", 2, nullptr,
     "Error: Unknown option"},
    {"a read-only target", Tandel, "-auto -f1 @a -f2 @b -outf @readonly", 2, nullptr,
     "Error: Nothing was saved to @readonly"},
    {"a folder target", Tandel, "-auto -f1 @a -f2 @b -outf @folder", 2, nullptr,
     "Error opening output file @folder: Is a directory"},
    {"a folder target for identical files", Tandel, "-auto -f1 @full -f2 @twin -outf @folder", 2,
     nullptr, "Error"},
    {"a sparse file larger than memory", Tandel, "-auto -f1 @sparse -f2 @a -outf @out", 2, nullptr,
     "Error: Unable to open file @sparse: File too large\n"},
    {"a device that never ends", LimitedTandel, "-auto -f1 /dev/zero -f2 @a -outf @out", 2, nullptr,
     "Error: Unable to open file /dev/zero: "},

    {"a difference", Diff, "@five @seven", 1, nullptr, "", "3a4,5\n"},
    {"identical files reported", Diff, "-s @five @five", 0, nullptr, "",
     "Files @five and @five are identical\n"},
    {"-o names the result file", Diff, "-o @out @crlf @lf", 1, "1,2c1,2\n", "", ""},
    {"--output abbreviated, and -b", Diff, "-b --ou=@out @crlf @lf", 0, "", "", ""},
    {"binary against empty", Diff, "@empty @binary", 1, nullptr, "", "0a1,3\n"},
    {"brief", Diff, "-q @empty @binary", 1, nullptr, "", ""},
    {"a missing input", Diff, "@five @missing", 2, nullptr, "missing"},
    // Following the links would double the walk at every level.
    {"two links to itself on each side", Diff, "-r @d1 @d2", 2, nullptr,
     "tandel-diff: @d1/l: recursive directory loop\ntandel-diff: @d1/m: recursive directory loop\n",
     ""},
    {"a sparse file larger than memory", Diff, "@sparse @a", 2, nullptr,
     "tandel-diff: cannot read @sparse: File too large: 4398046511104 bytes, more than the "},
    {"a device that never ends", LimitedDiff, "/dev/zero @a", 2, nullptr,
     "tandel-diff: cannot read /dev/zero: "},
};

class ProgramRuns : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<const char*, std::string> files[] = {
            {"a", "one\ntwo\nthree\n"},
            {"b", "one\n2\nthree\nfour\n"},
            {"x", "x\n"},
            {"y", "y\n"},
            {"empty", ""},
            {"full", "only\n"},
            {"twin", "only\n"},
            {"n\n0a1\nx", "p\nq\n"},
            {"s", "p\nq\n"},
            {"a.bin", std::string("\177ELF\0\n\1", 7)},
            {"b.bin", std::string("\177ELF\0\r\n\2", 8)},
            {"kept", "kept\n"},
            {"readonly", "mine\n"},
            {"five", "1\n2\n3\n4\n5\n"},
            {"seven", "1\n2\n3\nx\ny\n4\n5\n"},
            {"crlf", "x\r\ny"},
            {"lf", "x\ny\n"},
            {"binary", std::string("\0\x01\n\xff\n\0", 6)},
        };
        for (const auto& [name, bytes] : files)
            inputs.emplace_back(box.put(name, bytes), bytes);
        ::chmod((box.root / "readonly").c_str(), 0444);
        fs::resize_file(box.put("sparse", ""), std::uintmax_t{1} << 42);
        box.folder("folder");
        for (const char* side : {"d1", "d2"})
            for (const char* link : {"l", "m"})
                fs::create_directory_symlink(".", box.folder(side) / link);
    }

    // The text with each "@name" replaced by the path of that sandbox file.
    std::string expand(std::string text) const {
        for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
            if (at + 1 == text.size() || !std::isalnum(static_cast<unsigned char>(text[at + 1]))) {
                ++at;
                continue;
            }
            const std::size_t end = std::min(text.find_first_of(" :", at), text.size());
            const std::string path = (box.root / text.substr(at + 1, end - at - 1)).string();
            text.replace(at, end - at, path);
            at += path.size();
        }
        return text;
    }

    e2e::Sandbox box;
    std::vector<std::pair<fs::path, std::string>> inputs;
};

TEST_F(ProgramRuns, StatusResultAndMessage) {
    for (const ProgramRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        // A limited address space lets a device that never ends meet the bound soon.
        const bool limited = run.program == LimitedTandel || run.program == LimitedDiff;
        const bool diff = run.program == Diff || run.program == LimitedDiff;
        const std::string program = diff ? TANDEL_DIFF_PATH : TANDEL_PATH;
        std::vector<std::string> words;
        if (limited)
            words = {"-c", "ulimit -v 300000 && exec \"$0\" \"$@\"", program};
        std::istringstream split(run.words);
        for (std::string word; std::getline(split, word, ' ');)
            words.push_back(expand(word));
        const e2e::RunResult r = box.run(limited ? "/bin/sh" : program, words);
        EXPECT_EQ(r.exitCode, run.exitCode) << r.errors;
        if (*run.said == '\0') {
            EXPECT_EQ(r.errors, "");
        } else {
            EXPECT_NE(r.errors.find(expand(run.said)), std::string::npos) << r.errors;
        }
        if (run.out != nullptr) {
            EXPECT_EQ(r.out, expand(run.out));
        }
        EXPECT_EQ(fs::exists(box.root / "out"), run.result != nullptr);
        if (run.result != nullptr) {
            EXPECT_EQ(readFile(box.root / "out"), run.result);
        }
        fs::remove(box.root / "out");
    }
    // No input or refused target changed or backed up, no temporary file left.
    for (const auto& [path, bytes] : inputs)
        EXPECT_EQ(readFile(path), bytes) << path;
    for (const char* name : {"kept.bak", "readonly.bak", "out.bak"})
        EXPECT_FALSE(fs::exists(box.root / name)) << name;
    EXPECT_TRUE(fs::is_empty(box.root / "folder"));
    EXPECT_TRUE(fs::is_empty(box.root / "tmp"));
    EXPECT_TRUE(fs::exists(box.root / "config" / "tandel" / "tandel.ini"));
}

TEST_F(ProgramRuns, WithoutADisplayTheWindowedRunSaysSo) {
    const e2e::RunResult r = box.run(TANDEL_PATH, {expand("@a"), expand("@b")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("no display found"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("-auto"), std::string::npos);
    EXPECT_EQ(r.errors.find("platform plugin"), std::string::npos);
    EXPECT_FALSE(fs::exists(box.root / "config" / "tandel" / "tandel.ini"));
    EXPECT_EQ(readFile(box.root / "a"), "one\ntwo\nthree\n");
}

// A mapped input cut short by another process is a read error, never a crash.
TEST(ChangedInputTest, AFileCutShortDuringTheComparisonIsAReadError) {
    e2e::Sandbox box;
    // With -d the search over these would take minutes.
    std::vector<int> numbers(100000);
    std::iota(numbers.begin(), numbers.end(), 0);
    const auto text = [&] {
        std::string out;
        for (int n : numbers)
            out += "line number " + std::to_string(n) + "\n";
        return out;
    };
    const std::string first = box.put("first", text()).string();
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(3));
    const std::string second = box.put("second", text()).string();

    const pid_t pid = box.start(TANDEL_DIFF_PATH, {"-d", first, second});
    ASSERT_NE(pid, 0);
    // Cut after a fifth of a second of processor time (/proc/PID/stat): mapped, still searching.
    const auto warmingUp = [&] {
        const std::string stat = e2e::readFile("/proc/" + std::to_string(pid) + "/stat");
        std::istringstream fields(stat.substr(std::min(stat.rfind(')') + 1, stat.size())));
        const std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
        return f.size() > 11 && f[0] != "Z" && std::stol(f[11]) < ::sysconf(_SC_CLK_TCK) / 5;
    };
    for (int i = 0; i < 60000 && warmingUp(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(::truncate(second.c_str(), 10), 0);
    const e2e::RunResult r = box.finish(pid);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.errors.find("cannot read " + second + ": the file changed while it was compared"),
              std::string::npos)
        << r.errors;
}

} // namespace
