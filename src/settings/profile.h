#pragma once

// One ini file held in memory, with the semantics of the classic private-profile
// functions: section and key names are compared without regard to case, a missing
// key reads as the caller's default, integers are signed decimal text.
//
// Nothing touches the disk except load() and save(). Typical use:
//
//     Profile ini(path);
//     if (ini.load() == ProfileLoad::Unreadable) ... // missing file = empty profile
//     int tab = ini.readInt("Options", "Tab size", 8);
//     ini.writeInt("Options", "Tab size", tab);
//     if (!ini.save().ok()) { /* old file left as it was */ }
//
// No member throws.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace tandel {

// Whether load() could read the file.
enum class ProfileLoad { Read, Unreadable };

// How the last load() found the file.
struct ProfileReading {
    enum class Kind {
        Missing,
        Clean,
        Unreadable,  // not opened or not read: nothing of it is held
        NotText,     // NUL bytes (UTF-16 or binary): nothing of it is held
        UnreadLines, // some lines not understood: they are held as comments
    };
    Kind kind = Kind::Missing;
    int error = 0; // Unreadable: the system's error number
    std::size_t unreadLines = 0;
    std::size_t firstUnreadLine = 0;
    std::string original; // NotText, UnreadLines: the file's bytes

    bool cleanOrMissing() const { return kind == Kind::Missing || kind == Kind::Clean; }
};

class Profile {
public:
    // The file is read through `files`; it is written by save() alone.
    explicit Profile(std::string path, FileSystem& files = realFileSystem());
    ~Profile();
    Profile(Profile&&) noexcept;
    Profile& operator=(Profile&&) noexcept;
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    const std::string& path() const { return path_; }

    // Replaces the in-memory contents with the file's. Read also when the file
    // does not exist (the profile is then empty); Unreadable when it exists but
    // cannot be read (the profile is then empty too). A file that is no text
    // reads as empty; a line that is not understood is held as a comment, so
    // that a save keeps it. reading() tells which.
    [[nodiscard]] ProfileLoad load();
    const ProfileReading& reading() const;

    // Replaces the file through the file layer: the new contents go to a file
    // beside it, which takes its name only once complete and on the disk, so a
    // failure at any step leaves the previous file as it was and says why. A
    // link is followed; a new file may be read by its owner alone. The folder
    // must exist. A file without write permission is read-only to this program
    // too, even to a user who could replace it; a folder, a pipe or a device in
    // the file's place is refused.
    [[nodiscard]] IoStatus save() const;

    // Missing key: `def`. Present: leading blanks, an optional sign and the digits
    // that follow, as atoi reads them; no digits reads as 0; out of range clamps
    // to the 32-bit limits. An empty value reads as `def`.
    std::int32_t readInt(const std::string& section, const std::string& key,
                         std::int32_t def) const;

    // Missing key: `def`; present: its value, whole (an empty value stays empty).
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& def) const;

    bool hasKey(const std::string& section, const std::string& key) const;
    bool hasSection(const std::string& section) const;

    // Adds or replaces a value. An existing key keeps its spelling, so a key read as
    // "Ignore spaces" and written as "Ignore Spaces" stays one entry. Outer blanks and
    // quote characters survive a save and load; line feeds, carriage returns and NUL
    // cannot live in the line-based file and become blanks. Section and key names are
    // plain words (no "=", "]" or line breaks).
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, std::int32_t value);

    void deleteKey(const std::string& section, const std::string& key);
    void deleteSection(const std::string& section);

    // Key names of a section in file order (empty when the section is missing).
    std::vector<std::string> keys(const std::string& section) const;

private:
    struct Store;
    std::string path_;
    FileSystem* files_;
    std::unique_ptr<Store> store_;
};

} // namespace tandel
