// The UTF-8 bytes of the core's strings as Qt text.
#pragma once

#include <QString>

#include <string>

namespace tandel {

inline QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tandel
