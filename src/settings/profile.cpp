#include "settings/profile.h"

// Only the narrow-character store is used; no wide-character converter is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

// SimpleIni's CSimpleIniA compares section and key names without regard to case.
// The store holds values in their file form (quoted where needed); readString and
// writeString translate, so what is held in memory and what a reload yields agree.
struct Profile::Store {
    Store() { ini.SetSpaces(false); } // "key=value", as the classic profile writes it
    CSimpleIniA ini{false, false, false};
};

namespace {

bool isBlank(char c) {
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
    if (looksQuoted || isBlank(out.front()) || isBlank(out.back())) {
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
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\f' || text[i] == '\v')) {
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

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

Profile::Profile(std::string path) : path_(std::move(path)), store_(std::make_unique<Store>()) {}
Profile::~Profile() = default;
Profile::Profile(Profile&&) noexcept = default;
Profile& Profile::operator=(Profile&&) noexcept = default;

int Profile::load() {
    store_->ini.Reset();
    std::error_code ec;
    auto status = std::filesystem::status(path_, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return 0;
    }
    if (ec || !std::filesystem::is_regular_file(status)) {
        return -1;
    }
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return -1;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return -1;
    }
    // The parser stops at a NUL byte; a stray one must not hide the rest of the file
    // (which the next save would then drop).
    for (char& c : data) {
        if (c == '\0') {
            c = ' ';
        }
    }
    return store_->ini.LoadData(data) < 0 ? -1 : 0;
}

int Profile::save() const {
    namespace fs = std::filesystem;
    std::string text;
    if (store_->ini.Save(text) < 0) {
        return -1;
    }

    // Replace the file the user's path leads to, not a symbolic link on the way.
    std::error_code ec;
    fs::path target = path_;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path real = fs::canonical(target, ec);
        if (!ec) {
            target = real;
        }
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string temp = (folder / hidden).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return -1;
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return -1;
    }
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return 0;
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
