#pragma once
#include <cstddef>

namespace StartUp {

// Memory a process touches for the first time is mapped by the kernel a page at a time, one
// fault each. On a virtual machine such a fault costs about 10 µs, and a work form's start-up
// touches some 1,100 fresh pages on its main thread: its heap, and 2 MB of pixels for the
// form's first frame. prepareHeap takes `bytes` from the calling thread's heap and gives them
// back at once: they stay free at the top of that heap, where the next allocations come from,
// and the kernel maps them in one call (a fraction of a µs a page).
//
// For that the allocator's limits are raised for the whole process, once: blocks up to 16 MB
// (a window's pixels) come from the heap instead of a mapping of their own, and a heap keeps up
// to 32 MB free at its top before it gives memory back to the system. These are the values
// glibc's allocator moves to by itself once a process has freed a few large blocks.
//
// Returns whether the memory was mapped ahead; a kernel that cannot (before Linux 5.14) or
// another system maps it as before, at its first touch.
bool prepareHeap(std::size_t bytes);

} // namespace StartUp
