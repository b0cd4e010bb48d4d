// The unattended three-way merge (-auto -base) against `git merge-file` on
// generated triples: where git merges cleanly, Tandel writes the same bytes;
// where Tandel reports no conflict, no BASE line that both sides changed
// differently is left in its result.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
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

TEST(ThreeWayOracle, CleanMergesMatchGitMergeFileAndNoConflictedBaseLineSurvives) {
    e2e::Sandbox box("tandel-three");
    const auto base = box.root / "base.txt";
    const auto local = box.root / "local.txt";
    const auto remote = box.root / "remote.txt";
    const auto merged = box.root / "merged.txt";
    std::mt19937 random(20261208);
    constexpr int kTriples = 300;
    int clean = 0;
    int agreed = 0;
    int tandelClean = 0;
    for (int n = 0; n < kTriples; ++n) {
        const Triple triple = makeTriple(random);
        e2e::writeFile(base, triple.base);
        e2e::writeFile(local, triple.local);
        e2e::writeFile(remote, triple.remote);
        const RunResult git = box.run(
            "/usr/bin/git", {"merge-file", "-p", local.string(), base.string(), remote.string()});
        ASSERT_GE(git.exitCode, 0) << git.errors;
        std::filesystem::remove(merged);
        const RunResult tandel =
            box.run(TANDEL_PATH, {"-auto", "-base", base.string(), "-f1", local.string(), "-f2",
                                  remote.string(), "-outf", merged.string()});
        ASSERT_TRUE(tandel.exitCode == 0 || tandel.exitCode == 1) << tandel.errors;
        if (tandel.exitCode == 1) {
            // Nothing written, and the count said.
            EXPECT_FALSE(std::filesystem::exists(merged));
            EXPECT_NE(tandel.errors.find("left; nothing written"), std::string::npos);
        } else {
            ++tandelClean;
            const std::string result = readFile(merged);
            for (const std::string& line : triple.changedApart) {
                EXPECT_FALSE(holdsLine(result, line)) << "triple " << n << " kept " << line;
            }
        }
        if (git.exitCode != 0) {
            continue;
        }
        ++clean;
        if (tandel.exitCode == 0 && readFile(merged) == git.out) {
            ++agreed;
        } else {
            std::printf("triple %d differs from git merge-file (exit %d)\n", n, tandel.exitCode);
        }
    }
    std::printf("three-way: %d of %d clean merges agree with git merge-file (%.1f%%); "
                "%d of %d triples merged without conflict\n",
                agreed, clean, clean > 0 ? 100.0 * agreed / clean : 0.0, tandelClean, kTriples);
    ASSERT_GE(clean, kTriples / 4) << "too few clean triples to judge";
    EXPECT_GE(agreed * 100, clean * 99);
}

} // namespace
