#include "engine/read_inputs.h"

#include "engine/comment_blanking.h"
#include "engine/engine.h"
#include "engine/identical_ends.h"
#include "engine/input_file.h"

#include <array>
#include <cstring>
#include <span>
#include <vector>

namespace tandel {
namespace {

constexpr std::array<std::size_t, 23> kBucketCounts{
    509,      1021,     2039,      4093,      8191,      16381,      32749,     65521,
    131071,   262139,   524287,    1048573,   2097143,   4194301,    8388593,   16777213,
    33554393, 67108859, 134217689, 268435399, 536870909, 1073741789, 2147483647};

struct EquivClass {
    int next; // next class in the same bucket, 0 ends the chain
    std::uint32_t hash;
    const char* line;   // the line that created the class
    std::size_t length; // newline included unless the engine appended it
};

// Lives for the classification of both inputs only. The buckets are a power
// of two at least as many as the listed count, indexed by a multiplicative
// mix of the hash: which bucket a line lands in never changes its class,
// since at most one class of a given hash can match a line.
class ClassTable {
public:
    explicit ClassTable(std::size_t room) {
        std::size_t buckets = 1;
        shift_ = 32;
        while (buckets < bucketCount(room)) {
            buckets *= 2;
            --shift_;
        }
        buckets_.assign(buckets, 0);
        classes_.reserve(room + 1);
        classes_.push_back({}); // 0 is never a class
    }

    int classify(std::uint32_t hash, const char* line, std::size_t length, const LineRules& rules) {
        int& head = bucket(hash);
        for (int i = head; i != 0; i = classes_[static_cast<std::size_t>(i)].next) {
            const EquivClass& c = classes_[static_cast<std::size_t>(i)];
            if (c.hash == hash && (c.length == length || rules.ignoreSomeChanges) &&
                linesEqual(c.line, c.length, line, length, rules))
                return i;
        }
        classes_.push_back({head, hash, line, length});
        head = static_cast<int>(classes_.size() - 1);
        return head;
    }

    // Hints for lines still to come: the lookups are bound by memory latency,
    // so their loads are started well ahead.
    void prefetchBucket(std::uint32_t hash) { __builtin_prefetch(&bucket(hash)); }
    void prefetchHead(std::uint32_t hash) {
        __builtin_prefetch(&classes_[static_cast<std::size_t>(bucket(hash))]);
    }
    void prefetchHeadLine(std::uint32_t hash) {
        const EquivClass& c = classes_[static_cast<std::size_t>(bucket(hash))];
        if (c.line != nullptr)
            __builtin_prefetch(c.line);
    }

    int limit() const { return static_cast<int>(classes_.size()); }

private:
    int& bucket(std::uint32_t hash) { return buckets_[(hash * 0x9E3779B1u) >> shift_]; }

    std::vector<EquivClass> classes_;
    std::vector<int> buckets_;
    int shift_ = 32;
};

void classifyMiddle(InputFile& input, ClassTable& table, const LineRules& rules,
                    std::size_t capacity) {
    input.lineStarts.clear();
    input.classes.clear();
    input.lineStarts.reserve(capacity);
    input.classes.reserve(capacity);
    // First pass: line starts and hashes (held in the class array for now).
    char* buffer = input.buffer;
    const bool plain =
        !rules.ignoreCase && !rules.spaceChange && !rules.allSpace && !rules.skipLeadingWhiteSpace;
    std::size_t position = input.prefixEnd;
    while (position < input.suffixBegin) {
        char* line = buffer + position;
        const char* newline;
        std::uint32_t hash;
        if (rules.table) {
            newline = static_cast<const char*>(std::memchr(line, '\n', input.length - position));
            hash = rules.table->reduceAndHash(line, static_cast<std::size_t>(newline - line),
                                              rules.ignoreCase);
        } else if (plain) {
            newline = static_cast<const char*>(std::memchr(line, '\n', input.length - position));
            hash = hashBytes(line, static_cast<std::size_t>(newline - line));
        } else {
            hash = hashLine(line, rules, &newline);
        }
        input.lineStarts.push_back(position);
        input.classes.push_back(static_cast<int>(hash));
        position = static_cast<std::size_t>(newline - buffer) + 1;
    }
    input.lineStarts.push_back(input.suffixBegin);

    // Second pass: classes, in line order.
    const std::size_t lines = input.classes.size();
    const auto hashOf = [&](std::size_t i) { return static_cast<std::uint32_t>(input.classes[i]); };
    for (std::size_t i = 0; i < lines; ++i) {
        if (i + 16 < lines)
            table.prefetchBucket(hashOf(i + 16));
        if (i + 8 < lines)
            table.prefetchHead(hashOf(i + 8));
        if (i + 4 < lines)
            table.prefetchHeadLine(hashOf(i + 4));
        const std::size_t start = input.lineStarts[i];
        const std::size_t next = input.lineStarts[i + 1];
        std::size_t length = next - start;
        if (input.missingNewline && next == input.length)
            --length;
        input.classes[i] = table.classify(hashOf(i), buffer + start, length, rules);
    }
}

// Room for the line table of the first input: one line per 32 bytes.
std::size_t firstCapacity(const InputFile& input) {
    return (input.suffixBegin - input.prefixEnd) / 32 + 5 + 1;
}

// The second input guesses its line length from the shared prefix when that
// is long enough to tell.
std::size_t secondCapacity(const InputFile& input) {
    std::size_t average = 32;
    if (input.prefixLines >= 10)
        average = input.prefixEnd / static_cast<std::size_t>(input.prefixLines - 1);
    return (input.suffixBegin - input.prefixEnd) / average + 5;
}

} // namespace

std::size_t bucketCount(std::size_t room) {
    for (std::size_t count : kBucketCounts) {
        if (count >= room / 3)
            return count;
    }
    return kBucketCounts.back();
}

void readInputs(InputFile& first, InputFile& second, bool shared, const LineRules& rules,
                bool ignoreBlankLines, const EngineContext& context) {
    fixTextEnd(first, ignoreBlankLines);
    if (shared) {
        second.buffer = first.buffer;
        second.length = first.length;
        second.missingNewline = first.missingNewline;
    } else {
        fixTextEnd(second, ignoreBlankLines);
    }
    findIdenticalEnds(first, second, shared);

    const std::size_t capacity0 = firstCapacity(first);
    const std::size_t capacity1 = secondCapacity(second);
    ClassTable table(capacity0 + capacity1 + 1);
    const bool blank = context.ignoreComments && !context.comments.empty();
    for (InputFile* input : {&first, &second}) {
        if (blank)
            blankComments(std::span<char>(input->buffer + input->prefixEnd,
                                          input->suffixBegin - input->prefixEnd),
                          context.comments);
        classifyMiddle(*input, table, rules, input == &first ? capacity0 : capacity1);
    }
    first.classLimit = second.classLimit = table.limit();
}

} // namespace tandel
