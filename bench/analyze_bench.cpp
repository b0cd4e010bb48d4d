// The difference algorithm alone, on class arrays shaped like the engine's
// benchmark files: what it costs once the lines are classified.
#include "engine/analyze.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

struct Inputs {
    std::vector<int> first;
    std::vector<int> second;
    int classLimit = 0;
};

// Mostly distinct lines, as in source text or data files.
std::vector<int> distinctLines(std::mt19937& random, int lines) {
    std::vector<int> classes(static_cast<std::size_t>(lines));
    std::uniform_int_distribution<int> pick(1, lines);
    for (int& c : classes) {
        c = pick(random);
    }
    return classes;
}

// `changes` lines of a copy of the first input replaced by new ones, spread
// over the whole input.
Inputs scatteredChanges(int lines, int changes) {
    std::mt19937 random(1);
    Inputs in;
    in.first = distinctLines(random, lines);
    in.second = in.first;
    std::uniform_int_distribution<int> where(0, lines - 1);
    for (int i = 0; i < changes; ++i) {
        in.second[static_cast<std::size_t>(where(random))] = lines + 1 + i;
    }
    in.classLimit = lines + changes + 1;
    return in;
}

// One line in twenty replaced, removed or doubled.
Inputs fivePercentChanged(int lines) {
    std::mt19937 random(2);
    Inputs in;
    in.first = distinctLines(random, lines);
    int fresh = lines + 1;
    for (std::size_t i = 0; i < in.first.size(); ++i) {
        const int c = in.first[i];
        switch (random() % 60) {
        case 0:
            in.second.push_back(fresh++);
            break;
        case 1:
            break;
        case 2:
            in.second.push_back(c);
            in.second.push_back(fresh++);
            break;
        default:
            in.second.push_back(c);
        }
    }
    in.classLimit = fresh;
    return in;
}

// Both inputs drawn at random from a few distinct lines: no line can be
// discarded and the search must cover almost every diagonal.
Inputs fewDistinctLines(int lines, int distinct) {
    std::mt19937 random(3);
    Inputs in;
    std::uniform_int_distribution<int> pick(1, distinct);
    for (int i = 0; i < lines; ++i) {
        in.first.push_back(pick(random));
        in.second.push_back(pick(random));
    }
    in.classLimit = distinct + 1;
    return in;
}

void run(benchmark::State& state, const Inputs& in, bool heuristic) {
    for (auto _ : state) {
        tandel::EditScript script;
        const bool ok = tandel::computeEditScript(in.first, in.second, in.classLimit,
                                                  {.heuristic = heuristic}, script);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(script.data());
    }
}

void BM_MillionLinesHundredChanges(benchmark::State& state) {
    static const Inputs in = scatteredChanges(1000000, 100);
    run(state, in, false);
}
BENCHMARK(BM_MillionLinesHundredChanges)->Unit(benchmark::kMillisecond);

void BM_TwoHundredThousandLinesFivePercent(benchmark::State& state) {
    static const Inputs in = fivePercentChanged(200000);
    run(state, in, state.range(0) != 0);
}
BENCHMARK(BM_TwoHundredThousandLinesFivePercent)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TwentyThousandLinesOfFifty(benchmark::State& state) {
    static const Inputs in = fewDistinctLines(20000, 50);
    run(state, in, state.range(0) != 0);
}
BENCHMARK(BM_TwentyThousandLinesOfFifty)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
