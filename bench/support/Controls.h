#pragma once

// The benchmarks find controls as the tests do.
#include "tests/common/Kontrollen.h"

namespace tkb {
using tkt::kind;
} // namespace tkb
