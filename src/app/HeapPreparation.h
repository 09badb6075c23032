#pragma once
#include <cstddef>
#include <cstdint>

namespace StartUp {

// Memory a process touches for the first time is mapped by the kernel a page at a time, one
// fault each. On a virtual machine such a fault costs about 10 µs, and a work form's start-up
// touches some 1,000 fresh pages on its main thread: its heap, and 2 MB of pixels for the
// form's first frame. reserveHeap takes `bytes` from the calling thread's heap and gives them
// back at once: they stay free at the top of that heap, where the next allocations come from.
// mapAhead then has the kernel map them in one call (a fraction of a µs a page); any thread
// may do that, the mapping is the process's, and pages already in use are left as they are.
//
// For that the allocator's limits are raised for the whole process, once: blocks up to 16 MB
// (a window's pixels) come from the heap instead of a mapping of their own, and a heap keeps up
// to 32 MB free at its top before it gives memory back to the system. These are the values
// glibc's allocator moves to by itself once a process has freed a few large blocks.
struct PageRange {
    std::uintptr_t first = 0;
    std::uintptr_t end = 0;
};
PageRange reserveHeap(std::size_t bytes);

// Whether the pages were mapped ahead; a kernel that cannot (before Linux 5.14) or another
// system maps them as before, at their first touch.
bool mapAhead(PageRange pages);

inline bool prepareHeap(std::size_t bytes)
{
    return mapAhead(reserveHeap(bytes));
}

} // namespace StartUp
