#pragma once
// Memory hints for the large buffers of a run.

#include <cstddef>

namespace mirelant {

// Asks the kernel to back a large, not yet touched buffer with huge pages, so
// that random access over it misses the TLB far less. A hint only: harmless
// where huge pages are off or the platform has none. Call it before the
// buffer is first written.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace mirelant
