#include "merge/side_loader.h"

#include "merge/command_ids.h"
#include "merge/file_format_label.h"
#include "merge/frame.h"
#include "merge/save.h"
#include "merge/segment_map.h"
#include "settings/settings_record.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace tandel {

namespace {

// A plain loop rather than one memchr call per line: the compiler turns it
// into a vector scan, and most lines are short.
std::size_t countLineFeeds(const char* data, std::size_t length) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        count += data[i] == '\n' ? 1 : 0;
    }
    return count;
}

// Lines are split in steps of this many bytes between looks at the window's
// Cancel.
constexpr std::size_t kProgressStep = std::size_t{8} << 20;

void finishBuffer(ByteBuffer& bytes, std::size_t used) {
    bytes.resize(used + kEngineSpareBytes);
    std::memset(bytes.data() + used, 0, kEngineSpareBytes);
    // Input that grew while it was read may have left much unused room.
    if (bytes.capacity() > bytes.size() + bytes.size() / 8 + (std::size_t{1} << 16)) {
        bytes.shrink_to_fit();
    }
}

// Splits the first `length` bytes into lines in place: every line ends with
// one '\n' afterwards, and a CR in front of a LF leaves the text and is kept
// in `ends` instead. The buffer then holds the lines and kEngineSpareBytes
// zero bytes.
bool splitLines(ByteBuffer& bytes, std::size_t length, std::vector<std::size_t>& starts,
                LineEnds& ends, JobProgress* progress) {
    char* const data = bytes.data();
    const std::size_t feeds = countLineFeeds(data, length);
    const bool unterminated = length > 0 && data[length - 1] != '\n';
    const std::size_t lines = feeds + (unterminated ? 1 : 0);
    if (lines > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    ends = LineEnds{};
    ends.lastUnterminated = unterminated;
    starts.clear();
    starts.reserve(lines + 1);
    std::size_t out = 0;
    std::size_t in = 0;
    std::size_t reportAt = kProgressStep;
    while (in < length) {
        if (progress != nullptr && in >= reportAt) {
            if (progress->cancelled()) {
                return false;
            }
            progress->advance(in, length);
            reportAt = in + kProgressStep;
        }
        const void* found = std::memchr(data + in, '\n', length - in);
        const std::size_t end =
            found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data)
                             : length;
        std::size_t textEnd = end;
        if (found != nullptr && textEnd > in && data[textEnd - 1] == '\r') {
            --textEnd;
            if (ends.crLf.empty()) {
                ends.crLf.assign(lines, false);
            }
            ends.crLf[starts.size()] = true;
            ++ends.crLfCount;
        }
        starts.push_back(out);
        if (out != in) {
            std::memmove(data + out, data + in, textEnd - in);
        }
        out += textEnd - in;
        data[out++] = '\n'; // within the buffer's room for a missing last line feed
        in = end + 1;
    }
    starts.push_back(out);
    finishBuffer(bytes, out);
    return true;
}

// A binary file stays as it is: one "line" of all its bytes, no line end.
void keepWhole(ByteBuffer& bytes, std::size_t length, std::vector<std::size_t>& starts,
               LineEnds& ends) {
    bytes[length] = '\n';
    starts = {0, length + 1};
    ends = LineEnds{};
    ends.lastUnterminated = true;
    finishBuffer(bytes, length + 1);
}

bool looksBinary(const char* data, std::size_t length) {
    return std::memchr(data, '\0', std::min(length, kBinaryProbeBytes)) != nullptr;
}

} // namespace

IoStatus ReadSide(FileSystem& files, const std::string& name, SideRecord& out,
                  JobProgress* progress) {
    // Room after the bytes for a line feed the last line may lack and for
    // the engine's spare bytes.
    InputBytes input;
    IoStatus read = files.readInput(name, 1 + kEngineSpareBytes, input);
    if (!read.ok()) {
        return read;
    }
    std::vector<std::size_t> starts;
    LineEnds ends;
    const bool binary = looksBinary(input.bytes.data(), input.length);
    if (binary) {
        keepWhole(input.bytes, input.length, starts, ends);
    } else if (!splitLines(input.bytes, input.length, starts, ends, progress)) {
        return IoStatus::failure(progress != nullptr && progress->cancelled() ? ECANCELED : EFBIG);
    }
    out = SideRecord{};
    out.lineCount = static_cast<std::int32_t>(starts.size() - 1);
    out.engineSize = starts.back();
    out.lineBuffer = std::move(input.bytes);
    out.lineStarts = std::move(starts);
    out.fileName = name;
    out.ends = std::move(ends);
    out.binary = binary;
    out.binaryRow = binary ? BinaryRowText(out.line(0).size(), false) : std::string();
    out.encoding = binary ? LineEncoding::Windows1252
                          : LineEncodingOf(std::string_view(out.lineBuffer.data(), out.engineSize));
    out.loadedStatus = input.status;
    return {};
}

bool ReadFile(FileSystem& files, const std::string& name, Frame& frame, SideRecord& out) {
    const IoStatus read = ReadSide(files, name, out);
    if (!read.ok()) {
        frame.message(Severity::Error, withReason("Unable to open file " + name, read));
    }
    return read.ok();
}

void InstallSide(MergeModel& model, SettingsRecord& settings, Frame& frame, SideRecord&& fresh,
                 int s, bool compareFollows) {
    settings.rowCount = fresh.lineCount;
    SideRecord& side = model.side(s);
    fresh.firstVisibleColumn = side.firstVisibleColumn;
    side = std::move(fresh);
    frame.repaintTitles();
    frame.clearSelection(s);
    ReleaseLists(model);
    settings.topLine = 0;
    settings.notYetCompared = 1;
    frame.repaintPositionBar();
    frame.repaintPanes();
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

int LoadSide(MergeModel& model, SettingsRecord& settings, Frame& frame, const std::string& name,
             int s) {
    SideRecord fresh;
    if (!ReadFile(*model.files, name, frame, fresh)) {
        return -1;
    }
    InstallSide(model, settings, frame, std::move(fresh), s);
    return 0;
}

int LoadByName(MergeModel& model, SettingsRecord& settings, Frame& frame, const std::string& name,
               const std::string& directory, int s) {
    if (kindOf(*model.files, name) != FileKind::Missing) {
        return LoadSide(model, settings, frame, name, s) == 0 ? 1 : 0;
    }
    if (directory.empty()) {
        return 0;
    }
    const std::string joined = directory.back() == '/' ? directory + name : directory + "/" + name;
    return LoadSide(model, settings, frame, joined, s) == 0 ? 1 : 0;
}

bool ChooseFileToOpen(Settings& settings, Frame& frame, int s, std::string& chosen) {
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

int OpenSide(MergeModel& model, Settings& settings, Frame& frame, int s) {
    std::string chosen;
    if (!ChooseFileToOpen(settings, frame, s, chosen)) {
        return -1;
    }
    return LoadSide(model, settings.record, frame, chosen, s);
}

std::optional<std::string> DroppedFileToLoad(const SettingsRecord& settings, Frame& frame,
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

int LoadDropped(MergeModel& model, SettingsRecord& settings, Frame& frame,
                const std::vector<std::string>& names, int s) {
    const std::optional<std::string> name = DroppedFileToLoad(settings, frame, names);
    return name ? LoadSide(model, settings, frame, *name, s) : -1;
}

void ClearSides(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    ReleaseLists(model);
    for (SideRecord& side : model.sides) {
        const std::int32_t column = side.firstVisibleColumn;
        side = SideRecord{};
        side.firstVisibleColumn = column;
    }
    settings.rowCount = 0;
    settings.topLine = 0;
    settings.notYetCompared = 0;
    frame.repaintTitles();
    frame.repaintPositionBar();
    frame.repaintPanes();
}

} // namespace tandel
