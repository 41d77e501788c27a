// The fuzzers' check: unlike assert it stays on in optimised builds, and it
// aborts, which libFuzzer reports as a crash and saves the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tw::fuzz {

[[noreturn]] inline void Failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace tw::fuzz

#define TW_FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::tw::fuzz::Failed(#condition, __FILE__, __LINE__))
