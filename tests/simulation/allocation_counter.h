// Live heap bytes of this test binary, counted by its own global operator new
// and delete, so a test can see whether repeated runs leave memory behind.
#pragma once

#include <cstddef>

namespace lumidor::testing {

// Bytes handed out by operator new and not yet given back.
long long LiveAllocatedBytes();

} // namespace lumidor::testing
