#pragma once

// Counts the process's allocations through the global operator new, so that a benchmark
// can show that its path allocates nothing.

namespace pw::bench {

// Allocations made so far.
long AllocationCount();

} // namespace pw::bench
