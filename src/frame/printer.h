// A print job, line by line.
#pragma once

#include <string>

namespace tandel {

class Printer {
public:
    virtual ~Printer() = default;

    // False when the user cancelled.
    virtual bool startPrint(const std::string& documentName) = 0;
    virtual bool printLine(const std::string& text) = 0;
    virtual void endPrint() = 0;
};

} // namespace tandel
