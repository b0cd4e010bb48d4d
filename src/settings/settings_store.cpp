#include "settings/settings_store.h"
#include "settings/profile_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <strings.h>
#include <utility>

#include "settings/kept_copy.h"
#include "settings/settings_path.h"

namespace tandel {

namespace {

const std::string kFiles = "Files";
const std::string kFont = "Font";
const std::string kFileFilters = "File filters";
const std::string kFileDescriptions = "File Descriptions";
const std::string kIncludeFilters = "Include filters";
const std::string kExcludeFilters = "Exclude filters";

// Beyond these the window arithmetic (left + width and the like) could overflow;
// no screen is that large.
constexpr std::int32_t kMaxCoordinate = 1000000;
constexpr std::int32_t kMinWidth = 150;
constexpr std::int32_t kMinHeight = 100;

std::int32_t inRangeOr(std::int32_t value, std::int32_t low, std::int32_t high,
                       std::int32_t fallback) {
    return value < low || value > high ? fallback : value;
}

// The font's byte fields keep what a byte keeps, as the stored description always did.
std::int32_t asByte(std::int32_t value) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value));
}

std::string entryKey(std::size_t index) {
    return "String " + std::to_string(index);
}

// The index of a key the list writes ("String 3", in any case); nothing for
// every other key, which the list leaves alone.
std::optional<std::size_t> entryIndex(const std::string& key) {
    constexpr std::size_t kPrefix = 7; // "String "
    if (key.size() <= kPrefix || ::strncasecmp(key.c_str(), "String ", kPrefix) != 0) {
        return std::nullopt;
    }
    std::size_t index = 0;
    const char* last = key.data() + key.size();
    const auto [end, error] = std::from_chars(key.data() + kPrefix, last, index);
    if (error != std::errc() || end != last ||
        key.compare(kPrefix, std::string::npos, std::to_string(index)) != 0) {
        return std::nullopt;
    }
    return index;
}

} // namespace

SettingsStore::SettingsStore(std::string iniPath, FileSystem& files)
    : profile_(std::move(iniPath), files), files_(&files) {}

IoStatus SettingsStore::loadOptions(Settings& s) {
    IoStatus status;
    loadError_ = 0;
    if (profile_.load() != ProfileLoad::Read) {
        status = IoStatus::failure(profile_.reading().error);
        loadError_ = status.error();
        unreadableSaid_ = true; // by the caller, which knows what the run does without it
    }
    const ProfileReading& reading = profile_.reading();
    // Told at start-up, so that the user knows where the settings in use come from.
    (void)keepOriginal(reading);
    const Profile& p = profile_;
    SettingsRecord& r = s.record;
    const SettingsRecord d;
    r.tabSize = inRangeOr(p.readInt(kOptionsSection, "Tab size", d.tabSize), kMinTabSize,
                          kMaxTabSize, d.tabSize);
    r.autoWalk = p.readInt(kOptionsSection, "Auto walk", d.autoWalk);
    r.compressSpaces = p.readInt(kOptionsSection, "Compress spaces", d.compressSpaces);
    r.lineNumbers = p.readInt(kOptionsSection, "Line numbers", d.lineNumbers);
    r.contextLines = inRangeOr(p.readInt(kOptionsSection, "Context lines", d.contextLines),
                               kMinContextLines, kMaxContextLines, d.contextLines);
    r.syncHScroll = p.readInt(kOptionsSection, "Sync hscroll", d.syncHScroll);
    r.unixFormat = p.readInt(kOptionsSection, "Unix format", d.unixFormat);
    r.recursive = p.readInt(kOptionsSection, "Recursive", d.recursive);
    r.diffsOnly = p.readInt(kOptionsSection, "Diffs Only", d.diffsOnly);
    r.autoCompare = p.readInt(kOptionsSection, "Auto Compare", d.autoCompare);
    r.ignoreAllSpaces = p.readInt(kOptionsSection, "Ignore spaces", d.ignoreAllSpaces);
    r.directoryDiffsOnly = p.readInt(kOptionsSection, "Directory Diffs Only", d.directoryDiffsOnly);
    r.highlightChanges = p.readInt(kOptionsSection, "Highlight changes", d.highlightChanges);
    r.ignoreLineEnds = p.readInt(kOptionsSection, "Ignore line ends", d.ignoreLineEnds);
    r.trustTimeStamps = p.readInt(kOptionsSection, "Trust time stamps", d.trustTimeStamps);
    r.statusBar = p.readInt(kOptionsSection, "Status bar", d.statusBar);
    r.basePane = p.readInt(kOptionsSection, "Base pane", d.basePane);

    Geometry& g = s.geometry;
    const Geometry dg;
    g.left = std::clamp(p.readInt(kOptionsSection, "Left", dg.left), 0, kMaxCoordinate);
    g.top = std::clamp(p.readInt(kOptionsSection, "Top", dg.top), 0, kMaxCoordinate);
    g.width = std::clamp(p.readInt(kOptionsSection, "Width", dg.width), kMinWidth, kMaxCoordinate);
    g.height =
        std::clamp(p.readInt(kOptionsSection, "Height", dg.height), kMinHeight, kMaxCoordinate);
    g.timeSize1 = p.readInt(kOptionsSection, "TimeSize1", dg.timeSize1);
    g.timeSize2 = p.readInt(kOptionsSection, "TimeSize2", dg.timeSize2);
    g.pathSize1 = p.readInt(kOptionsSection, "PathSize1", dg.pathSize1);
    g.pathSize2 = p.readInt(kOptionsSection, "PathSize2", dg.pathSize2);
    g.sizeSize1 = p.readInt(kOptionsSection, "SizeSize1", dg.sizeSize1);
    g.sizeSize2 = p.readInt(kOptionsSection, "SizeSize2", dg.sizeSize2);
    g.stateSize1 = p.readInt(kOptionsSection, "StateSize1", dg.stateSize1);
    g.stateSize2 = p.readInt(kOptionsSection, "StateSize2", dg.stateSize2);
    g.outDirUIType = p.readInt(kOptionsSection, "OutDirUIType", dg.outDirUIType);

    StringLists& l = s.lists;
    l.fileFilters = loadList(kFileFilters);
    l.fileDescriptions = loadList(kFileDescriptions);
    // One count for the pairs: the descriptions', read last. A description whose
    // pattern is missing gets an empty one rather than being dropped on the next save.
    l.fileFilters.resize(l.fileDescriptions.size());
    l.includeFilters = loadList(kIncludeFilters);
    l.excludeFilters = loadList(kExcludeFilters);
    return status;
}

bool SettingsStore::settingsPresent() const {
    return profile_.readInt(kOptionsSection, "Tab size", -1) != -1;
}

IoStatus SettingsStore::ensureMapping() const {
    return ensureSettingsFolder(*files_, profile_.path());
}

void SettingsStore::loadFilesSection(Settings& s, const PathSwitches& switches) {
    if (!settingsPresent()) {
        // Made again before every write, which says why when it cannot be.
        (void)ensureMapping();
    }
    FilesSection& f = s.files;
    f.dirName1 = profile_.readString(kFiles, "Dir name 1", "");
    f.currentIndex1 = profile_.readInt(kFiles, "Current index 1", 0);
    f.dirName2 = profile_.readString(kFiles, "Dir name 2", "");
    f.currentIndex2 = profile_.readInt(kFiles, "Current index 2", 0);
    f.outDir = profile_.readString(kFiles, "Out dir", "");
    f.saveIndex = profile_.readInt(kFiles, "Save index", 0);
    f.selectDir1 = profile_.readString(kFiles, "Select dir1", f.dirName1);
    f.selectDir2 = profile_.readString(kFiles, "Select dir2", f.dirName2);
    f.selectOutdir = profile_.readString(kFiles, "Select outdir", f.outDir);
    applyPathSwitches(f, switches);
}

void SettingsStore::loadTextFont(Settings& s) const {
    loadFont(s.textFont, "", textFontDefault());
}
void SettingsStore::loadTitleFont(Settings& s) const {
    loadFont(s.titleFont, "Title ", FontDescription{});
}

void SettingsStore::loadFont(FontDescription& font, const std::string& prefix,
                             const FontDescription& d) const {
    // The face name is kept whole: cut to a fixed length it could name no font at all.
    font.faceName = profile_.readString(kFont, prefix + "Font name", d.faceName);
    font.weight = profile_.readInt(kFont, prefix + "Weight", d.weight);
    font.italic = asByte(profile_.readInt(kFont, prefix + "Italic", d.italic));
    font.height = profile_.readInt(kFont, prefix + "Point size", d.height);
    font.pitchAndFamily = asByte(profile_.readInt(kFont, prefix + "Pitch", d.pitchAndFamily));
    font.charSet = asByte(profile_.readInt(kFont, prefix + "CharSet", d.charSet));
}

void SettingsStore::saveFont(const FontDescription& font, const std::string& prefix) {
    profile_.writeString(kFont, prefix + "Font name", font.faceName);
    profile_.writeInt(kFont, prefix + "Weight", font.weight);
    profile_.writeInt(kFont, prefix + "Italic", asByte(font.italic));
    profile_.writeInt(kFont, prefix + "Point size", font.height);
    profile_.writeInt(kFont, prefix + "Pitch", asByte(font.pitchAndFamily));
    profile_.writeInt(kFont, prefix + "CharSet", asByte(font.charSet));
}

std::vector<std::string> SettingsStore::loadList(const std::string& section) const {
    std::vector<std::string> entries;
    std::int32_t count = profile_.readInt(section, "NumEntries", 0);
    if (count <= 0) {
        return entries;
    }
    std::size_t n = std::min(static_cast<std::size_t>(count), kMaxListEntries);
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        entries.push_back(profile_.readString(section, entryKey(i), ""));
    }
    return entries;
}

void SettingsStore::saveList(const std::string& section, const std::vector<std::string>& entries,
                             std::size_t count) {
    std::size_t n = std::min(count, kMaxListEntries);
    // Entries beyond the count must not linger from an earlier, longer list;
    // keys the list does not own stay, and rewritten ones keep their comments.
    for (const std::string& key : profile_.keys(section)) {
        if (const auto index = entryIndex(key); index && *index >= n) {
            profile_.deleteKey(section, key);
        }
    }
    profile_.writeInt(section, "NumEntries", static_cast<std::int32_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        profile_.writeString(section, entryKey(i), i < entries.size() ? entries[i] : "");
    }
}

void SettingsStore::saveFilesSection(const FilesSection& files) {
    profile_.writeString(kFiles, "Dir name 1", files.dirName1);
    profile_.writeInt(kFiles, "Current index 1", files.currentIndex1);
    profile_.writeString(kFiles, "Dir name 2", files.dirName2);
    profile_.writeInt(kFiles, "Current index 2", files.currentIndex2);
    profile_.writeString(kFiles, "Out dir", files.outDir);
    profile_.writeInt(kFiles, "Save index", files.saveIndex);
}

void SettingsStore::saveOptions(const Settings& s) {
    const SettingsRecord& r = s.record;
    const Geometry& g = s.geometry;
    profile_.writeInt(kOptionsSection, "Tab size", r.tabSize);
    profile_.writeInt(kOptionsSection, "Auto walk", r.autoWalk);
    profile_.writeInt(kOptionsSection, "Compress spaces", r.compressSpaces);
    profile_.writeInt(kOptionsSection, "Line numbers", r.lineNumbers);
    profile_.writeInt(kOptionsSection, "Context lines", r.contextLines);
    profile_.writeInt(kOptionsSection, "Sync hscroll", r.syncHScroll);
    profile_.writeInt(kOptionsSection, "Unix format", r.unixFormat);
    profile_.writeInt(kOptionsSection, "Recursive", r.recursive);
    profile_.writeInt(kOptionsSection, "Diffs Only", r.diffsOnly);
    profile_.writeInt(kOptionsSection, "Auto Compare", r.autoCompare);
    profile_.writeInt(kOptionsSection, "Ignore Spaces", r.ignoreAllSpaces);
    profile_.writeInt(kOptionsSection, "OutDirUIType", g.outDirUIType);
    profile_.writeInt(kOptionsSection, "Directory Diffs Only", r.directoryDiffsOnly);
    profile_.writeInt(kOptionsSection, "Highlight changes", r.highlightChanges);
    profile_.writeInt(kOptionsSection, "Ignore line ends", r.ignoreLineEnds);
    profile_.writeInt(kOptionsSection, "Trust time stamps", r.trustTimeStamps);
    profile_.writeInt(kOptionsSection, "Status bar", r.statusBar);
    profile_.writeInt(kOptionsSection, "Base pane", r.basePane);
    profile_.writeInt(kOptionsSection, "TimeSize1", g.timeSize1);
    profile_.writeInt(kOptionsSection, "TimeSize2", g.timeSize2);
    profile_.writeInt(kOptionsSection, "PathSize1", g.pathSize1);
    profile_.writeInt(kOptionsSection, "PathSize2", g.pathSize2);
    profile_.writeInt(kOptionsSection, "SizeSize1", g.sizeSize1);
    profile_.writeInt(kOptionsSection, "SizeSize2", g.sizeSize2);
    profile_.writeInt(kOptionsSection, "StateSize1", g.stateSize1);
    profile_.writeInt(kOptionsSection, "StateSize2", g.stateSize2);
    // A minimised window has no meaningful position; the last good one stays.
    if (g.left >= 0 && g.top >= 0) {
        profile_.writeInt(kOptionsSection, "Left", g.left);
        profile_.writeInt(kOptionsSection, "Top", g.top);
        profile_.writeInt(kOptionsSection, "Width", g.width);
        profile_.writeInt(kOptionsSection, "Height", g.height);
    }
    saveFont(s.titleFont, "Title ");
    saveFont(s.textFont, "");
    const StringLists& l = s.lists;
    std::size_t shared = std::max(l.fileFilters.size(), l.fileDescriptions.size());
    saveList(kFileFilters, l.fileFilters, shared);
    saveList(kFileDescriptions, l.fileDescriptions, shared);
    saveList(kIncludeFilters, l.includeFilters, l.includeFilters.size());
    saveList(kExcludeFilters, l.excludeFilters, l.excludeFilters.size());
    profile_.writeString(kFiles, "Select dir1", s.files.selectDir1);
    profile_.writeString(kFiles, "Select dir2", s.files.selectDir2);
    profile_.writeString(kFiles, "Select outdir", s.files.selectOutdir);
}

std::vector<std::string> SettingsStore::takeNotices() {
    return std::exchange(notices_, {});
}

SettingsStore::MayWrite SettingsStore::keepOriginal(const ProfileReading& reading) {
    using Kind = ProfileReading::Kind;
    if (reading.cleanOrMissing() || reading.kind == Kind::Unreadable) {
        return MayWrite::Yes;
    }
    if (originalHandled_ && reading.original == handledOriginal_) {
        return originalKept_ ? MayWrite::Yes : MayWrite::No;
    }
    originalHandled_ = true;
    handledOriginal_ = reading.original;
    std::string copy;
    const IoStatus kept = keepCopy(*files_, path(), reading.original, copy);
    originalKept_ = kept.ok();
    if (!originalKept_) {
        notices_.push_back(withReason("The settings file " + path() +
                                          " could not be read cleanly, and no copy of it "
                                          "could be kept as " +
                                          copy,
                                      kept) +
                           ". The settings will not be written.");
        return MayWrite::No;
    }
    if (reading.kind == Kind::NotText) {
        notices_.push_back("The settings file " + path() +
                           " is not a text file, so the default settings are used. The file as "
                           "it was is kept as " +
                           copy + ".");
    } else {
        const std::string lines = reading.unreadLines == 1
                                      ? "Line " + std::to_string(reading.firstUnreadLine)
                                      : std::to_string(reading.unreadLines) +
                                            " lines (the first is line " +
                                            std::to_string(reading.firstUnreadLine) + ")";
        notices_.push_back(lines + " of the settings file " + path() +
                           (reading.unreadLines == 1 ? " could not be read, and is kept in it as a "
                                                       "comment."
                                                     : " could not be read, and are kept in it as "
                                                       "comments.") +
                           " The file as it was is kept as " + copy + ".");
    }
    return MayWrite::Yes;
}

SettingsStore::MayWrite SettingsStore::reloadForWrite() {
    // A file that exists but cannot be read is not ours to replace, nor one
    // whose original could not be kept, nor one that could not be read when
    // the settings in use were.
    Profile fresh(profile_.path(), *files_);
    reloadError_ = loadError_;
    if (loadError_ != 0) {
        return MayWrite::No;
    }
    if (fresh.load() != ProfileLoad::Read) {
        reloadError_ = fresh.reading().error;
        return MayWrite::No;
    }
    if (keepOriginal(fresh.reading()) != MayWrite::Yes) {
        return MayWrite::No;
    }
    profile_ = std::move(fresh);
    return MayWrite::Yes;
}

void SettingsStore::writeAllButFiles(const Settings& s, const DefinitionWriters& writers) {
    if (writers.tableDefinitions) {
        writers.tableDefinitions(profile_);
    }
    saveOptions(s);
    if (writers.commentDefinitions) {
        writers.commentDefinitions(profile_);
    }
}

SettingsWrite SettingsStore::saveAll(const Settings& s, const DefinitionWriters& writers) {
    // Without its folder the file cannot be replaced; the folder may have been
    // removed since start-up.
    if (!ensureMapping().ok() || reloadForWrite() != MayWrite::Yes) {
        return SettingsWrite::NotWritten;
    }
    writeAllButFiles(s, writers);
    return profile_.save().ok() ? SettingsWrite::Written : SettingsWrite::NotWritten;
}

SettingsWrite SettingsStore::shutDown(const Settings& s, const DefinitionWriters& writers) {
    if (const IoStatus folder = ensureMapping(); !folder.ok()) {
        notices_.push_back(withReason("The settings were not written to " + path(), folder) + ".");
        return SettingsWrite::NotWritten;
    }
    if (reloadForWrite() != MayWrite::Yes) {
        if (reloadError_ != 0 && !unreadableSaid_) {
            notices_.push_back(
                withReason("The settings were not written, because " + path() + " cannot be read",
                           IoStatus::failure(reloadError_)) +
                ".");
            unreadableSaid_ = true;
        }
        return SettingsWrite::NotWritten;
    }
    saveFilesSection(s.files);
    writeAllButFiles(s, writers);
    if (const IoStatus saved = profile_.save(); !saved.ok()) {
        notices_.push_back(withReason("The settings were not written to " + path(), saved) + ".");
        return SettingsWrite::NotWritten;
    }
    return SettingsWrite::Written;
}

} // namespace tandel
