// Where the lines of a merged result go: a file, the printer or the preview.
#pragma once

#include "merge/replacing_file.h"

#include <string>
#include <string_view>

namespace tandel {

class Frame;

// Receives output pieces; each piece is one output line ending with '\n'.
class LineSink {
public:
    virtual ~LineSink() = default;
    // False when the piece could not be written; the walk stops then.
    virtual bool put(std::string_view text) = 0;
};

// Text mode (unixFormat off) writes every '\n' as CR LF.
class FileSink : public LineSink {
public:
    FileSink(ReplacingFile& file, std::string name, bool unixFormat, Frame& frame)
        : file_(file), name_(std::move(name)), unixFormat_(unixFormat), frame_(frame) {}
    bool put(std::string_view text) override;

private:
    ReplacingFile& file_;
    std::string name_;
    bool unixFormat_;
    Frame& frame_;
    std::string scratch_;
};

// One print line per output line; cancelled print jobs just skip lines.
class PrinterSink : public LineSink {
public:
    explicit PrinterSink(Frame& frame) : frame_(frame) {}
    bool put(std::string_view text) override;

private:
    Frame& frame_;
};

// Collects the text: the preview's buffer, and the text of MergedText.
class TextSink : public LineSink {
public:
    bool put(std::string_view text) override {
        text_.append(text);
        return true;
    }
    std::string& text() { return text_; }

private:
    std::string text_;
};

// '\n' becomes CR LF; the bytes between are untouched.
void AppendWithCrLf(std::string& out, std::string_view text);

} // namespace tandel
