// The General page of the options sheet without its widgets: the values it
// shows, and applying them to the settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/compare_settings.h"
#include "settings/option_notice.h"
#include "settings/settings_record.h"

namespace tandel {

struct GeneralOptions {
    bool compressSpaces = false;
    bool ignoreAllSpaces = false; // kept while greyed out with compressSpaces off
    bool tableMode = false;
    bool ignoreComments = false;
    bool ignoreLineEnds = false;
    bool keepLineEnds = false; // "Unix format"
    bool diffsOnly = false;
    std::string tabSize; // as typed
    std::string contextLines;
    bool lineNumbers = false;
    bool syncHScroll = false;
    bool autoWalk = false;
    bool autoCompare = false;
    bool highlightChanges = false;
    bool operator==(const GeneralOptions&) const = default;
};

GeneralOptions readGeneralOptions(const SettingsRecord& record, const CompareSettings& compare);

// "Ignore All Spaces" only means something on top of compressed spaces.
inline bool ignoreAllSpacesEnabled(const GeneralOptions& options) {
    return options.compressSpaces;
}

// A signed decimal number, blanks allowed around it; anything else is not a
// number. Values past the range of long long saturate.
std::optional<long long> readTypedInteger(std::string_view text);

// Refuses a tab size or context line count that is not a number or lies outside
// what the program can use (the ranges loading accepts), changing nothing.
[[nodiscard]] OptionResult applyGeneralOptions(const GeneralOptions& options,
                                               SettingsRecord& record, CompareSettings& compare);

} // namespace tandel
