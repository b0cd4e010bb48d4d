// The program's version and the caption its windows start with. The version
// comes from the project (CMakeLists.txt).
#pragma once

namespace tandel {

inline constexpr const char* kVersion = TANDEL_VERSION;
inline constexpr const char* kWindowCaption = "Tandel v" TANDEL_VERSION;

} // namespace tandel
