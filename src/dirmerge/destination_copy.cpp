#include "dirmerge/destination_copy.h"

#include "dirmerge/ensure_directory.h"
#include "dirmerge/names.h"

namespace tandel {

bool relativeTo(const std::string& path, const std::string& base, std::string& relative) {
    // A prefix, not merely somewhere in the text: cutting base.size()
    // characters off a path that holds the base further in would name the
    // wrong file.
    if (path.compare(0, base.size(), base) != 0)
        return false;
    relative = path.substr(base.size());
    if (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    return true;
}

int copyCursorEntry(DirMergeContext& ctx, const DirListing& listing) {
    if (listing.exhausted())
        return -1;
    const std::string source = joinPath(listing.path, listing.entry().name);
    const std::string target = joinPath(ctx.state.walkDestination, listing.entry().name);
    if (sameFile(source, target))
        return 0;
    CopyServices services = ctx.copyServices();
    return copyPath(services, source, target, ctx.state.answers.replace) == 0 ? 0 : -1;
}

bool askPresentOnly(DirMergeContext& ctx, const DirListing& listing) {
    if (listing.exhausted() || sameFile(listing.path, ctx.state.walkDestination))
        return false;
    const DirEntry& entry = listing.entry();
    if (!entry.isDirectory() && !entry.isRegular()) {
        // Never copied, so not asked about either.
        ctx.frame.message(Severity::Error, listing.currentPath() + " is not a regular file");
        return false;
    }
    int& answer = ctx.state.answers.presentOnly;
    bool copy = answer == kYesToAll;
    if (answer == kAskWithMessageBox || answer == kAskWithDialog) {
        switch (
            ctx.frame.askPermission({QuestionKind::PresentOnly, listing.currentPath(),
                                     listing.entry().name + " is present only in\n" + listing.path +
                                         ".\nCopy it to the destination directory ?"})) {
        case kAnswerYes:
            copy = true;
            break;
        case kAnswerYesToAll:
            answer = kYesToAll;
            copy = true;
            break;
        case kAnswerNoToAll:
            answer = kNoToAll;
            break;
        case kAnswerCancel:
            ctx.frame.postCommand(cmd::kWalkCancel);
            break;
        default:
            break;
        }
    }
    if (!copy)
        return false;
    copyCursorEntry(ctx, listing); // the copy reports its own failures
    return true;
}

int askFileOrDirectory(DirMergeContext& ctx, const DirListing& fileSide,
                       const DirListing& directorySide) {
    const int answer =
        ctx.frame.askFileOrDirectory(fileSide.currentPath(), directorySide.currentPath());
    if (answer == kAnswerFile)
        copyCursorEntry(ctx, fileSide);
    else if (answer == kAnswerDirectory)
        copyCursorEntry(ctx, directorySide);
    else if (answer == kAnswerCancel)
        ctx.frame.postCommand(cmd::kWalkCancel);
    return answer;
}

void copySelectedRows(DirMergeContext& ctx, const std::vector<std::string>& itemTexts,
                      const std::string& sideDirectory, const std::string& destination) {
    for (const std::string& text : itemTexts) {
        std::string relative;
        if (text.empty() || !relativeTo(text, sideDirectory, relative) || relative.empty())
            continue;
        const std::string target = joinPath(destination, relative);
        const auto cut = target.rfind('/');
        if (cut == std::string::npos)
            continue;
        const std::string parent = cut == 0 ? std::string("/") : target.substr(0, cut);
        if (ensureDirectory(ctx.frame, parent) != 0)
            continue;
        CopyServices services = ctx.copyServices();
        copyPath(services, text, target, ctx.state.answers.replace);
    }
}

} // namespace tandel
