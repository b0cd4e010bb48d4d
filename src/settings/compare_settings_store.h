// The comparison definitions in tandel.ini: table mode under "Table Options"
// and "Comparison mode", comment definitions under "Ignore comments" and
// "Ignored Segments".
#pragma once

#include "engine/compare_settings.h"
#include "settings/profile.h"
#include "settings/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

namespace tandel {

// Reads every definition key into `settings`, replacing what it held, and
// rebuilds the column-character table. A bad column list leaves its set as it
// was; an unknown column type reads as the default.
void loadCompareSettings(const Profile& profile, CompareSettings& settings);

// The table part ("Comparison mode" and "Table Options"), written before the
// other options, and the comment part, written last.
void saveTableDefinitions(Profile& profile, const CompareSettings& settings);
void saveCommentDefinitions(Profile& profile, const CompareSettings& settings);

// Both writers for SettingsStore::saveAll and shutDown; `settings` must outlive
// the returned writers.
DefinitionWriters compareSettingsWriters(const CompareSettings& settings);

// Column positions at or past this are not read back.
inline constexpr int kColumnPositionLimit = 60000;

// The text forms, shared with the options pages.
// "1:8,12:20". Reading stops at the first part that is not two numbers; a part
// outside 0 < first <= last < 60000 is skipped; parts are inserted in order.
std::string formatColumnPositions(const std::vector<ColumnRange>& positions);
std::vector<ColumnRange> parseColumnPositions(std::string_view text);
// "begin end " per definition; a final unpaired word is dropped.
std::string formatCommentDefinitions(const std::vector<CommentDefinition>& comments);
std::vector<CommentDefinition> parseCommentDefinitions(std::string_view text);

} // namespace tandel
