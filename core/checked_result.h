#pragma once

#include "core/errors.h"
#include "core/single_precision.h"

#include <cmath>

namespace velmora {

// Raises the ArithmeticError for a result that is not finite: NaN is an invalid operation, an
// infinity an overflow. `quantity` names what was being computed, in the user's words.
[[noreturn]] void throwNotFinite(float result, const char* quantity);

// Passes a finite result through and raises for any other. Operands are always finite (the
// reader refuses anything else and no faulty result is ever stored), so a result that is not
// finite is exactly an overflow or an invalid operation. Inline, with the throw kept apart, so
// that the check costs a compare in the loops over the sections.
//   checked(1.5f, "高差总和") -> 1.5f;  checked(INFINITY, "高差总和") raises "高差总和太大，…"
inline float checked(float result, const char* quantity) {
    if (!std::isfinite(result)) [[unlikely]]
        throwNotFinite(result, quantity);
    return result;
}

} // namespace velmora
