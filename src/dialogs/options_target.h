// What the options sheet edits: the settings record and the comparison's
// settings, and where a page tells the user why it refused. The sheet sees
// nothing else of the application.
#pragma once

namespace tandel {

class Messages;
struct CompareSettings;
struct SettingsRecord;

struct OptionsTarget {
    SettingsRecord& record;
    CompareSettings& compare;
    Messages& messages;
};

} // namespace tandel
