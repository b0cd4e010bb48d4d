// The comparison engine's entry: called like a command-line program, once per
// comparison, on two caller-owned texts.
#pragma once

#include "base/file_system.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tandel {

// Receives every message the engine shows; the caller decides how to present it.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void engineMessage(const std::string& text) = 0;
};

// One input text, owned by the caller. The engine writes into it (end fix,
// sentinels, comment blanking, table-column blanking), so it must be a copy
// reserved for the engine, with at least kEngineSpareBytes writable bytes
// after `length`.
struct EngineText {
    EngineText() = default;
    EngineText(char* text, std::size_t size, std::span<const std::size_t> starts = {})
        : data(text), length(size), lineStarts(starts) {}

    char* data = nullptr;
    std::size_t length = 0;
    // Where every line of the text starts, then the length, when the caller
    // has them: the engine takes its lines from here instead of its own list.
    std::span<const std::size_t> lineStarts;
};
inline constexpr std::size_t kEngineSpareBytes = 3;

// A comment definition: a begin and an end marker; the end marker "$" means
// the end of the line.
struct CommentDefinition {
    std::string begin;
    std::string end;
};

// Table mode's seam: replaces the hash of a middle line. `line` points at the
// line's first byte, `length` excludes its newline; the reducer may overwrite
// bytes of the line in place (never the newline). Large inputs are reduced on
// two threads at once, one per input, so a reducer keeps no state between
// calls.
class LineReducer {
public:
    virtual ~LineReducer() = default;
    virtual std::uint32_t reduceAndHash(char* line, std::size_t length, bool ignoreCase) = 0;
};

// Where each phase of a two-file comparison starts on the progress scale of
// EngineContext::progress; it ends where the next one starts. The shares are
// what the phases take of a large pair with few changes (splitting about half
// of the time, classifying most of the rest), with room left for the search,
// which is what takes longest on a dissimilar pair.
struct EngineProgress {
    static constexpr std::uint32_t kSplitting = 0;     // lines found and hashed, by bytes
    static constexpr std::uint32_t kClassifying = 450; // equal lines numbered alike, by lines
    static constexpr std::uint32_t kDiscarding = 800;  // lines that cannot pair set aside
    static constexpr std::uint32_t kSearching = 850;   // by lines settled
    static constexpr std::uint32_t kWriting = 980;     // the script, by changes
    static constexpr std::uint32_t kDone = 1000;
};

// Below this a second thread costs more than it saves (see
// bench/read_inputs_bench.cpp).
inline constexpr std::size_t kParallelFromBytes = std::size_t{1} << 18;

// What the caller lends the engine besides the argument vector.
struct EngineContext {
    bool ignoreComments = false;
    std::vector<CommentDefinition> comments;
    LineReducer* table = nullptr;       // non-null: table mode
    bool skipLeadingWhiteSpace = false; // column positions with tab size 1
    // Every file the engine itself reads, lists or writes; null: the real one.
    FileSystem* files = nullptr;
    // Without "-o" the result goes to standard output (the command-line
    // tool); otherwise it is written only to a named output file.
    bool standardOutputByDefault = false;
    // Without "-o" the result goes here, not owned: the merge model takes it
    // from memory, so no file name or file can come between.
    FileWriter* output = nullptr;

    // Set from any thread to stop the run: it returns Cancelled within about
    // a tenth of a second, shows no message and writes no result. A directory
    // walk keeps the reports of the pairs it finished.
    const std::atomic<bool>* cancel = nullptr;
    // How far the run is, in thousandths: never decreasing, 1000 once run()
    // returns anything but Cancelled; see EngineProgress for the phases. A
    // directory walk reports only its end.
    std::atomic<std::uint32_t>* progress = nullptr;
    // Inputs of at least this many bytes together are split and hashed on two
    // threads, one per input; 0 always, SIZE_MAX never.
    std::size_t parallelFrom = kParallelFromBytes;
};

// The engine's statuses. Beware: the comparison driver's 0 means "different".
enum class [[nodiscard]] EngineStatus : int{
    UsageError = -1, Same = 0, Different = 1,
    Trouble = 2,   // a file could not be read or the result not written
    Cancelled = 3, // EngineContext::cancel was set
};

// One engine per application object: its only state that survives a call is
// the output file name of the last "-o".
class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    EngineStatus run(int argc, char* const* argv, EngineText first, EngineText second,
                     MessageSink& sink, const EngineContext& context = {});

    const std::string& outputName() const { return outputName_; }

private:
    EngineStatus runOnce(int argc, char* const* argv, EngineText first, EngineText second,
                         MessageSink& sink, const EngineContext& context);

    std::string outputName_;
};

} // namespace tandel
