#include "merge/side_loader.h"

#include "frame/command_ids.h"
#include "frame/frame.h"
#include "merge/file_format_label.h"
#include "merge/save.h"
#include "merge/segment_map.h"
#include "settings/settings_record.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tandel {

namespace {

// Lines are split in steps of this many bytes between looks at the window's
// Cancel.
constexpr std::size_t kProgressStep = std::size_t{8} << 20;
// The split lines' encoding is judged this many bytes at a time, while they
// are still in the processor's cache.
constexpr std::size_t kEncodingStep = std::size_t{1} << 18;
// Room for the line starts is first taken for lines of this many bytes on
// average; a file of shorter lines grows it.
constexpr std::size_t kLikelyLineBytes = 32;

// Finds line feeds 64 bytes at a time, as a bit per byte, where one memchr
// call per line would cost more than the search on short lines.
class LineFeedScanner {
public:
    LineFeedScanner(const char* data, std::size_t length) : data_(data), length_(length) {}

    // The first line feed at or after `from`, or the length when none is left.
    std::size_t next(std::size_t from) {
#if defined(__SSE2__)
        while (from + kBlock <= length_) {
            if (from < block_ || from >= block_ + kBlock) {
                block_ = from;
                mask_ = lineFeedsAt(data_ + from);
            }
            const std::uint64_t ahead = mask_ >> (from - block_);
            if (ahead != 0) {
                return from + static_cast<std::size_t>(std::countr_zero(ahead));
            }
            from = block_ + kBlock;
        }
#endif
        const void* found = std::memchr(data_ + from, '\n', length_ - from);
        return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data_)
                                : length_;
    }

private:
    static constexpr std::size_t kBlock = 64;

#if defined(__SSE2__)
    static std::uint64_t lineFeedsAt(const char* bytes) {
        const __m128i feed = _mm_set1_epi8('\n');
        std::uint64_t mask = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i piece =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
            const auto bits =
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(piece, feed)));
            mask |= static_cast<std::uint64_t>(bits) << (16 * part);
        }
        return mask;
    }
#endif

    const char* data_;
    std::size_t length_;
    std::size_t block_ = static_cast<std::size_t>(-1) / 2;
    std::uint64_t mask_ = 0;
};

void finishBuffer(LineBuffer& bytes, std::size_t used) {
    bytes.resize(used + kEngineSpareBytes);
    std::memset(bytes.data() + used, 0, kEngineSpareBytes);
    // Input that grew while it was read may have left much unused room.
    bytes.shrinkToFit();
}

// Splits the first `length` bytes into lines in place, in one pass that also
// judges their encoding when asked: every line ends with one '\n' afterwards, and a CR in
// front of a LF leaves the text and is kept in `ends` instead. The buffer then
// holds the lines and kEngineSpareBytes zero bytes.
bool splitLines(LineBuffer& bytes, std::size_t length, LineStarts& starts, LineEnds& ends,
                bool judgeEncoding, LineEncoding& encoding, JobProgress* progress, bool quiet) {
    char* const data = bytes.data();
    ends = LineEnds{};
    ends.lastUnterminated = length > 0 && data[length - 1] != '\n';
    encoding = LineEncoding::Utf8;
    starts.clear();
    starts.reserve(length / kLikelyLineBytes + 2);
    std::size_t out = 0;
    std::size_t in = 0;
    std::size_t judged = 0;
    bool judging = judgeEncoding;
    std::size_t reportAt = 0;
    LineFeedScanner feeds(data, length);
    while (in < length) {
        if (progress != nullptr && in >= reportAt) {
            if (progress->cancelled()) {
                return false;
            }
            if (!quiet) {
                progress->advance(in, length);
            }
            reportAt = in + kProgressStep;
        }
        const std::size_t end = feeds.next(in);
        std::size_t textEnd = end;
        if (end < length && textEnd > in && data[textEnd - 1] == '\r') {
            --textEnd;
            ends.crLf.resize(starts.size() + 1, false);
            ends.crLf.back() = true;
            ++ends.crLfCount;
        }
        starts.push_back(out);
        if (out != in) {
            std::memmove(data + out, data + in, textEnd - in);
        }
        out += textEnd - in;
        // Within the buffer's room for a missing last line feed. A line left
        // in place is not written to: a mapped page stays shared.
        if (data[out] != '\n') {
            data[out] = '\n';
        }
        ++out;
        in = end + 1;
        if (judging && out - judged >= kEncodingStep) {
            encoding = lineEncodingOf(std::string_view(data + judged, out - judged));
            judged = out;
            judging = encoding == LineEncoding::Utf8;
        }
    }
    if (judging) {
        encoding = lineEncodingOf(std::string_view(data + judged, out - judged));
    }
    const std::size_t lines = starts.size();
    if (lines > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    if (!ends.crLf.empty()) {
        ends.crLf.resize(lines, false);
    }
    starts.push_back(out);
    finishBuffer(bytes, out);
    return true;
}

// A binary file stays as it is: one "line" of all its bytes, no line end.
void keepWhole(LineBuffer& bytes, std::size_t length, LineStarts& starts, LineEnds& ends) {
    bytes.data()[length] = '\n';
    starts = {0, length + 1};
    ends = LineEnds{};
    ends.lastUnterminated = true;
    finishBuffer(bytes, length + 1);
}

bool looksBinary(const char* data, std::size_t length) {
    return std::memchr(data, '\0', std::min(length, kBinaryProbeBytes)) != nullptr;
}

} // namespace

IoStatus readSide(FileSystem& files, const std::string& name, SideRecord& out,
                  JobProgress* progress, bool quiet, bool judgeEncoding) {
    // Room after the bytes for a line feed the last line may lack and for
    // the engine's spare bytes.
    constexpr std::size_t kSpare = 1 + kEngineSpareBytes;
    InputText input;
    IoStatus read = files.readInputText(name, kSpare, input);
    if (!read.ok()) {
        return read;
    }
    const std::size_t length = input.length();
    const FileStatus status = input.status();
    LineBuffer bytes;
    bytes.adopt(std::move(input), kSpare);
    LineStarts starts;
    LineEnds ends;
    LineEncoding encoding = LineEncoding::Windows1252;
    const bool binary = looksBinary(bytes.data(), length);
    if (binary) {
        keepWhole(bytes, length, starts, ends);
    } else if (!splitLines(bytes, length, starts, ends, judgeEncoding, encoding, progress, quiet)) {
        return IoStatus::failure(progress != nullptr && progress->cancelled() ? ECANCELED : EFBIG);
    }
    out = SideRecord{};
    out.lineCount = static_cast<std::int32_t>(starts.size() - 1);
    out.engineSize = starts.back();
    out.lineBuffer = std::move(bytes);
    out.lineStarts = std::move(starts);
    out.fileName = name;
    out.ends = std::move(ends);
    out.binary = binary;
    out.binaryRow = binary ? binaryRowText(out.line(0).size(), false) : std::string();
    out.encoding = encoding;
    out.loadedStatus = status;
    return {};
}

bool readFileIntoSide(FileSystem& files, const std::string& name, Frame& frame, SideRecord& out) {
    const IoStatus read = readSide(files, name, out);
    if (!read.ok()) {
        frame.message(Severity::Error, withReason("Unable to open file " + name, read));
    }
    return read.ok();
}

void installSide(MergeModel& model, SettingsRecord& settings, Frame& frame, SideRecord&& fresh,
                 int s, bool compareFollows) {
    settings.rowCount = fresh.lineCount;
    SideRecord& side = model.side(s);
    fresh.firstVisibleColumn = side.firstVisibleColumn;
    side = std::move(fresh);
    frame.clearSelection(s);
    releaseLists(model);
    settings.topLine = 0;
    settings.notYetCompared = 1;
    frame.modelChanged(ModelEvent::SideLoaded);
    if (frame.previewOpen()) {
        frame.closePreview();
    }
    model.loadedSinceComparison[s == 2 ? 1 : 0] = true;
    if (!compareFollows && model.loadedSinceComparison[s == 2 ? 0 : 1]) {
        // The walk needs the comparison before it goes on; elsewhere it runs
        // once this load has returned.
        if (settings.directoryWalk != 0) {
            frame.sendCommand(cmd::kCompareFiles);
        } else {
            frame.postCommand(cmd::kCompareFiles);
        }
    }
}

LoadResult loadSide(MergeModel& model, SettingsRecord& settings, Frame& frame,
                    const std::string& name, int s) {
    SideRecord fresh;
    if (!readFileIntoSide(*model.files, name, frame, fresh)) {
        return LoadResult::NotLoaded;
    }
    installSide(model, settings, frame, std::move(fresh), s);
    return LoadResult::Loaded;
}

void loadSides(MergeModel& model, SettingsRecord& settings, Frame& frame,
               const std::array<std::string, 2>& names, const std::string& ancestor) {
    std::array<SideRecord, 2> fresh;
    std::array<IoStatus, 2> read;
    const auto readOne = [&](std::size_t i) {
        read[i] = readSide(*model.files, names[i], fresh[i], nullptr, false, model.judgeEncoding);
    };
    model.readAhead = SideRecord{};
    std::thread third;
    if (!ancestor.empty() && model.files->threadSafe()) {
        third = std::thread([&model, &ancestor] {
            SideRecord base;
            if (readSide(*model.files, ancestor, base, nullptr, true, model.judgeEncoding).ok()) {
                model.readAhead = std::move(base);
            }
        });
    }
    if (!names[0].empty() && !names[1].empty() && model.files->threadSafe()) {
        std::thread second(readOne, std::size_t{1});
        readOne(0);
        second.join();
    } else {
        for (std::size_t i = 0; i < 2; ++i) {
            if (!names[i].empty()) {
                readOne(i);
            }
        }
    }
    if (third.joinable()) {
        third.join();
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (names[i].empty()) {
            continue;
        }
        if (!read[i].ok()) {
            frame.message(Severity::Error, withReason("Unable to open file " + names[i], read[i]));
            continue;
        }
        installSide(model, settings, frame, std::move(fresh[i]), static_cast<int>(i) + 1);
    }
}

LoadResult loadByName(MergeModel& model, SettingsRecord& settings, Frame& frame,
                      const std::string& name, const std::string& directory, int s) {
    if (kindOf(*model.files, name) != FileKind::Missing) {
        return loadSide(model, settings, frame, name, s);
    }
    if (directory.empty()) {
        return LoadResult::NotLoaded;
    }
    const std::string joined = directory.back() == '/' ? directory + name : directory + "/" + name;
    return loadSide(model, settings, frame, joined, s);
}

bool chooseFileToOpen(Settings& settings, Frame& frame, int s, std::string& chosen) {
    std::string& directory = s == 2 ? settings.files.dirName2 : settings.files.dirName1;
    if (!frame.chooseOpenFile(s == 2 ? "Open file 2" : "Open file 1", directory, chosen) ||
        chosen.empty()) {
        return false;
    }
    const std::size_t slash = chosen.rfind('/');
    if (slash != std::string::npos) {
        directory = slash == 0 ? "/" : chosen.substr(0, slash);
    }
    return true;
}

LoadResult openSide(MergeModel& model, Settings& settings, Frame& frame, int s) {
    std::string chosen;
    if (!chooseFileToOpen(settings, frame, s, chosen)) {
        return LoadResult::NotLoaded;
    }
    return loadSide(model, settings.record, frame, chosen, s);
}

std::optional<std::string> droppedFileToLoad(const SettingsRecord& settings, Frame& frame,
                                             const std::vector<std::string>& names) {
    if (settings.directoryWalk != 0) {
        return std::nullopt;
    }
    if (names.size() != 1) {
        frame.message(Severity::Warning, "Only one file can be dropped");
        return std::nullopt;
    }
    return names.front();
}

LoadResult loadDropped(MergeModel& model, SettingsRecord& settings, Frame& frame,
                       const std::vector<std::string>& names, int s) {
    const std::optional<std::string> name = droppedFileToLoad(settings, frame, names);
    return name ? loadSide(model, settings, frame, *name, s) : LoadResult::NotLoaded;
}

void clearBothSides(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    releaseLists(model);
    for (SideRecord& side : model.sides) {
        const std::int32_t column = side.firstVisibleColumn;
        side = SideRecord{};
        side.firstVisibleColumn = column;
    }
    settings.rowCount = 0;
    settings.topLine = 0;
    settings.notYetCompared = 0;
    frame.modelChanged(ModelEvent::SidesCleared);
}

} // namespace tandel
