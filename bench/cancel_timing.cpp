// How soon a comparison stops once it is cancelled, in each phase: the
// engine runs on a thread of its own, as the window will run it, on two
// mapped files; the cancel flag is set as the progress enters a phase, and
// the time until run() returns is printed.
// Usage: cancel_timing FILE1 FILE2 [engine options]
#include "base/input_text.h"
#include "engine/engine.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tandel;
using Clock = std::chrono::steady_clock;

class QuietSink : public MessageSink {
public:
    void engineMessage(const std::string& text) override { std::fputs(text.c_str(), stderr); }
};

struct Phase {
    const char* name;
    std::uint32_t start;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: cancel_timing FILE1 FILE2 [engine options]\n", stderr);
        return 2;
    }
    const Phase phases[] = {{"splitting", EngineProgress::kSplitting + 1},
                            {"classifying", EngineProgress::kClassifying + 1},
                            {"discarding", EngineProgress::kDiscarding},
                            {"searching", EngineProgress::kSearching},
                            {"writing", EngineProgress::kWriting}};
    std::printf("%-12s %12s %14s\n", "phase", "cancelled at", "stopped after");
    for (const Phase& phase : phases) {
        std::atomic<bool> faulted{false};
        InputText texts[2];
        for (int side = 0; side < 2; ++side) {
            if (!openInputText(argv[1 + side], defaultInputLimit(), kEngineSpareBytes, &faulted,
                               texts[side])
                     .ok()) {
                std::fprintf(stderr, "cannot read %s\n", argv[1 + side]);
                return 2;
            }
        }
        std::vector<std::string> words{"diff", "-o", "/dev/null"};
        for (int i = 3; i < argc; ++i)
            words.emplace_back(argv[i]);
        words.insert(words.end(), {argv[1], argv[2]});
        std::vector<char*> arguments;
        for (std::string& word : words)
            arguments.push_back(word.data());
        arguments.push_back(nullptr);

        std::atomic<bool> cancel{false};
        std::atomic<std::uint32_t> progress{0};
        std::atomic<bool> finished{false};
        EngineStatus status = EngineStatus::Same;
        Clock::time_point ended;
        std::thread worker([&] {
            QuietSink sink;
            Engine engine;
            EngineContext context;
            context.cancel = &cancel;
            context.progress = &progress;
            status = engine.run(static_cast<int>(words.size()), arguments.data(),
                                {texts[0].data(), texts[0].length()},
                                {texts[1].data(), texts[1].length()}, sink, context);
            ended = Clock::now();
            finished.store(true);
        });
        while (!finished.load() && progress.load() < phase.start)
            std::this_thread::yield();
        const std::uint32_t at = progress.load();
        const Clock::time_point asked = Clock::now();
        cancel.store(true);
        worker.join();
        if (status == EngineStatus::Cancelled)
            std::printf("%-12s %12u %12.1f ms\n", phase.name, at,
                        std::chrono::duration<double, std::milli>(ended - asked).count());
        else
            std::printf("%-12s %12s %15s\n", phase.name, "-", "ended first");
    }
    return 0;
}
