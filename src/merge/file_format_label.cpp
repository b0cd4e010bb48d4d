#include "merge/file_format_label.h"

namespace tandel {

std::string fileFormatLabel(const SideRecord& side) {
    if (side.fileName.empty()) {
        return {};
    }
    if (side.binary) {
        return "binary";
    }
    if (side.lineCount == 0) {
        return "empty";
    }
    std::string label;
    switch (side.lineEndStyle()) {
    case LineEndStyle::Lf:
        label = "LF";
        break;
    case LineEndStyle::CrLf:
        label = "CR LF";
        break;
    case LineEndStyle::Mixed:
        label = "mixed line ends";
        break;
    case LineEndStyle::NoLines:
        break;
    }
    if (side.ends.lastUnterminated) {
        label += label.empty() ? "no newline at end" : ", no newline at end";
    }
    return label;
}

std::string binaryRowText(std::uint64_t bytes, bool differs) {
    return "Binary file, " + std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes") +
           (differs ? " (the files differ)" : "");
}

} // namespace tandel
