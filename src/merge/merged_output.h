// The merged result (file 1 with every difference replaced by the chosen lines)
// or the differences-only listing, sent to a file, the printer or the preview.
#pragma once

#include "merge/merge_model.h"

#include <string>

namespace tandel {

class Frame;
struct SettingsRecord;

// The name the print spooler shows for every print job.
inline constexpr const char* kPrintDocumentName = "Merged file";

enum class OutputSink { File = 0, Printer = 1, Preview = 2 };

// Done; Failed after a message; Refused to start (not compared yet,
// unresolved segments, a binary pair for the printer or the preview).
enum class ProduceResult { Done, Failed, Refused };

// Whether a result can be made now; says why not (not compared yet,
// unresolved segments, both sides of a binary pair chosen).
[[nodiscard]] bool readyToProduce(const MergeModel& model, const SettingsRecord& settings,
                                  Frame& frame, bool differencesOnly);

// The target is used by the file
// sink only; directoryWindow (the mandc run mode) makes the printer sink print
// the two directory lists instead, which needs neither check. A file is
// written completely to a temporary file in the target's folder first and
// then renamed over the target, so a failed write leaves the old file in place.
[[nodiscard]] ProduceResult produceResult(MergeModel& model, const SettingsRecord& settings,
                                          Frame& frame, const std::string& target, OutputSink sink,
                                          bool differencesOnly, bool directoryWindow = false);

// The text the merge walk or the differences walk produces, with '\n' line
// ends, without any of Produce's checks; for callers that need the text itself.
std::string mergedText(const MergeModel& model, Frame& frame, bool differencesOnly);

} // namespace tandel
