#pragma once

// Everything that tandel.ini holds outside the comparison definitions, plus the
// run-time fields that live in the same record. The defaults below are the values a
// first run starts with; SettingsStore fills these structs from the file and writes
// them back (see settings_store.h for the key names and the read and write order).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tandel {

// The usable ranges of the two stored counts. A tab of zero or fewer blanks, or
// of millions, cannot be drawn, and a negative or vast context makes the
// navigation arithmetic meaningless: loading falls back to the default outside
// them, the panes and the printer clamp the tab size to its range, and the
// options sheet refuses values outside them.
inline constexpr std::int32_t kMinTabSize = 1;
inline constexpr std::int32_t kMaxTabSize = 1000;
inline constexpr std::int32_t kMinContextLines = 0;
inline constexpr std::int32_t kMaxContextLines = 100000;

// The settings record: 32-bit options named after their [Options] keys, and the
// shared view state and run flags, which are never stored.
struct SettingsRecord {
    // Stored in [Options].
    std::int32_t tabSize = 8;        // "Tab size"
    std::int32_t autoWalk = 1;       // "Auto walk"
    std::int32_t compressSpaces = 0; // "Compress spaces"
    std::int32_t lineNumbers = 0;    // "Line numbers"
    std::int32_t contextLines = 3;   // "Context lines"
    std::int32_t syncHScroll = 1;    // "Sync hscroll"
    // "Unix format": keep each line's own line end; 0 writes CR LF. A stored 0
    // is honoured; without the key this platform keeps the files' own ends.
    std::int32_t unixFormat = 1;
    std::int32_t recursive = 0;          // "Recursive"
    std::int32_t diffsOnly = 0;          // "Diffs Only"
    std::int32_t autoCompare = 1;        // "Auto Compare"
    std::int32_t ignoreAllSpaces = 0;    // read as "Ignore spaces", written as "Ignore Spaces"
    std::int32_t directoryDiffsOnly = 0; // "Directory Diffs Only"
    std::int32_t highlightChanges = 1;   // "Highlight changes": mark changed characters
    // "Ignore line ends": a line that ends in CR LF equals the same line ending
    // in LF, and a missing final line feed is no difference. What is equal only;
    // every line is still written with its own end.
    std::int32_t ignoreLineEnds = 1;
    // "Trust time stamps": directory pairs of equal size and equal stamps are
    // taken for equal without reading them. Off: the bytes decide.
    std::int32_t trustTimeStamps = 0;
    std::int32_t statusBar = 1; // "Status bar": the window shows its status bar
    // "Base pane": a merge with a common ancestor shows the ancestor under the panes.
    std::int32_t basePane = 0;

    // View state shared by the panes; never stored.
    std::int32_t charWidth = 0;   // average character width of the text font
    std::int32_t lineHeight = 0;  // line height of the text font
    std::int32_t titleHeight = 0; // height of the two title bars
    std::int32_t visibleRows = 0;
    std::int32_t topLine = 0;
    std::int32_t rowCount = 0;

    // Run flags; never stored.
    std::int32_t notYetCompared = 0;
    std::int32_t directoryWalk = 0;
    std::int32_t printCancelled = 0;

    bool operator==(const SettingsRecord&) const = default;
};

// Window geometry and directory-list column widths, all in [Options].
// Loading clamps the window to at least 150 x 100 at a non-negative position.
// At shut-down the frame copies the window's outer rectangle here; a negative left
// or top (a minimised window) means "do not write the geometry", so the file keeps
// the previous run's.
struct Geometry {
    std::int32_t left = 0;         // "Left"
    std::int32_t top = 0;          // "Top"
    std::int32_t width = 640;      // "Width"
    std::int32_t height = 480;     // "Height"
    std::int32_t timeSize1 = 130;  // "TimeSize1": date column, list 1
    std::int32_t timeSize2 = 130;  // "TimeSize2"
    std::int32_t pathSize1 = -1;   // "PathSize1": -1 = half the container minus the date column
    std::int32_t pathSize2 = -1;   // "PathSize2"
    std::int32_t outDirUIType = 0; // "OutDirUIType": destination choice of the directory dialog
    std::int32_t sizeSize1 = 80;   // "SizeSize1": size column, list 1
    std::int32_t sizeSize2 = 80;   // "SizeSize2"
    std::int32_t stateSize1 = 80;  // "StateSize1": state marker column, list 1
    std::int32_t stateSize2 = 80;  // "StateSize2"

    bool operator==(const Geometry&) const = default;
};

// [Files]: remembered directories and dialog filter indexes (each stored as the
// dialog's index minus 1).
struct FilesSection {
    std::string dirName1;           // "Dir name 1"
    std::int32_t currentIndex1 = 0; // "Current index 1"
    std::string dirName2;           // "Dir name 2"
    std::int32_t currentIndex2 = 0; // "Current index 2"
    std::string outDir;             // "Out dir"
    std::int32_t saveIndex = 0;     // "Save index"
    std::string selectDir1;         // "Select dir1"; defaults to "Dir name 1" as read
    std::string selectDir2;         // "Select dir2"; defaults to "Dir name 2" as read
    std::string selectOutdir;       // "Select outdir"; defaults to "Out dir" as read

    bool operator==(const FilesSection&) const = default;
};

// A stored font description, [Font] keys with a prefix ("" for the text font,
// "Title " for the title font). Values only; the frame turns them into a font.
struct FontDescription {
    // "Font name"; for the text font, empty stands for the desktop's
    // fixed-width font, which the window puts here once it has made it.
    std::string faceName = "Microsoft Sans Serif";
    std::int32_t weight = 400;        // "Weight"
    std::int32_t italic = 0;          // "Italic", a byte
    std::int32_t height = -13;        // "Point size"; negative: character height
    std::int32_t pitchAndFamily = 34; // "Pitch", a byte
    std::int32_t charSet = 1;         // "CharSet", a byte

    bool operator==(const FontDescription&) const = default;
};

// The text font when none is stored: the desktop's fixed-width face, so that
// code lines up.
inline FontDescription textFontDefault() {
    FontDescription font;
    font.faceName.clear();
    font.pitchAndFamily = 49; // fixed pitch, modern family
    return font;
}

// At most this many entries of each string list are read or written.
inline constexpr std::size_t kMaxListEntries = 100;

// The four string lists. fileFilters and fileDescriptions are one list of pairs
// with a shared count: after loading both have the same size (the count of
// "File Descriptions"; a missing pattern reads as empty), and callers keep them
// the same size.
struct StringLists {
    std::vector<std::string> fileFilters;      // [File filters]
    std::vector<std::string> fileDescriptions; // [File Descriptions]
    std::vector<std::string> includeFilters;   // [Include filters]
    std::vector<std::string> excludeFilters;   // [Exclude filters]

    bool operator==(const StringLists&) const = default;
};

// All of the above: one per application, owned by the application object.
struct Settings {
    SettingsRecord record;
    Geometry geometry;
    FilesSection files;
    FontDescription textFont = textFontDefault();
    FontDescription titleFont;
    StringLists lists;

    bool operator==(const Settings&) const = default;
};

} // namespace tandel
