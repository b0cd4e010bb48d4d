// Command ids shared by menu items, accelerators, toolbar buttons, tooltip
// strings and the commands the program posts to itself. The values are fixed:
// child instances, resources and saved toolbar states all refer to them.
#pragma once

namespace tandel::cmd {

// Options and fonts.
inline constexpr int kOptionsGeneral = 1;
inline constexpr int kTitleFont = 11;
inline constexpr int kTextFont = 13;
inline constexpr int kFileTypes = 19;
inline constexpr int kDirectoryMergingOptions = 21;

// Navigation by segment.
inline constexpr int kNextUnresolved = 2;
inline constexpr int kPrevUnresolved = 3;
inline constexpr int kNextSegment = 6;
inline constexpr int kPrevSegment = 7;
inline constexpr int kFirstSegment = 310;
inline constexpr int kLastSegment = 311;
inline constexpr int kFirstLine = 301;
inline constexpr int kLastLine = 302;

// Merge decisions.
inline constexpr int kSelectFromLeft = 8;
inline constexpr int kSelectFromRight = 9;
inline constexpr int kUnselectAll = 10;
inline constexpr int kSelectAll = 9075;
inline constexpr int kSplitSegment = 40003;
// The segment in focus taken from one side, or from both in either order,
// then the next segment.
inline constexpr int kTakeLeft = 42001;
inline constexpr int kTakeRight = 42002;
inline constexpr int kTakeLeftThenRight = 42003;
inline constexpr int kTakeRightThenLeft = 42004;
// The context menu at the segment in focus (Shift+F10, the Menu key).
inline constexpr int kContextMenu = 42005;
// Shows or hides the status bar ("Status bar" in tandel.ini).
inline constexpr int kToggleStatusBar = 42010;
// Shows or hides the ancestor of a three-way merge ("Base pane" in tandel.ini).
inline constexpr int kToggleBasePane = 42011;

// Help and about.
inline constexpr int kHelpContents = 15;
inline constexpr int kAbout = 309;

// Output.
inline constexpr int kPrint = 17;
inline constexpr int kSaveAs = 306;
inline constexpr int kSaveAsLeft = 9073;
inline constexpr int kSaveAsRight = 9074;
inline constexpr int kPaste = 9070;
inline constexpr int kPreview = 9071;
inline constexpr int kCopy = 9072;

// Toolbar check buttons.
inline constexpr int kToggleTableMode = 24;
inline constexpr int kToggleDiffsOnly = 25;
inline constexpr int kToggleIgnoreComments = 26;

// Files and comparison.
inline constexpr int kFile1 = 303;
inline constexpr int kFile2 = 304;
inline constexpr int kCompareFiles = 305;
inline constexpr int kQuit = 307;
// Files dropped on a pane (FrameState::dropped): loaded when the command runs.
inline constexpr int kLoadDropped = 40010;

// Directory merging.
inline constexpr int kWalkSkip = 312;
inline constexpr int kWalkCancel = 313;
inline constexpr int kCompareDirs = 314;
inline constexpr int kWalkNext = 315;
inline constexpr int kCompareDirectoryLists = 1000;
inline constexpr int kCopyToDestination = 40001;
// The directory window's own: read both trees again with the current
// settings, and flip "Recursive" and read them again.
inline constexpr int kRescanDirectories = 41000;
inline constexpr int kToggleSubdirectories = 41001;

// Search.
inline constexpr int kFindNext = 316;
inline constexpr int kFind = 317;

} // namespace tandel::cmd
