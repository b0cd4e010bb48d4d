#pragma once

// Reads and writes tandel.ini for the application: every key outside the
// comparison definitions, with its default, in the order the program needs.
//
// Start-up, in this order:
//   1. loadOptions(s)          before the main window: [Options], geometry, lists
//   2. loadFilesSection(s, sw) while the main window is created: makes sure the
//                              settings folder exists when the settings are not
//                              present yet, reads [Files], applies the switches
//      loadTextFont(s)         then the comparison definitions, through profile()
//   3. loadTitleFont(s)        while the child windows are created
// Shut-down: shutDown(s, hooks). Before starting a directory window instance:
// saveAll(s, hooks), so that the new instance reads the current options.
//
// Writes reload the file first, so keys written meanwhile by another instance
// (and sections this program does not know) survive; the file is then replaced
// atomically, and a failure leaves the old file as it was.
//
// A file that is not read cleanly (no text, or lines that are not understood)
// is kept beside itself as tandel.ini.bad before anything replaces it; when no
// copy can be kept, it is not replaced. What the user should know about it,
// and why shutDown wrote nothing, waits in takeNotices().

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/profile.h"
#include "settings/settings_record.h"

namespace tandel {

// Path switches of the command line that bear on [Files].
struct PathSwitches {
    std::optional<std::string> d1;
    std::optional<std::string> d2;
    bool f1Given = false;
    bool f2Given = false;
    std::optional<std::string> outd;
};

// Writers of the comparison definitions, which live in the same file but belong
// to the engine's settings. Either may be empty.
struct DefinitionWriters {
    std::function<void(Profile&)> tableDefinitions;   // written before the options
    std::function<void(Profile&)> commentDefinitions; // written last
};

// Applies the switches to the remembered paths for this run, then removes one
// trailing "/" from "Dir name 1", "Dir name 2" and "Out dir" ("/" itself stays).
void applyPathSwitches(FilesSection& files, const PathSwitches& switches);

// Whether a save of the settings reached the file.
enum class SettingsWrite { Written, NotWritten };

class SettingsStore {
public:
    explicit SettingsStore(std::string iniPath, FileSystem& files = realFileSystem());

    const std::string& path() const { return profile_.path(); }

    // The file as last read or written; the comparison definitions are read from it
    // after loadTextFont and written through DefinitionWriters.
    Profile& profile() { return profile_; }
    const Profile& profile() const { return profile_; }

    // Reads the file, then the [Options] keys, the geometry (clamped to a usable
    // window) and the four lists into `s`. A missing file reads as defaults.
    // A file that exists but cannot be read gives defaults too, and why it
    // could not be read: the caller says so (the store does not say it again),
    // and the file is never written over.
    [[nodiscard]] IoStatus loadOptions(Settings& s);

    // True when "Tab size" is stored as something other than -1.
    bool settingsPresent() const;

    // Makes sure the folder of tandel.ini exists.
    [[nodiscard]] IoStatus ensureMapping() const;

    // Ensures the folder when the settings are not present, reads [Files] ("Select"
    // keys default to the directories just read) and applies the switches.
    void loadFilesSection(Settings& s, const PathSwitches& switches = {});

    void loadTextFont(Settings& s) const;
    void loadTitleFont(Settings& s) const;

    // Makes sure the folder exists, writes everything but the [Files] dialog values,
    // then saves the file.
    // NotWritten when the file could not be read back or written (the old
    // file stays as it was).
    [[nodiscard]] SettingsWrite saveAll(const Settings& s, const DefinitionWriters& writers = {});

    // The shut-down order: ensure the folder, [Files], then everything else.
    // A failure leaves a notice that says why.
    [[nodiscard]] SettingsWrite shutDown(const Settings& s, const DefinitionWriters& writers = {});

    // The messages gathered since the last call, oldest first, each said once.
    std::vector<std::string> takeNotices();

    // The pieces, for callers that need one; none of them touches the disk.
    void loadFont(FontDescription& font, const std::string& prefix,
                  const FontDescription& defaults) const;
    void saveFont(const FontDescription& font, const std::string& prefix);
    std::vector<std::string> loadList(const std::string& section) const;
    void saveList(const std::string& section, const std::vector<std::string>& entries,
                  std::size_t count);
    void saveFilesSection(const FilesSection& files);
    void saveOptions(const Settings& s);

private:
    // Whether the file may be written over: it was read back, and an original
    // that could not be read cleanly has been kept.
    enum class MayWrite { Yes, No };
    [[nodiscard]] MayWrite reloadForWrite();
    [[nodiscard]] MayWrite keepOriginal(const ProfileReading& reading);
    void writeAllButFiles(const Settings& s, const DefinitionWriters& writers);

    Profile profile_;
    FileSystem* files_;
    std::vector<std::string> notices_;
    bool unreadableSaid_ = false;
    int reloadError_ = 0; // why the last reload could not read the file
    // Why loadOptions could not read the file, or 0. The settings in use are
    // then defaults, which are never written over the user's file, even once
    // it can be read again.
    int loadError_ = 0;
    // The bytes of the last file that was not read cleanly, and whether a copy
    // of them is kept: the same file is neither copied nor reported twice.
    bool originalHandled_ = false;
    bool originalKept_ = false;
    std::string handledOriginal_;
};

} // namespace tandel
