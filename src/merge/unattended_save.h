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

// Selects all segments and saves the merged result to the `outf` file, as the
// plain Save does; returns the run's exit code. A three-way merge (`base`)
// saves its own choices instead, and only when no conflict is left.
int saveUnattendedResult(Session& app);

} // namespace tandel
