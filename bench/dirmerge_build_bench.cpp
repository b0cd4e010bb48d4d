// The directory window's list build over two generated trees (see
// gen_dir_trees.py), with every pair compared by content through the
// comparison driver, as a directory window instance does it.
// TANDEL_BENCH_TREES names the folder that holds "one" and "two".
#include "control/application.h"
#include "dirmerge/directory_merge.h"

#include <benchmark/benchmark.h>

#include "quiet_frame.h"

#include <cstdlib>
#include <string>

namespace {

std::string trees() {
    const char* t = std::getenv("TANDEL_BENCH_TREES");
    return t ? t : "/tmp/tandel-dir-trees";
}

void runBuild(benchmark::State& state, bool recursive) {
    const std::string root = trees();
    std::size_t rows = 0;
    std::size_t different = 0;
    for (auto _ : state) {
        tandel::bench::QuietFrame frame;
        tandel::Application app(frame);
        app.frameState.directoryWindow = true;
        app.settings.record.recursive = recursive ? 1 : 0;
        tandel::DirectoryMerge dirs(app, "tandel", nullptr);
        // Only the rows count here.
        static_cast<void>(dirs.buildList(root + "/one", root + "/two", root + "/out", {}));
        rows = dirs.state.rows.size();
        different = 0;
        for (const auto& r : dirs.state.rows)
            different += r.left.state != tandel::RowState::Same;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["not_equal"] = static_cast<double>(different);
}

void BM_DirectoryListBuild(benchmark::State& state) {
    runBuild(state, true);
}
BENCHMARK(BM_DirectoryListBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
