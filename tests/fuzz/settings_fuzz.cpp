// The settings file reader on any file: every key, the fonts, the lists and
// the comparison definitions are read as at start-up, and what is read is
// written back and read again, which must give the same settings.
#include "fuzz_support.h"
#include "settings/compare_settings_store.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

tandel::Settings readAll(const std::string& path, tandel::CompareSettings& compare) {
    tandel::SettingsStore store(path);
    tandel::Settings settings;
    (void)store.loadOptions(settings); // an unreadable file reads as defaults
    store.loadFilesSection(settings);
    store.loadTextFont(settings);
    tandel::loadCompareSettings(store.profile(), compare);
    store.loadTitleFont(settings);
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = tandel::fuzz::scratchFolder() + "/tandel.ini";
    // A broken file is kept beside itself once; each input is a file of its own.
    std::filesystem::remove(path + ".bad");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    tandel::CompareSettings compare;
    const tandel::Settings first = readAll(path, compare);
    tandel::SettingsStore store(path);
    tandel::fuzz::require(store.saveAll(first, tandel::compareSettingsWriters(compare)) ==
                              tandel::SettingsWrite::Written,
                          "the settings can be written back");
    tandel::CompareSettings compareAgain;
    const tandel::Settings second = readAll(path, compareAgain);
    tandel::fuzz::require(second.record.tabSize == first.record.tabSize &&
                              second.lists.includeFilters == first.lists.includeFilters &&
                              second.lists.excludeFilters == first.lists.excludeFilters,
                          "written settings read back the same");
    tandel::fuzz::require(compareAgain.tableMode == compare.tableMode &&
                              compareAgain.columnType == compare.columnType &&
                              compareAgain.comments.size() == compare.comments.size(),
                          "written definitions read back the same");
    return 0;
}
