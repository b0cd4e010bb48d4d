// The file layer with failures on demand: every call goes to the real file
// system unless a rule says that this operation on this path fails. Failure
// tests use it instead of permissions, so they fail the same way as root.
#pragma once

#include "base/file_system.h"

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tandel::testing {

enum class FileOp {
    Status,
    Read,
    List,
    Open,
    Write,
    Finish, // the final flush and sync of a new file
    Commit,
    CreateUnique,
    Rename,
    Remove,
    MakeFolder,
    SetTimes,
    ReadLink,
    MakeLink,
    LinkFile, // a second name for a file; the rule sees "existing\nnew name"
};

class FailingFileSystem : public FileSystem {
public:
    explicit FailingFileSystem(FileSystem& real = realFileSystem()) : real_(real) {}

    // `op` fails with `error` on every path that contains `pathPart` (every
    // path when empty). The first `skip` matching calls still succeed: for
    // Write each piece written counts; for Read the opening counts and, for
    // an input read in pieces, each piece after it, so a skip of 1 lets the
    // open succeed and fails the first piece. A rename is seen as "from\nto".
    void fail(FileOp op, std::string pathPart, int error, int skip = 0) {
        rules_.push_back({op, std::move(pathPart), error, skip});
    }
    void clear() { rules_.clear(); }
    // How often a rule made an operation fail.
    int failures() const { return failures_; }

    IoStatus status(const std::string& path, FileStatus& out, bool followLinks = true) override {
        return guarded(FileOp::Status, path, [&] { return real_.status(path, out, followLinks); });
    }
    IoStatus readInput(const std::string& path, std::size_t spare, InputBytes& out) override {
        return guarded(FileOp::Read, path, [&] { return real_.readInput(path, spare, out); });
    }
    std::uint64_t inputLimit() const override { return real_.inputLimit(); }
    IoStatus listFolder(const std::string& path, std::vector<FolderEntry>& out) override {
        return guarded(FileOp::List, path, [&] { return real_.listFolder(path, out); });
    }
    IoStatus openWriter(const std::string& target, const WriteOptions& options,
                        std::unique_ptr<FileWriter>& out) override {
        if (const int e = check(FileOp::Open, target))
            return IoStatus::failure(e);
        std::unique_ptr<FileWriter> inner;
        IoStatus opened = real_.openWriter(target, options, inner);
        if (opened.ok())
            out = std::make_unique<Writer>(*this, std::move(inner), target);
        return opened;
    }
    IoStatus createUnique(const std::string& folder, const std::string& prefix,
                          std::string& path) override {
        return guarded(FileOp::CreateUnique, folder,
                       [&] { return real_.createUnique(folder, prefix, path); });
    }
    IoStatus rename(const std::string& from, const std::string& to) override {
        return guarded(FileOp::Rename, from + "\n" + to, [&] { return real_.rename(from, to); });
    }
    IoStatus linkFile(const std::string& existing, const std::string& path) override {
        return guarded(FileOp::LinkFile, existing + "\n" + path,
                       [&] { return real_.linkFile(existing, path); });
    }
    IoStatus remove(const std::string& path) override {
        return guarded(FileOp::Remove, path, [&] { return real_.remove(path); });
    }
    IoStatus makeFolder(const std::string& path) override {
        return guarded(FileOp::MakeFolder, path, [&] { return real_.makeFolder(path); });
    }
    IoStatus setTimes(const std::string& path, const FileTime& access,
                      const FileTime& write) override {
        return guarded(FileOp::SetTimes, path, [&] { return real_.setTimes(path, access, write); });
    }
    IoStatus openReader(const std::string& path, std::unique_ptr<FileReader>& out) override {
        if (const int e = check(FileOp::Read, path))
            return IoStatus::failure(e);
        std::unique_ptr<FileReader> inner;
        IoStatus opened = real_.openReader(path, inner);
        if (opened.ok())
            out = std::make_unique<Reader>(*this, std::move(inner), path);
        return opened;
    }
    IoStatus readLink(const std::string& path, std::string& target) override {
        return guarded(FileOp::ReadLink, path, [&] { return real_.readLink(path, target); });
    }
    IoStatus makeLink(const std::string& target, const std::string& path) override {
        return guarded(FileOp::MakeLink, path, [&] { return real_.makeLink(target, path); });
    }

private:
    struct Rule {
        FileOp op;
        std::string pathPart;
        int error;
        int skip;
    };

    class Reader : public FileReader {
    public:
        Reader(FailingFileSystem& owner, std::unique_ptr<FileReader> inner, std::string path)
            : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}
        IoStatus read(char* into, std::size_t size, std::size_t& got) override {
            got = 0;
            return owner_.guarded(FileOp::Read, path_,
                                  [&] { return inner_->read(into, size, got); });
        }

    private:
        FailingFileSystem& owner_;
        std::unique_ptr<FileReader> inner_;
        std::string path_;
    };

    class Writer : public FileWriter {
    public:
        Writer(FailingFileSystem& owner, std::unique_ptr<FileWriter> inner, std::string path)
            : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}
        IoStatus write(std::string_view bytes) override {
            return owner_.guarded(FileOp::Write, path_, [&] { return inner_->write(bytes); });
        }
        IoStatus finish() override {
            if (!finished_) {
                finished_ = true;
                const int e = owner_.check(FileOp::Finish, path_);
                finish_ = e != 0 ? IoStatus::failure(e) : inner_->finish();
            }
            return finish_;
        }
        IoStatus commit() override {
            if (const IoStatus done = finish(); !done.ok())
                return done;
            return owner_.guarded(FileOp::Commit, path_, [&] { return inner_->commit(); });
        }
        const std::string& target() const override { return inner_->target(); }

    private:
        FailingFileSystem& owner_;
        std::unique_ptr<FileWriter> inner_;
        std::string path_;
        bool finished_ = false;
        IoStatus finish_;
    };

    // The real call, unless a rule makes it fail.
    template <typename Call> IoStatus guarded(FileOp op, const std::string& path, Call call) {
        if (const int e = check(op, path))
            return IoStatus::failure(e);
        return call();
    }

    int check(FileOp op, const std::string& path) {
        for (Rule& rule : rules_) {
            if (rule.op != op || path.find(rule.pathPart) == std::string::npos)
                continue;
            if (rule.skip > 0) {
                --rule.skip;
                continue;
            }
            ++failures_;
            return rule.error;
        }
        return 0;
    }

    FileSystem& real_;
    std::vector<Rule> rules_;
    int failures_ = 0;
};

} // namespace tandel::testing
