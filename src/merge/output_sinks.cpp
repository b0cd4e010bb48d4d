#include "merge/output_sinks.h"

#include "frame/frame.h"

namespace tandel {

void appendWithCrLf(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string_view::npos;
         nl = text.find('\n', from)) {
        out.append(text.substr(from, nl - from));
        out.append("\r\n");
        from = nl + 1;
    }
    out.append(text.substr(from));
}

bool FileSink::put(std::string_view text) {
    const IoStatus written = file_.write(text);
    if (!written.ok()) {
        frame_.message(Severity::Error, withReason("Error writing output file " + name_, written));
    }
    return written.ok();
}

bool PrinterSink::put(std::string_view text) {
    if (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1);
    }
    frame_.printLine(std::string(text));
    return true;
}

} // namespace tandel
