#pragma once

#include <cfloat>
#include <limits>

// Every build must give the same digits: each single is rounded to single precision at every
// operation and every store. A compiler that evaluates singles in a wider format keeps them so
// between stores (x87 arithmetic on 32-bit x86 holds 80 bits), which moves misclosures and
// adjusted heights in their last digits; such a build is refused rather than made.
static_assert(FLT_EVAL_METHOD == 0,
              "singles are evaluated in a wider format here (FLT_EVAL_METHOD is not 0), which "
              "gives other digits: on 32-bit x86 build with -msse2 -mfpmath=sse");
static_assert(std::numeric_limits<float>::is_iec559,
              "the adjustment is defined in IEEE single precision and needs it");
