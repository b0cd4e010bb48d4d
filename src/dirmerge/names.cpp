#include "dirmerge/names.h"

namespace tandel {

namespace {
unsigned char fold(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}
} // namespace

int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = fold(a[i]);
        const unsigned char y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareNames(std::string_view a, std::string_view b) {
    if (const int folded = compareIgnoringCase(a, b); folded != 0)
        return folded;
    // Equal once folded means equal length: the first differing byte decides.
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string out(directory);
    const bool dirEnds = !out.empty() && out.back() == '/';
    const bool nameStarts = !name.empty() && name.front() == '/';
    if (dirEnds && nameStarts)
        name.remove_prefix(1);
    else if (!dirEnds && !nameStarts && !out.empty())
        out.push_back('/');
    out.append(name);
    return out;
}

std::string_view lastComponent(std::string_view path) {
    const auto pos = path.rfind('/');
    return pos == std::string_view::npos ? path : path.substr(pos + 1);
}

} // namespace tandel
