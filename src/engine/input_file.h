// The engine's record of one input of a two-file comparison.
#pragma once

#include "base/file_system.h"
#include "engine/bulk_vector.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tandel {

struct InputFile {
    // Operand examination.
    std::string name;    // the path as built, or "Standard Input"
    int descriptor = -2; // -1 absent, 0 standard input, -2 a named file
    FileStatus status;
    bool isDirectory = false;
    bool useCallerText = false; // a depth-0 file operand: the caller lent its text

    // The text: either the caller's or `ownText`, with spare room after `length`.
    char* buffer = nullptr;
    std::size_t length = 0; // includes a newline the engine appended
    std::size_t room = 0;   // the bytes that may be read: the text as lent and its spare bytes
    ByteBuffer ownText;
    bool missingNewline = false;

    // Identical head and tail; both positions are line starts.
    std::size_t prefixEnd = 0;
    std::size_t suffixBegin = 0;
    long prefixLines = 0;

    // The caller's list of where its text's lines start, if it lent one.
    std::span<const std::size_t> lentStarts;

    // Middle region: the start of every middle line plus the start of the
    // first line after it (a piece of lentStarts, or ownStarts), and the
    // class of every middle line.
    BulkVector<std::size_t> ownStarts;
    std::span<const std::size_t> lineStarts;
    BulkVector<int> classes;
    int classLimit = 0;

    std::size_t middleLines() const { return classes.size(); }
};

} // namespace tandel
