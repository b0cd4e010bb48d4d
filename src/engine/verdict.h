// What the comparison of two operands found, worst last: a walk's verdict is
// the worst of its pairs'.
#pragma once

namespace tandel {

enum class [[nodiscard]] Verdict{Same, Different, Trouble};

} // namespace tandel
