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
    // Nor a longer name that starts with the base's last one ("/a/one2" is not below "/a/one").
    if (path.size() > base.size() && !base.empty() && base.back() != '/' &&
        path[base.size()] != '/')
        return false;
    relative = path.substr(base.size());
    if (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    return true;
}

void leaveOutUnreadable(DirMergeContext& ctx, const std::vector<Unreadable>& entries) {
    std::string text;
    for (const Unreadable& entry : entries)
        text += withReason("Cannot read " + entry.path, entry.why) + "\n";
    ctx.frame.message(Severity::Warning, text + "It is left out of the merge.");
    ++ctx.state.tally.skipped;
}

CopyResult copyCursorEntry(DirMergeContext& ctx, const DirListing& listing) {
    if (listing.exhausted())
        return CopyResult::Failed;
    const std::string source = joinPath(listing.path, listing.entry().name);
    const std::string target = joinPath(ctx.state.walkDestination, listing.entry().name);
    CopyServices services = ctx.copyServices();
    return copyPath(services, source, target, ctx.state.answers.replace);
}

bool askPresentOnly(DirMergeContext& ctx, const DirListing& listing) {
    if (listing.exhausted() || sameFile(ctx.files(), listing.path, ctx.state.walkDestination))
        return false;
    const DirEntry& entry = listing.entry();
    if (entry.unreadable()) {
        leaveOutUnreadable(ctx, {{listing.currentPath(), entry.problem}});
        return false;
    }
    if (entry.isDirectory()) {
        // A folder that cannot be listed is not offered: its copy could only fail.
        std::vector<FolderEntry> inside;
        if (const IoStatus listed = ctx.files().listFolder(listing.currentPath(), inside);
            !listed.ok()) {
            leaveOutUnreadable(ctx, {{listing.currentPath(), listed}});
            return false;
        }
    } else if (!entry.isRegular() && !entry.isLink()) {
        // Never copied, so not asked about either.
        ctx.frame.message(Severity::Error, listing.currentPath() + " is not a regular file");
        ++ctx.state.tally.skipped;
        return false;
    }
    int& answer = ctx.state.answers.presentOnly;
    bool copy = answer == kYesToAll;
    bool cancelled = false;
    if (answer == kAskWithMessageBox || answer == kAskWithDialog) {
        switch (
            ctx.frame.askPermission({QuestionKind::PresentOnly, listing.currentPath(),
                                     listing.entry().name + " is present only in\n" + listing.path +
                                         ".\nCopy it to the destination directory ?"})) {
        case Answer::Yes:
            copy = true;
            break;
        case Answer::YesToAll:
            answer = kYesToAll;
            copy = true;
            break;
        case Answer::NoToAll:
            answer = kNoToAll;
            break;
        case Answer::Cancel:
            ctx.frame.postCommand(cmd::kWalkCancel);
            cancelled = true;
            break;
        default:
            break;
        }
    }
    if (!copy) {
        if (!cancelled)
            ++ctx.state.tally.skipped;
        return false;
    }
    // The copy reports and counts its own failures.
    static_cast<void>(copyCursorEntry(ctx, listing));
    return true;
}

Answer askFileOrDirectory(DirMergeContext& ctx, const DirListing& fileSide,
                          const DirListing& directorySide) {
    const Answer answer =
        ctx.frame.askFileOrDirectory(fileSide.currentPath(), directorySide.currentPath());
    if (answer == Answer::File)
        static_cast<void>(copyCursorEntry(ctx, fileSide)); // reported and counted by the copy
    else if (answer == Answer::Directory)
        static_cast<void>(copyCursorEntry(ctx, directorySide)); // likewise
    else if (answer == Answer::Cancel)
        ctx.frame.postCommand(cmd::kWalkCancel);
    else
        ++ctx.state.tally.skipped;
    return answer;
}

namespace {

CopyOutcome copyOneRow(DirMergeContext& ctx, const std::string& path,
                       const std::string& sideDirectory, const std::string& destination) {
    std::string relative;
    if (path.empty() || !relativeTo(path, sideDirectory, relative) || relative.empty())
        return CopyOutcome::Skipped;
    const std::string target = joinPath(destination, relative);
    const auto cut = target.rfind('/');
    if (cut == std::string::npos)
        return CopyOutcome::Skipped;
    const std::string parent = cut == 0 ? std::string("/") : target.substr(0, cut);
    if (!ensureDirectory(ctx.files(), ctx.frame, parent))
        return CopyOutcome::Failed;
    OperationCount own;
    CopyServices services = ctx.copyServices();
    services.count = &own;
    static_cast<void>(copyPath(services, path, target, ctx.state.answers.replace)); // in `own`
    if (own.failed > 0)
        return CopyOutcome::Failed;
    return own.copied > 0 ? CopyOutcome::Copied : CopyOutcome::Skipped;
}

} // namespace

std::vector<CopyOutcome> copySelectedRows(DirMergeContext& ctx,
                                          const std::vector<std::string>& paths,
                                          const std::string& sideDirectory,
                                          const std::string& destination, OperationCount& count) {
    const bool destinationReady = ensureDestination(ctx.files(), ctx.frame, destination);
    std::vector<CopyOutcome> outcomes;
    outcomes.reserve(paths.size());
    for (const std::string& path : paths) {
        const CopyOutcome outcome = destinationReady
                                        ? copyOneRow(ctx, path, sideDirectory, destination)
                                        : CopyOutcome::Skipped;
        ++(outcome == CopyOutcome::Copied   ? count.copied
           : outcome == CopyOutcome::Failed ? count.failed
                                            : count.skipped);
        outcomes.push_back(outcome);
    }
    return outcomes;
}

} // namespace tandel
