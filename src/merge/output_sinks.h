// Where the lines of a merged result go: a file, the printer or the preview.
#pragma once

#include "merge/replacing_file.h"

#include <string>
#include <string_view>

namespace tandel {

class Frame;

// Which line end an output line gets.
enum class LineEndPolicy {
    Own,  // the end the line had in its file
    CrLf, // CR LF for every line that had an end ("Unix format" off)
    Lf,   // a line feed: the preview and the printer
};

// Receives output pieces: a line with its end, or a marker of the listing.
class LineSink {
public:
    virtual ~LineSink() = default;
    // False when the piece could not be written; the walk stops then.
    virtual bool put(std::string_view text) = 0;
    virtual LineEndPolicy lineEnds() const { return LineEndPolicy::Lf; }
    // Whether a piece may hold a run of many lines, or one line only.
    virtual bool takesRuns() const { return true; }
};

// Writes the pieces as they come.
class FileSink : public LineSink {
public:
    FileSink(ReplacingFile& file, std::string name, LineEndPolicy ends, Frame& frame)
        : file_(file), name_(std::move(name)), ends_(ends), frame_(frame) {}
    bool put(std::string_view text) override;
    LineEndPolicy lineEnds() const override { return ends_; }

private:
    ReplacingFile& file_;
    std::string name_;
    LineEndPolicy ends_;
    Frame& frame_;
};

// One print line per output line; cancelled print jobs just skip lines.
class PrinterSink : public LineSink {
public:
    explicit PrinterSink(Frame& frame) : frame_(frame) {}
    bool put(std::string_view text) override;
    bool takesRuns() const override { return false; }

private:
    Frame& frame_;
};

// Collects the text: the preview's buffer, and the text of mergedText.
class TextSink : public LineSink {
public:
    explicit TextSink(LineEndPolicy ends = LineEndPolicy::Lf) : ends_(ends) {}
    bool put(std::string_view text) override {
        text_.append(text);
        return true;
    }
    LineEndPolicy lineEnds() const override { return ends_; }
    std::string& text() { return text_; }

private:
    LineEndPolicy ends_;
    std::string text_;
};

// '\n' becomes CR LF; the bytes between are untouched.
void appendWithCrLf(std::string& out, std::string_view text);

} // namespace tandel
