// Unattended runs of the real program under settings read from tandel.ini. Every
// segment is taken (file 2's lines, then file 1's) and common lines come from file
// 1, so the merged output shows which lines the settings made equal.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The written file as "section/key" (lower case) -> values, one pair of quotes
// removed; a key written twice under different cases has two values.
using IniFile = std::multimap<std::string, std::string>;

IniFile parseIni(const std::string& text) {
    IniFile ini;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (line.starts_with('[')) {
            section = line.substr(1, line.find(']') - 1);
        } else if (eq != std::string::npos) {
            std::string value = line.substr(eq + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            ini.emplace(lower(section + "/" + line.substr(0, eq)), value);
        }
    }
    return ini;
}

std::string valueOf(const IniFile& ini, const std::string& section, const std::string& key) {
    const auto it = ini.find(lower(section + "/" + key));
    return it == ini.end() ? "<missing>" : it->second;
}

struct RunResult {
    int exitCode = -1;
    std::string errors;
};

class AutoSettings : public ::testing::Test {
protected:
    AutoSettings() {
        std::string pattern = (fs::temp_directory_path() / "tandel-ini-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        for (const char* sub : {"home", "config/tandel", "tmp"}) {
            fs::create_directories(root / sub);
        }
    }
    ~AutoSettings() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path ini() const { return root / "config" / "tandel" / "tandel.ini"; }

    // The real program with a minimal environment: no display, private folders.
    RunResult merge(const std::string& file1, const std::string& file2) {
        writeFile(root / "a.txt", file1);
        writeFile(root / "b.txt", file2);
        std::vector<std::string> args{TANDEL_PATH, "-auto",
                                      "-f1",       (root / "a.txt").string(),
                                      "-f2",       (root / "b.txt").string(),
                                      "-outf",     out().string()};
        std::vector<std::string> env{"HOME=" + (root / "home").string(),
                                     "XDG_CONFIG_HOME=" + (root / "config").string(),
                                     "TMP=" + (root / "tmp").string(), "PATH=/usr/bin:/bin"};
        std::vector<char*> argv, envp;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        for (auto& e : env) {
            envp.push_back(e.data());
        }
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        const fs::path errorsPath = root / "stderr.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        pid_t pid = 0;
        RunResult result;
        if (posix_spawn(&pid, TANDEL_PATH, &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            result.errors = readFile(errorsPath);
        }
        posix_spawn_file_actions_destroy(&actions);
        return result;
    }

    fs::path out() const { return root / "out.txt"; }

    fs::path root;
};

struct SettingsCase {
    const char* name;
    const char* ini;
    const char* file1;
    const char* file2;
    const char* merged;
};

const SettingsCase kCases[] = {
    {"comma-separated, column 2 ignored",
     "[Options]\nUnix format=1\nComparison mode=1\n"
     "[Table Options]\nColDef type=5\nCustom separators=,\nIgnored columns=2\n",
     "id,name,qty\n1,apple,5\n2,pear,7\n", "id,label,qty\n1,apricots,5\n2,pear,8\n",
     "id,name,qty\n1,apple,5\n2,pear,8\n2,pear,7\n"},
    {"white-space-separated, column 2 ignored",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=3\n"
     "Ignored columns=2\n",
     "a b c\nk l m\n", "a  xyz\tc\nk l n\n", "a b c\nk l n\nk l m\n"},
    {"column positions, stored out of order and with blanks",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=6\n"
     "Column positions=6:8, 1 : 3\n",
     "abcXXdef\n123..456\n", "abcYYdef\n123--457\n", "abcXXdef\n123--457\n123..456\n"},
    {"every separator a column: column 3 is the second field",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=5\n"
     "Custom separators=,\nIgnore MultiSeps=0\nIgnored columns=3\n",
     "a,b,c\np,q,r\n", "a,X,c\np,q,s\n", "a,b,c\np,q,s\np,q,r\n"},
    {"comments to the end of the line and across lines",
     "[Options]\nUnix format=1\nIgnore comments=1\nIgnored Segments=# $ /* */ \n",
     "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nz\n",
     "x = 1 # the first\n/* begin\nother\ntext */  y = 2\nw\n",
     "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nw\nz\n"},
    {"compressed spaces", "[Options]\nUnix format=1\nCompress spaces=1\n", "a  b\nab\n",
     "a \t b\na b\n", "a  b\na b\nab\n"},
    {"all spaces ignored", "[Options]\nUnix format=1\nIgnore Spaces=1\n", "ab c\nq\n",
     "a b  c\nr\n", "ab c\nr\nq\n"},
    {"Unix format on keeps every line end", "[Options]\nUnix format=1\n", "a\r\nb\n", "a\nc\r\n",
     "a\nc\r\na\r\nb\n"},
    {"Unix format off writes CR LF", "[Options]\nUnix format=0\n", "a\r\nb\n", "a\nc\r\n",
     "a\r\nc\r\nb\r\n"},
    {"identical under table columns",
     "[Options]\nComparison mode=1\n[Table Options]\nColDef type=5\nCustom separators=;\n"
     "Inclusive spec=1\nIncluded columns= 1, 3\n",
     "1;a;2\r\n3;b;4\n", "1;bb;2\n3;c;4\n", nullptr},
    {"identical under compressed spaces", "[Options]\nCompress spaces=1\n", "a  b\r\nc\n",
     "a b\nc\n", nullptr},
    {"identical under comments", "[Options]\nIgnore comments=1\nIgnored Segments=-- $\n",
     "x -- one\n", "x -- two\n", nullptr},
};

TEST_F(AutoSettings, MergedOutputFollowsTheStoredComparisonSettings) {
    for (const SettingsCase& c : kCases) {
        SCOPED_TRACE(c.name);
        writeFile(ini(), c.ini);
        fs::remove(out());
        const RunResult r = merge(c.file1, c.file2);
        ASSERT_EQ(r.exitCode, 0) << r.errors;
        // Files equal only under the settings are reported identical, and the
        // result is file 1 byte for byte, whatever the line-end setting.
        const bool identical = c.merged == nullptr;
        EXPECT_EQ(r.errors.find("Info: Files are identical") != std::string::npos, identical)
            << r.errors;
        EXPECT_EQ(readFile(out()), identical ? c.file1 : c.merged);
    }
}

TEST_F(AutoSettings, ShutDownWritesTheSettingsBack) {
    // First run: no file at all; the defaults are written.
    ASSERT_EQ(merge("1\n", "2\n").exitCode, 0);
    IniFile written = parseIni(readFile(ini()));
    EXPECT_EQ(valueOf(written, "Options", "Tab size"), "8");
    EXPECT_EQ(valueOf(written, "Options", "Comparison mode"), "0");
    EXPECT_EQ(valueOf(written, "Table Options", "ColDef type"), "3");
    EXPECT_EQ(valueOf(written, "Table Options", "Ignore MultiSeps"), "1");
    EXPECT_EQ(valueOf(written, "Table Options", "Column positions"), "");

    // The user's values survive the run, in the forms they are stored in; the
    // lower-case spelling of the spaces key is read and written back once.
    writeFile(ini(), "[Options]\nTab size=4\nContext lines=5\nIgnore spaces=1\nUnix format=1\n"
                     "Comparison mode=1\nIgnore comments=1\nIgnored Segments=-- $ \n"
                     "[Table Options]\nColDef type=5\nCustom separators=\\t;\n"
                     "Custom charset=0-9\nInclusive spec=1\nIncluded columns=1;3\n"
                     "Ignore MultiSeps=0\nColumn positions=12:20,1:8\n");
    // Separators count as columns, so column 3 is the second field and decides.
    const RunResult r = merge("1;a;2\n", "1;b;2\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out()), "1;b;2\n1;a;2\n");
    written = parseIni(readFile(ini()));
    const char* const kept[][3] = {
        {"Options", "Tab size", "4"},
        {"Options", "Context lines", "5"},
        {"Options", "Ignore Spaces", "1"},
        {"Options", "Comparison mode", "1"},
        {"Options", "Ignore comments", "1"},
        {"Options", "Ignored Segments", "-- $ "},
        {"Table Options", "ColDef type", "5"},
        {"Table Options", "Custom separators", "\\t;"},
        {"Table Options", "Custom charset", "0-9"},
        {"Table Options", "Inclusive spec", "1"},
        {"Table Options", "Included columns", " 1, 3"},
        {"Table Options", "Ignored columns", ""},
        {"Table Options", "Ignore MultiSeps", "0"},
        {"Table Options", "Column positions", "1:8,12:20"},
    };
    for (const auto& [section, key, value] : kept) {
        EXPECT_EQ(valueOf(written, section, key), value) << key;
    }
    EXPECT_EQ(written.count("options/ignore spaces"), 1u);
}

} // namespace
