#include "engine/output_file.h"

namespace tandel {

IoStatus OutputFile::open(FileSystem& files, const std::string& name, bool truncate) {
    writer_.reset();
    failure_ = {};
    WriteOptions options;
    options.mode = truncate ? WriteMode::Truncate : WriteMode::Append;
    return files.openWriter(name, options, writer_);
}

void OutputFile::openStandardOutput() {
    writer_ = standardOutputWriter();
    failure_ = {};
}

void OutputFile::openBorrowed(FileWriter& writer) {
    // Forwards to the caller's writer without owning it.
    class Borrowed : public FileWriter {
    public:
        explicit Borrowed(FileWriter& inner) : inner_(inner) {}
        IoStatus write(std::string_view bytes) override { return inner_.write(bytes); }
        IoStatus finish() override { return inner_.finish(); }
        IoStatus commit() override { return inner_.commit(); }
        const std::string& target() const override { return inner_.target(); }

    private:
        FileWriter& inner_;
    };
    writer_ = std::make_unique<Borrowed>(writer);
    failure_ = {};
}

void OutputFile::write(std::string_view text) {
    if (!writer_ || !failure_.ok())
        return;
    failure_ = writer_->write(text);
}

IoStatus OutputFile::close() {
    if (!writer_)
        return {};
    IoStatus done = failure_;
    IoStatus committed = writer_->commit();
    writer_.reset();
    failure_ = {};
    return done.ok() ? committed : done;
}

} // namespace tandel
