// Counts the program's heap allocations: a program linked with this replaces
// the global operator new, so that a test or a benchmark can tell whether a
// hot path allocates.
#pragma once

namespace tw::test {

// Allocations through operator new since the program started.
long long AllocationCount();

}  // namespace tw::test
