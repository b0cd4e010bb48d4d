// Splitting, hashing and classifying the lines of two inputs, on one thread
// and on two: where a second thread starts to pay for itself
// (kParallelFromBytes in engine.h).
#include "engine/engine.h"
#include "engine/input_file.h"
#include "engine/read_inputs.h"
#include "engine/run_hooks.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// Lines of about 60 bytes, as in data and source files; the second input has
// one line in a thousand changed, and a change in its first line so that the
// identical head is empty.
struct Texts {
    std::string first;
    std::string second;
};

const Texts& textsOf(std::size_t bytes) {
    static std::vector<std::pair<std::size_t, Texts>> made;
    for (const auto& [size, texts] : made) {
        if (size == bytes)
            return texts;
    }
    std::mt19937_64 random(bytes);
    Texts texts;
    for (int line = 0; texts.first.size() < bytes; ++line) {
        const std::string text = std::to_string(line) + " alpha beta gamma delta epsilon " +
                                 std::to_string(random()) + "\n";
        texts.first += text;
        texts.second += line == 0 || random() % 1000 == 0 ? "changed\n" : text;
    }
    made.emplace_back(bytes, std::move(texts));
    return made.back().second;
}

void BM_ReadInputs(benchmark::State& state) {
    const Texts& texts = textsOf(static_cast<std::size_t>(state.range(0)));
    tandel::EngineContext context;
    context.parallelFrom = state.range(1) != 0 ? 0 : SIZE_MAX;
    std::vector<char> copies[2];
    for (auto _ : state) {
        state.PauseTiming();
        tandel::InputFile inputs[2];
        const std::string* sources[2] = {&texts.first, &texts.second};
        for (int side = 0; side < 2; ++side) {
            copies[side].assign(sources[side]->begin(), sources[side]->end());
            copies[side].resize(sources[side]->size() + tandel::kEngineSpareBytes);
            inputs[side].buffer = copies[side].data();
            inputs[side].length = sources[side]->size();
        }
        state.ResumeTiming();
        tandel::readInputs(inputs[0], inputs[1], false, tandel::LineRules(), false, context,
                           tandel::RunHooks());
        benchmark::DoNotOptimize(inputs[1].classes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 2 * state.range(0));
}
BENCHMARK(BM_ReadInputs)
    ->ArgsProduct({{1 << 14, 1 << 16, 1 << 17, 1 << 18, 1 << 20, 1 << 22}, {0, 1}})
    ->ArgNames({"bytes", "threads"})
    ->UseRealTime();

} // namespace
