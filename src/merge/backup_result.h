// What became of the backup of a file about to be replaced.
#pragma once

namespace tandel {

// Made: the old file is also under its ".bak" name. NotNeeded: the file is
// a backup itself and gets none. Impossible: no backup could be made.
enum class BackupResult { Made, NotNeeded, Impossible };

} // namespace tandel
