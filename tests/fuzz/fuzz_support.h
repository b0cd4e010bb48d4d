// Small helpers the fuzz targets share: a private folder for the files a
// target must name, and a check that stops the run with a message.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include <stdlib.h>

namespace tandel::fuzz {

// One folder per process, made on first use and kept for the run: libFuzzer
// calls a target millions of times, and a folder per call would only cost time.
inline const std::string& scratchFolder() {
    static const std::string folder = [] {
        std::string pattern = "/tmp/tandel-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

// A broken invariant is a finding like a crash: abort so that libFuzzer keeps the input.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace tandel::fuzz
