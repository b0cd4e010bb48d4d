#include "engine/line_classes.h"

#include "engine/bulk_vector.h"
#include "engine/input_file.h"
#include "engine/run_hooks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>

namespace tandel {
namespace {

// Lines between two looks at the cancel flag.
constexpr std::size_t kLinesPerClassCheck = 1 << 16;
// How far ahead the table slot of a coming line is fetched, and then the text
// of the line it names: the lookups are bound by memory latency, so many must
// be on their way at once.
constexpr std::size_t kSlotDistance = 16;
constexpr std::size_t kTextDistance = 6;

// A line of either input: the first input's lines come first.
struct LineRef {
    const InputFile* input;
    std::size_t index;
};

// Open addressing over (hash, line) pairs. A class is represented by the
// line that created it, so the table needs no record per class beyond its
// slot: the class number is that line's entry in `classes`, its text is found
// through the line starts.
class ClassTable {
public:
    ClassTable(const InputFile& first, const InputFile& second, std::size_t expected)
        : first_(first), second_(second) {
        resize(std::bit_ceil(std::max<std::size_t>(expected + expected / 2, 16)));
    }

    void prefetchSlot(std::uint32_t hash) const { __builtin_prefetch(&slots_[home(hash)]); }

    // The text of the line that the coming line will be compared with, once
    // an earlier prefetchSlot has brought its slot near.
    void prefetchRepresentative(std::uint32_t hash) const {
        // Most probes end within a few slots of home.
        for (std::size_t i = home(hash), tries = 0; tries < 4; i = (i + 1) & mask_, ++tries) {
            const Slot& slot = slots_[i];
            if (slot.line == 0)
                return;
            if (slot.hash != hash)
                continue;
            const LineRef other = lineOf(slot.line - 1);
            const char* text = other.input->buffer + other.input->lineStarts[other.index];
            __builtin_prefetch(text);
            __builtin_prefetch(text + 64);
            return;
        }
    }

    // The class of line `index` of `input` (number `global` across both
    // inputs), a new one when no earlier line is equal to it.
    int classify(const InputFile& input, std::size_t index, std::uint32_t hash,
                 std::uint32_t global, const LineRules& rules) {
        const char* line = input.buffer + input.lineStarts[index];
        const std::size_t length = lineLength(input, index);
        for (std::size_t i = home(hash);; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.line == 0) {
                if (used_ == limit_) {
                    resize(slots_.size() * 2);
                    return classify(input, index, hash, global, rules);
                }
                ++used_;
                slot = {hash, global + 1};
                return ++classCount_;
            }
            if (slot.hash != hash)
                continue;
            const LineRef other = lineOf(slot.line - 1);
            const char* otherLine = other.input->buffer + other.input->lineStarts[other.index];
            const std::size_t otherLength = lineLength(*other.input, other.index);
            if ((otherLength == length || rules.ignoreSomeChanges) &&
                linesEqual(otherLine, otherLength, line, length, rules))
                return other.input->classes[other.index];
        }
    }

    int limit() const { return classCount_ + 1; }

private:
    struct Slot {
        std::uint32_t hash;
        std::uint32_t line; // global line number + 1; 0: empty
    };

    static std::size_t lineLength(const InputFile& input, std::size_t index) {
        const std::size_t next = input.lineStarts[index + 1];
        std::size_t length = next - input.lineStarts[index];
        if (input.missingNewline && next == input.length)
            --length;
        return length;
    }

    std::size_t home(std::uint32_t hash) const { return (hash * 0x9E3779B1u) >> shift_; }

    LineRef lineOf(std::uint32_t global) const {
        const std::size_t firstLines = first_.middleLines();
        return global < firstLines ? LineRef{&first_, global}
                                   : LineRef{&second_, global - firstLines};
    }

    void resize(std::size_t count) {
        BulkVector<Slot> old = std::move(slots_);
        slots_.assign(count, Slot{0, 0});
        mask_ = count - 1;
        shift_ = 32 - std::countr_zero(count);
        limit_ = count / 4 * 3;
        for (const Slot& slot : old) {
            if (slot.line == 0)
                continue;
            std::size_t i = home(slot.hash);
            while (slots_[i].line != 0)
                i = (i + 1) & mask_;
            slots_[i] = slot;
        }
    }

    const InputFile& first_;
    const InputFile& second_;
    BulkVector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 32;
    std::size_t used_ = 0;
    std::size_t limit_ = 0;
    int classCount_ = 0;
};

void classifyInput(InputFile& input, std::uint32_t firstGlobal, ClassTable& table,
                   const LineRules& rules, const RunHooks& hooks, std::uint64_t& done,
                   std::uint64_t total) {
    const std::size_t lines = input.middleLines();
    int* const classes = input.classes.data();
    const auto hashAt = [&](std::size_t i) { return static_cast<std::uint32_t>(classes[i]); };
    for (std::size_t i = 0; i < lines; ++i) {
        if (i + kSlotDistance < lines)
            table.prefetchSlot(hashAt(i + kSlotDistance));
        if (i + kTextDistance < lines) {
            table.prefetchRepresentative(hashAt(i + kTextDistance));
            __builtin_prefetch(input.buffer + input.lineStarts[i + kTextDistance]);
        }
        if ((i + 1) % kLinesPerClassCheck == 0) {
            hooks.checkpoint();
            hooks.advance(RunPhase::Classes, done + i, total);
        }
        classes[i] =
            table.classify(input, i, hashAt(i), firstGlobal + static_cast<std::uint32_t>(i), rules);
    }
    done += lines;
}

} // namespace

void classifyLines(InputFile& first, InputFile& second, const LineRules& rules,
                   const RunHooks& hooks) {
    const std::size_t lines0 = first.middleLines();
    const std::size_t lines1 = second.middleLines();
    // Lines are numbered across both inputs in 32 bits, classes in an int.
    if (lines0 + lines1 >= static_cast<std::size_t>(INT32_MAX))
        throw std::length_error("too many lines");
    ClassTable table(first, second, std::max(lines0, lines1));
    const std::uint64_t total = lines0 + lines1;
    std::uint64_t done = 0;
    classifyInput(first, 0, table, rules, hooks, done, total);
    classifyInput(second, static_cast<std::uint32_t>(lines0), table, rules, hooks, done, total);
    first.classLimit = second.classLimit = table.limit();
}

} // namespace tandel
