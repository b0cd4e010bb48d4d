#include "app/command_tables.h"

#include <array>

#include "frame/command_ids.h"

namespace tandel::ui {

namespace {

using enum MenuKind;

constexpr MenuEntry item(int id, const char* label, const char* shortcut = "") {
    return {Item, id, label, shortcut};
}
constexpr MenuEntry popup(const char* label) {
    return {Popup, 0, label, ""};
}
constexpr MenuEntry kSeparator{Separator, 0, "", ""};
constexpr MenuEntry kEnd{EndPopup, 0, "", ""};

constexpr auto kMainMenu = std::to_array<MenuEntry>({
    popup("&File"),
    item(cmd::kFile1, "File &1", "Ctrl+F1"),
    item(cmd::kFile2, "File &2", "Ctrl+F2"),
    kSeparator,
    item(cmd::kCompareDirs, "Compare &Dirs...", "Ctrl+O"),
    item(cmd::kCompareFiles, "Compare &Files", "Ctrl+D"),
    kSeparator,
    item(cmd::kPrint, "&Print "),
    kSeparator,
    item(cmd::kSaveAs, "&Save As...", "Ctrl+S"),
    item(cmd::kSaveAsLeft, "Save as &Left", "Ctrl+L"),
    item(cmd::kSaveAsRight, "Save as &Right", "Ctrl+R"),
    kSeparator,
    item(cmd::kQuit, "&Quit", "Alt+F4"),
    kEnd,
    popup("&Edit"),
    item(cmd::kPreview, "Preview &results", "Ctrl+M"),
    kSeparator,
    item(cmd::kCopy, "&Copy", "Ctrl+C"),
    item(cmd::kPaste, "&Paste", "Ctrl+V"),
    kEnd,
    popup("&Search"),
    item(cmd::kNextSegment, "&Next Segment", "Alt+Down"),
    item(cmd::kPrevSegment, "&Previous Segment", "Alt+Up"),
    item(cmd::kNextUnresolved, "Ne&xt Unresolved", "Ctrl+Down"),
    item(cmd::kPrevUnresolved, "Pre&v Unresolved", "Ctrl+Up"),
    item(cmd::kFirstSegment, "F&irst Segment", "Alt+PgUp"),
    item(cmd::kLastSegment, "L&ast Segment", "Alt+PgUp"),
    kSeparator,
    item(cmd::kFirstLine, "&First Line", "Ctrl+PgUp"),
    item(cmd::kLastLine, "&Last Line", "Ctrl+PgDn"),
    kSeparator,
    item(cmd::kFind, "Find...", "Ctrl+F"),
    item(cmd::kFindNext, "Find Next", "F3"),
    kEnd,
    popup("S&elect"),
    item(cmd::kSelectFromLeft, "Select From &Left", "Ctrl+Left"),
    item(cmd::kSelectFromRight, "Select From &Right", "Ctrl+Right"),
    item(cmd::kSelectAll, "Select &All Segments", "Ctrl+A"),
    item(cmd::kUnselectAll, "&Unselect All Segments"),
    kSeparator,
    item(cmd::kTakeLeft, "&Take Left, Go to Next", "Alt+Left"),
    item(cmd::kTakeRight, "Take Ri&ght, Go to Next", "Alt+Right"),
    item(cmd::kTakeLeftThenRight, "Take &Both, Left First", "Alt+Shift+Left"),
    item(cmd::kTakeRightThenLeft, "Take B&oth, Right First", "Alt+Shift+Right"),
    kEnd,
    popup("&Options"),
    item(cmd::kOptionsGeneral, "&General ..."),
    item(cmd::kDirectoryMergingOptions, "&Directory Merging ..."),
    item(cmd::kFileTypes, "File &Types ..."),
    item(cmd::kToggleStatusBar, "&Status Bar"),
    item(cmd::kToggleBasePane, "&Base Pane"),
    popup("&Fonts"),
    item(cmd::kTextFont, "&Text..."),
    item(cmd::kTitleFont, "T&itle ..."),
    kEnd,
    kEnd,
    popup("&Help"),
    item(cmd::kHelpContents, "&Contents"),
    item(cmd::kAbout, "&About"),
    kEnd,
});

// Its one popup takes the place of the File popup, under the title "File".
constexpr auto kCompDirMenu = std::to_array<MenuEntry>({
    popup("File"),
    item(cmd::kWalkSkip, "S&kip", "Alt+S"),
    item(cmd::kWalkCancel, "&Cancel", "Alt+C"),
    kSeparator,
    item(cmd::kPrint, "&Print"),
    kSeparator,
    item(cmd::kSaveAs, "&Save ...", "Ctrl+S"),
    item(cmd::kSaveAsLeft, "Save as &Left", "Ctrl+L"),
    item(cmd::kSaveAsRight, "Save as &Right", "Ctrl+R"),
    kSeparator,
    item(cmd::kQuit, "&Exit", "Alt-F4"),
    kEnd,
});

constexpr auto kQuickMenu = std::to_array<MenuEntry>({
    item(cmd::kNextSegment, "&Next Segment", "Alt+Down"),
    item(cmd::kPrevSegment, "&Previous Segment", "Alt+Up"),
    item(cmd::kNextUnresolved, "Ne&xt Unresolved", "Ctrl+Down"),
    item(cmd::kPrevUnresolved, "Pre&v Unresolved", "Ctrl+Up"),
    item(cmd::kFirstLine, "&First Line", "Ctrl-PgUp"),
    item(cmd::kLastLine, "&Last Line", "Ctrl-PgDn"),
    kSeparator,
    item(cmd::kSelectFromLeft, "Select From &Left", "Ctrl+Left"),
    item(cmd::kSelectFromRight, "Select From &Right", "Ctrl+Right"),
    item(cmd::kSelectAll, "Select &All Segments", "Ctrl+A"),
    item(cmd::kUnselectAll, "&Unselect All Segments"),
    kSeparator,
    item(cmd::kTakeLeft, "&Take Left, Go to Next", "Alt+Left"),
    item(cmd::kTakeRight, "Take Ri&ght, Go to Next", "Alt+Right"),
    item(cmd::kTakeLeftThenRight, "Take &Both, Left First", "Alt+Shift+Left"),
    item(cmd::kTakeRightThenLeft, "Take B&oth, Right First", "Alt+Shift+Right"),
    kSeparator,
    item(cmd::kSplitSegment, "Split segment"),
    kSeparator,
    item(cmd::kSaveAs, "&Save As...", "Ctrl-S"),
    item(cmd::kSaveAsLeft, "Save as &Left", "Ctrl+L"),
    item(cmd::kSaveAsRight, "Save as &Right", "Ctrl+R"),
});

// "P&rint" carries the save command (306), as the directory window has always
// had it; the print command (17) is on that window's toolbar.
constexpr auto kQuickMenuMandc = std::to_array<MenuEntry>({
    item(cmd::kNextSegment, "&Next", "Alt+Down"),
    item(cmd::kPrevSegment, "&Previous", "Alt+Up"),
    kSeparator,
    item(cmd::kCopyToDestination, "&Copy to Destination", "Ctrl+D"),
    kSeparator,
    // Labelled and meant as Print: the save command it could carry would
    // offer to write a merge result the directory window does not have.
    item(cmd::kPrint, "P&rint"),
    kSeparator,
    item(cmd::kToggleSubdirectories, "Include &Subdirectories"),
    item(cmd::kRescanDirectories, "R&escan", "F5"),
});

constexpr KeyChord ctrl(int key) {
    return {kModCtrl, key};
}
constexpr KeyChord alt(int key) {
    return {kModAlt, key};
}
constexpr KeyChord plain(int key) {
    return {kModNone, key};
}

constexpr auto kKestaAcc = std::to_array<Accelerator>({
    {ctrl('A'), cmd::kSelectAll},
    {ctrl('C'), cmd::kCopy},
    {alt('C'), cmd::kWalkCancel},
    {ctrl('D'), cmd::kCompareFiles},
    {ctrl('F'), cmd::kFind},
    {alt('F'), cmd::kFirstSegment},
    {ctrl('L'), cmd::kSaveAsLeft},
    {alt('L'), cmd::kLastSegment},
    {ctrl('M'), cmd::kPreview},
    {ctrl('O'), cmd::kCompareDirs},
    {ctrl('R'), cmd::kSaveAsRight},
    {ctrl('S'), cmd::kSaveAs},
    {alt('S'), cmd::kWalkSkip},
    {ctrl('V'), cmd::kPaste},
    {ctrl(kKeyDown), cmd::kNextUnresolved},
    {alt(kKeyDown), cmd::kNextSegment},
    {alt(kKeyDown), cmd::kLastSegment}, // never reached: the entry before takes the key
    {plain(kKeyF1), cmd::kHelpContents},
    {ctrl(kKeyF1), cmd::kFile1},
    {ctrl(kKeyF2), cmd::kFile2},
    {plain(kKeyF3), cmd::kFindNext},
    {alt(kKeyF4), cmd::kQuit},
    {ctrl(kKeyLeft), cmd::kSelectFromLeft},
    {ctrl(kKeyPageDown), cmd::kLastLine},
    {ctrl(kKeyPageUp), cmd::kFirstLine},
    {alt(kKeyPageUp), cmd::kFirstSegment},
    {ctrl(kKeyRight), cmd::kSelectFromRight},
    {ctrl(kKeyUp), cmd::kPrevUnresolved},
    {alt(kKeyUp), cmd::kPrevSegment},
    {ctrl('W'), cmd::kSaveAs},
    // The take keys point at the pane whose lines they keep.
    {alt(kKeyLeft), cmd::kTakeLeft},
    {alt(kKeyRight), cmd::kTakeRight},
    {{kModAlt | kModShift, kKeyLeft}, cmd::kTakeLeftThenRight},
    {{kModAlt | kModShift, kKeyRight}, cmd::kTakeRightThenLeft},
    {{kModShift, kKeyF10}, cmd::kContextMenu},
    {plain(kKeyMenu), cmd::kContextMenu},
});

constexpr auto kKestaAccMandc = std::to_array<Accelerator>({
    {ctrl('D'), cmd::kCopyToDestination},
    {ctrl('F'), cmd::kFind},
    {alt(kKeyDown), cmd::kNextSegment},
    {plain(kKeyF3), cmd::kFindNext},
    {alt(kKeyF4), cmd::kQuit},
    {alt(kKeyUp), cmd::kPrevSegment},
    {plain(kKeyF5), cmd::kRescanDirectories},
});

constexpr ToolButton kSep{ToolKind::Separator, -1, 0};
constexpr ToolButton button(int image, int command) {
    return {ToolKind::Button, image, command};
}
constexpr ToolButton check(int image, int command) {
    return {ToolKind::Check, image, command};
}

constexpr auto kFileToolbar = std::to_array<ToolButton>({
    kSep,
    button(0, cmd::kFile1),
    button(1, cmd::kFile2),
    kSep,
    button(2, cmd::kCompareFiles),
    kSep,
    button(3, cmd::kSaveAs),
    button(4, cmd::kPreview),
    button(5, cmd::kPrint),
    kSep,
    button(6, cmd::kNextSegment),
    button(7, cmd::kPrevSegment),
    button(8, cmd::kNextUnresolved),
    button(9, cmd::kPrevUnresolved),
    button(10, cmd::kFind),
    button(11, cmd::kFindNext),
    kSep,
    check(12, cmd::kToggleTableMode),
    check(13, cmd::kToggleDiffsOnly),
    check(14, cmd::kToggleIgnoreComments),
});

constexpr auto kDirectoryToolbar = std::to_array<ToolButton>({
    kSep,
    button(2, cmd::kCopyToDestination),
    kSep,
    button(0, cmd::kPrint),
    kSep,
    button(6, cmd::kFind),
    button(7, cmd::kFindNext),
    button(3, cmd::kNextSegment),
    button(4, cmd::kPrevSegment),
    kSep,
    check(5, cmd::kToggleDiffsOnly),
    check(10, cmd::kToggleSubdirectories),
    button(11, cmd::kRescanDirectories),
    kSep,
    button(8, cmd::kHelpContents),
});

// The two image lists; an empty name is a slot with no picture.
constexpr auto kFileImages =
    std::to_array<const char*>({"file1", "file2", "compare", "save", "preview", "print", "next",
                                "previous", "next_unresolved", "previous_unresolved", "find",
                                "find_next", "table_mode", "diffs_only", "ignore_comments", ""});

constexpr auto kDirectoryImages = std::to_array<const char*>(
    {"print", "", "copy_to_destination", "next", "previous", "diffs_only", "find", "find_next",
     "help", "", "subdirectories", "rescan"});

struct Tooltip {
    int command;
    const char* text;
};

constexpr auto kTooltips = std::to_array<Tooltip>({
    {cmd::kFile1, "Load file 1"},
    {cmd::kFile2, "Load file 2"},
    {cmd::kCompareFiles, "Compare files"},
    {cmd::kSaveAs, "Save results"},
    {cmd::kPreview, "Preview results"},
    {cmd::kPrint, "Print results"},
    {cmd::kNextSegment, "Jump to next"},
    {cmd::kPrevSegment, "Jump to previous"},
    {cmd::kNextUnresolved, "Next unresolved"},
    {cmd::kPrevUnresolved, "Previous unresolved"},
    {cmd::kFind, "Find text"},
    {cmd::kFindNext, "Repeat last text search"},
    {cmd::kToggleTableMode, "Table comparison mode"},
    {cmd::kToggleDiffsOnly, "Show differences only"},
    {cmd::kToggleIgnoreComments, "Ignore comments mode"},
    {cmd::kCopyToDestination, "Copy to Destination directory"},
    {cmd::kHelpContents, "Help"},
    {cmd::kToggleSubdirectories, "Include subdirectories"},
    {cmd::kRescanDirectories, "Rescan the directories"},
});

} // namespace

std::span<const MenuEntry> mainMenu() {
    return kMainMenu;
}
std::span<const MenuEntry> compDirMenu() {
    return kCompDirMenu;
}
std::span<const MenuEntry> quickMenu() {
    return kQuickMenu;
}
std::span<const MenuEntry> quickMenuMandc() {
    return kQuickMenuMandc;
}
std::span<const Accelerator> kestaAcc() {
    return kKestaAcc;
}
std::span<const Accelerator> kestaAccMandc() {
    return kKestaAccMandc;
}
std::span<const ToolButton> fileToolbar() {
    return kFileToolbar;
}
std::span<const ToolButton> directoryToolbar() {
    return kDirectoryToolbar;
}

std::string toolbarImage(bool directoryWindow, int image) {
    const std::span<const char* const> images = directoryWindow
                                                    ? std::span<const char* const>(kDirectoryImages)
                                                    : std::span<const char* const>(kFileImages);
    const auto at = static_cast<std::size_t>(image);
    if (image < 0 || at >= images.size() || *images[at] == '\0') {
        return {};
    }
    return std::string(":/icons/") + images[at] + ".svg";
}

std::string tooltipText(int command) {
    for (const Tooltip& tip : kTooltips) {
        if (tip.command == command) {
            return tip.text;
        }
    }
    return {};
}

std::optional<int> commandOfKey(std::span<const Accelerator> table, const KeyChord& chord) {
    for (const Accelerator& entry : table) {
        if (entry.chord == chord) {
            return entry.command;
        }
    }
    return std::nullopt;
}

std::optional<KeyChord> keyOfCommand(std::span<const Accelerator> table, int command) {
    for (const Accelerator& entry : table) {
        if (entry.command == command && commandOfKey(table, entry.chord) == command) {
            return entry.chord;
        }
    }
    return std::nullopt;
}

std::string shownShortcut(const MenuEntry& entry, std::span<const Accelerator> table) {
    const std::string text = entry.shortcut;
    const std::optional<KeyChord> named = parseChord(text);
    if (!named) {
        return text;
    }
    const std::optional<int> runs = commandOfKey(table, *named);
    if (!runs || *runs == entry.id) {
        return text;
    }
    const std::optional<KeyChord> own = keyOfCommand(table, entry.id);
    return own ? formatChord(*own) : std::string();
}

} // namespace tandel::ui
