#include "settings/profile.h"

#include "settings/profile_text.h"

// Only the narrow-character store is used; no wide-character converter is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <string>

namespace tandel {

// SimpleIni's CSimpleIniA compares section and key names without regard to case.
// The store holds values in their file form (quoted where needed); readString and
// writeString translate, so what is held in memory and what a reload yields agree.
struct Profile::Store {
    Store() { ini.SetSpaces(false); } // "key=value", as the classic profile writes it
    CSimpleIniA ini{false, false, false};
    std::string trailer; // comments after the last entry, which the parser would drop
    ProfileReading reading;
    // The file's bytes and status when last loaded; a save that would write
    // the same bytes over the same file leaves it alone.
    std::optional<std::string> loadedBytes;
    FileStatus loadedStatus;
};

namespace {

bool isBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The file is line based and the parser trims blanks around a value, so a value
// with outer blanks, or one that itself looks quoted, is written inside one pair
// of double quotes (which the reader strips, as the classic profile reader does).
// A line break cannot be stored at all; it becomes a blank rather than splitting
// the line into keys of its own.
std::string toFileForm(const std::string& value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (char c : value) {
        out.push_back(c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
    }
    if (out.empty()) {
        return out;
    }
    bool looksQuoted = out.size() >= 2 && out.front() == '"' && out.back() == '"';
    if (looksQuoted || isBlankOrLineEnd(out.front()) || isBlankOrLineEnd(out.back())) {
        return '"' + out + '"';
    }
    return out;
}

std::string fromFileForm(const char* stored) {
    std::string s(stored);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

// atoi's reading (leading blanks, optional sign, digits up to the first non-digit)
// with saturation instead of undefined behaviour on overflow.
std::int32_t parseInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (isBlankOrLineEnd(text[i]) || text[i] == '\f' || text[i] == '\v')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            // Keep consuming digits without growing the number.
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

Profile::Profile(std::string path, FileSystem& files)
    : path_(std::move(path)), files_(&files), store_(std::make_unique<Store>()) {}
Profile::~Profile() = default;
Profile::Profile(Profile&&) noexcept = default;
Profile& Profile::operator=(Profile&&) noexcept = default;

ProfileLoad Profile::load() {
    using Kind = ProfileReading::Kind;
    store_->ini.Reset();
    store_->trailer.clear();
    store_->loadedBytes.reset();
    ProfileReading& reading = store_->reading;
    reading = ProfileReading{};
    FileStatus status;
    const IoStatus examined = files_->status(path_, status);
    if (examined.ok() && status.kind == FileKind::Missing) {
        return ProfileLoad::Read;
    }
    // A pipe or a device in its place would never give a settings file.
    InputBytes input;
    const IoStatus read = !examined.ok() ? examined
                          : !status.isRegular()
                              ? IoStatus::failure(status.isDirectory() ? EISDIR : EINVAL)
                              : files_->readInput(path_, 0, input);
    if (!read.ok()) {
        reading.kind = Kind::Unreadable;
        reading.error = read.error();
        return ProfileLoad::Unreadable;
    }
    std::string data(input.bytes.data(), input.length);
    store_->loadedBytes = data;
    store_->loadedStatus = status;
    ProfileText text = prepareProfileText(data);
    if (!text.isText || text.unreadLines > 0) {
        reading.kind = text.isText ? Kind::UnreadLines : Kind::NotText;
        reading.unreadLines = text.unreadLines;
        reading.firstUnreadLine = text.firstUnreadLine;
        reading.original = std::move(data);
    } else {
        reading.kind = Kind::Clean;
    }
    if (store_->ini.LoadData(text.parserText) < 0) {
        store_->ini.Reset();
        reading = ProfileReading{};
        store_->loadedBytes.reset();
        reading.kind = Kind::Unreadable;
        reading.error = ENOMEM;
        return ProfileLoad::Unreadable;
    }
    store_->trailer = std::move(text.trailer);
    return ProfileLoad::Read;
}

const ProfileReading& Profile::reading() const {
    return store_->reading;
}

IoStatus Profile::save() const {
    std::string text;
    if (store_->ini.Save(text) < 0) {
        return IoStatus::failure(ENOMEM);
    }
    text += store_->trailer;

    // The file layer replaces what a link leads to, and keeps the old file's
    // permissions; a new file is the user's alone, as it names their folders.
    FileStatus old;
    if (const IoStatus examined = files_->status(path_, old); !examined.ok()) {
        return examined;
    }
    const bool exists = old.kind != FileKind::Missing;
    // A pipe or a device would be written where it is, and a reader may never come.
    if (exists && !old.isRegular()) {
        return IoStatus::failure(old.isDirectory() ? EISDIR : EINVAL);
    }
    // The rename would replace it all the same; the owner's mark says not to.
    if (exists && (old.permissions & 0222) == 0) {
        return IoStatus::failure(EACCES);
    }
    const FileStatus& loaded = store_->loadedStatus;
    if (exists && store_->loadedBytes == text && old.sameFileAs(loaded) &&
        old.size == loaded.size && old.writeTime == loaded.writeTime) {
        return {};
    }
    WriteOptions options;
    options.setPermissions = !exists;
    options.permissions = 0600;
    std::unique_ptr<FileWriter> writer;
    IoStatus status = files_->openWriter(path_, options, writer);
    if (status.ok()) {
        status = writer->write(text);
    }
    if (status.ok()) {
        status = writer->commit();
        store_->loadedBytes.reset();
    }
    return status; // a writer dropped uncommitted leaves the old file as it was
}

std::int32_t Profile::readInt(const std::string& section, const std::string& key,
                              std::int32_t def) const {
    const char* stored = store_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (stored == nullptr) {
        return def;
    }
    std::string text = fromFileForm(stored);
    return text.empty() ? def : parseInt(text);
}

std::string Profile::readString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    const char* stored = store_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return stored == nullptr ? def : fromFileForm(stored);
}

bool Profile::hasKey(const std::string& section, const std::string& key) const {
    return store_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

bool Profile::hasSection(const std::string& section) const {
    return store_->ini.GetSection(section.c_str()) != nullptr;
}

void Profile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    store_->ini.SetValue(section.c_str(), key.c_str(), toFileForm(value).c_str());
}

void Profile::writeInt(const std::string& section, const std::string& key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

void Profile::deleteKey(const std::string& section, const std::string& key) {
    store_->ini.Delete(section.c_str(), key.c_str(), false);
}

void Profile::deleteSection(const std::string& section) {
    store_->ini.Delete(section.c_str(), nullptr);
}

std::vector<std::string> Profile::keys(const std::string& section) const {
    CSimpleIniA::TNamesDepend names;
    std::vector<std::string> out;
    if (!store_->ini.GetAllKeys(section.c_str(), names)) {
        return out;
    }
    names.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& entry : names) {
        out.emplace_back(entry.pItem);
    }
    return out;
}

} // namespace tandel
