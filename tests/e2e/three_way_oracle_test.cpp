// The unattended three-way merge (-auto -base) against `git merge-file` on
// generated triples and on the merge commits of Tandel's own history: where
// git merges cleanly, Tandel writes the same bytes; where Tandel reports no
// conflict, no BASE line that both sides changed differently is left.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::readFile;
using e2e::RunResult;

// What happens to one BASE line on each side.
enum class Plan { Keep, LocalOnly, RemoteOnly, BothAlike, BothApart };
enum class Edit { Replace, Delete, InsertBefore };

struct Triple {
    std::string base, local, remote;
    // BASE lines (unique in BASE) that both sides replaced or deleted, differently.
    std::vector<std::string> changedApart;
};

// A BASE of a few dozen lines, mostly unique with some repeated ones (blank
// lines, braces) that give the comparisons a choice of alignment, and two
// sides made from it by one-sided, identical and overlapping edits.
Triple makeTriple(std::mt19937& random) {
    const auto pick = [&random](int n) {
        return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    const int lines = 20 + pick(40);
    Triple triple;
    int fresh = 0;
    const auto newLine = [&fresh](const char* side) {
        return std::string(side) + " line " + std::to_string(fresh++) + "\n";
    };
    // Busy triples change a fifth of the lines, quiet ones a twentieth.
    const int changePercent = pick(2) == 0 ? 20 : 5;
    for (int i = 0; i < lines; ++i) {
        const int shared = pick(8);
        const std::string line = shared == 0   ? std::string("\n")
                                 : shared == 1 ? std::string("}\n")
                                               : "base " + std::to_string(i) + "\n";
        Plan plan = Plan::Keep;
        if (pick(100) < changePercent) {
            // Mostly one-sided; one change in eight overlaps a different one.
            const int kind = pick(8);
            plan = kind < 3   ? Plan::LocalOnly
                   : kind < 6 ? Plan::RemoteOnly
                   : kind < 7 ? Plan::BothAlike
                              : Plan::BothApart;
        }
        const Edit edit = static_cast<Edit>(pick(3));
        const auto apply = [&](std::string& side, Edit e, const std::string& added) {
            switch (e) {
            case Edit::Replace:
                side += added;
                break;
            case Edit::Delete:
                break;
            case Edit::InsertBefore:
                side += added + line;
                break;
            }
        };
        triple.base += line;
        switch (plan) {
        case Plan::Keep:
            triple.local += line;
            triple.remote += line;
            break;
        case Plan::LocalOnly:
            apply(triple.local, edit, newLine("ours"));
            triple.remote += line;
            break;
        case Plan::RemoteOnly:
            triple.local += line;
            apply(triple.remote, edit, newLine("theirs"));
            break;
        case Plan::BothAlike: {
            const std::string added = newLine("both");
            apply(triple.local, edit, added);
            apply(triple.remote, edit, added);
            break;
        }
        case Plan::BothApart: {
            const Edit other = edit == Edit::Delete ? Edit::Replace : edit;
            apply(triple.local, edit, newLine("ours"));
            apply(triple.remote, other, newLine("theirs"));
            if (edit != Edit::InsertBefore && shared > 1) {
                triple.changedApart.push_back(line);
            }
            break;
        }
        }
    }
    return triple;
}

bool holdsLine(const std::string& text, const std::string& line) {
    return text.starts_with(line) || text.find("\n" + line) != std::string::npos;
}

// How the runs of a set of triples came out.
struct Tally {
    int triples = 0;
    int clean = 0;  // merged cleanly by git
    int agreed = 0; // ... and by Tandel, to the same bytes
    int tandelClean = 0;
};

// Runs git merge-file and tandel -auto -base on the triple written in `box`;
// returns Tandel's result when it merged without conflict.
std::optional<std::string> judge(const e2e::Sandbox& box, const std::string& what, Tally& tally) {
    const auto base = box.root / "base.txt";
    const auto local = box.root / "local.txt";
    const auto remote = box.root / "remote.txt";
    const auto merged = box.root / "merged.txt";
    ++tally.triples;
    const RunResult git = box.run(
        "/usr/bin/git", {"merge-file", "-p", local.string(), base.string(), remote.string()});
    EXPECT_GE(git.exitCode, 0) << what << git.errors;
    std::filesystem::remove(merged);
    const RunResult tandel =
        box.run(TANDEL_PATH, {"-auto", "-base", base.string(), "-f1", local.string(), "-f2",
                              remote.string(), "-outf", merged.string()});
    EXPECT_TRUE(tandel.exitCode == 0 || tandel.exitCode == 1) << what << tandel.errors;
    std::optional<std::string> result;
    if (tandel.exitCode == 1) {
        // Nothing written, and the count said.
        EXPECT_FALSE(std::filesystem::exists(merged)) << what;
        EXPECT_NE(tandel.errors.find("left; nothing written"), std::string::npos) << what;
    } else if (tandel.exitCode == 0) {
        ++tally.tandelClean;
        result = readFile(merged);
    }
    if (git.exitCode == 0) {
        ++tally.clean;
        if (result == git.out) {
            ++tally.agreed;
        } else {
            std::printf("%s differs from git merge-file (exit %d)\n", what.c_str(),
                        tandel.exitCode);
        }
    }
    return result;
}

void report(const char* set, const Tally& tally) {
    std::printf("three-way, %s: %d of %d clean merges agree with git merge-file (%.1f%%); "
                "%d of %d triples merged without conflict\n",
                set, tally.agreed, tally.clean,
                tally.clean > 0 ? 100.0 * tally.agreed / tally.clean : 0.0, tally.tandelClean,
                tally.triples);
}

TEST(ThreeWayOracle, CleanMergesMatchGitMergeFileAndNoConflictedBaseLineSurvives) {
    e2e::Sandbox box;
    std::mt19937 random(20261208);
    constexpr int kTriples = 300;
    Tally tally;
    for (int n = 0; n < kTriples; ++n) {
        const Triple triple = makeTriple(random);
        box.put("base.txt", triple.base);
        box.put("local.txt", triple.local);
        box.put("remote.txt", triple.remote);
        const std::string what = "triple " + std::to_string(n);
        if (const auto result = judge(box, what, tally)) {
            for (const std::string& line : triple.changedApart) {
                EXPECT_FALSE(holdsLine(*result, line)) << what << " kept " << line;
            }
        }
    }
    report("generated triples", tally);
    ASSERT_GE(tally.clean, kTriples / 4) << "too few clean triples to judge";
    EXPECT_GE(tally.agreed * 100, tally.clean * 99);
}

// Real triples: every file both parents of a merge commit changed, at the
// merge base and at the two parents, from the history of Tandel's own sources
// (the latest 40 merges, so that the run stays short as the history grows).
TEST(ThreeWayOracle, MergeCommitsOfTheSourceHistoryMatchGitMergeFile) {
    e2e::Sandbox box;
    const auto git = [&box](std::vector<std::string> words) {
        words.insert(words.begin(), {"-c", "safe.directory=*", "-C", TANDEL_SOURCE_DIR});
        return box.run("/usr/bin/git", words);
    };
    const auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            out.push_back(line);
        }
        return out;
    };
    const RunResult merges = git({"log", "--merges", "--max-count=40", "--format=%H %P"});
    if (merges.exitCode != 0 || merges.out.empty()) {
        GTEST_SKIP() << "the sources are not a git clone with merge commits";
    }
    Tally tally;
    for (const std::string& merge : lines(merges.out)) {
        std::istringstream words(merge);
        std::string commit, one, two;
        words >> commit >> one >> two;
        const RunResult base = git({"merge-base", one, two});
        if (base.exitCode != 0) {
            continue;
        }
        const std::string ancestor = lines(base.out).at(0);
        const auto changed = [&](const std::string& parent) {
            std::vector<std::string> names =
                lines(git({"diff", "--name-only", ancestor, parent}).out);
            std::sort(names.begin(), names.end());
            return names;
        };
        const std::vector<std::string> ours = changed(one), theirs = changed(two);
        std::vector<std::string> both;
        std::set_intersection(ours.begin(), ours.end(), theirs.begin(), theirs.end(),
                              std::back_inserter(both));
        for (const std::string& name : both) {
            bool present = true;
            for (const auto& [revision, file] :
                 {std::pair{ancestor, "base.txt"}, {one, "local.txt"}, {two, "remote.txt"}}) {
                const RunResult shown = git({"show", revision + ":" + name});
                present = present && shown.exitCode == 0;
                box.put(file, shown.out);
            }
            if (present) {
                (void)judge(box, commit.substr(0, 8) + " " + name, tally);
            }
        }
    }
    report("merge commits of the sources", tally);
    if (tally.clean == 0) {
        GTEST_SKIP() << "no file merged cleanly in the history";
    }
    EXPECT_GE(tally.agreed * 100, tally.clean * 99);
}

} // namespace
