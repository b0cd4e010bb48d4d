#include "settings/settings_store.h"

namespace tandel {

namespace {

// One trailing separator goes, so that joining a name with "/" does not double it;
// the root folder keeps its only character, or it would turn into "no folder".
void dropTrailingSeparator(std::string& dir) {
    if (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
}

} // namespace

void applyPathSwitches(FilesSection& files, const PathSwitches& switches) {
    if (switches.d1) {
        files.dirName1 = *switches.d1;
        files.selectDir1 = *switches.d1;
    }
    if (switches.d2) {
        files.dirName2 = *switches.d2;
        files.selectDir2 = *switches.d2;
    }
    // A named file is found by its own path; the remembered folder must not be
    // joined in front of it.
    if (switches.f1Given) {
        files.dirName1.clear();
    }
    if (switches.f2Given) {
        files.dirName2.clear();
    }
    if (switches.outd) {
        files.outDir = *switches.outd;
        files.selectOutdir = *switches.outd;
    }
    dropTrailingSeparator(files.dirName1);
    dropTrailingSeparator(files.dirName2);
    dropTrailingSeparator(files.outDir);
}

} // namespace tandel
