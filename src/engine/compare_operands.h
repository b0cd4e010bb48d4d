// The engine's top level below the entry: examines the two operands, walks
// directories and reports identical files.
#pragma once

#include "engine/verdict.h"

#include <optional>
#include <string>

namespace tandel {

struct EngineRun;

// A missing name means the operand is absent on that side (directory walks
// only).
Verdict compareOperands(EngineRun& run, const std::string& directory0,
                        const std::optional<std::string>& name0, const std::string& directory1,
                        const std::optional<std::string>& name1, int depth);

} // namespace tandel
