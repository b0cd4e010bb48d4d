// The end of an unattended run (`auto`): every segment taken and the merged
// result saved to the `outf` file, with the run's exit codes.
#pragma once

namespace tandel {

class Session;

// Exit codes of an unattended run.
inline constexpr int kUnattendedSaved = 0;      // the merged result was saved
inline constexpr int kUnattendedConflicts = 1;  // a three-way merge left conflicts: nothing saved
inline constexpr int kUnattendedFailure = 2;    // anything else went wrong
inline constexpr int kUnattendedNoOutput = 255; // no output file was named

enum class UnattendedSave { Saved, Conflicts, Failed, NoOutput };

// The run's exit code for each outcome.
constexpr int exitCodeOf(UnattendedSave outcome) {
    switch (outcome) {
    case UnattendedSave::Saved:
        return kUnattendedSaved;
    case UnattendedSave::Conflicts:
        return kUnattendedConflicts;
    case UnattendedSave::NoOutput:
        return kUnattendedNoOutput;
    case UnattendedSave::Failed:
        break;
    }
    return kUnattendedFailure;
}

// Selects all segments and saves the merged result to the `outf` file, as the
// plain Save does. A three-way merge (`base`) saves its own choices instead,
// and only when no conflict is left.
[[nodiscard]] UnattendedSave saveUnattendedResult(Session& app);

} // namespace tandel
