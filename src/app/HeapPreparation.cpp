#include "app/HeapPreparation.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace StartUp {

bool prepareHeap(std::size_t bytes)
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    static std::once_flag limits;
    std::call_once(limits, [] {
        mallopt(M_MMAP_THRESHOLD, 16 << 20);
        mallopt(M_TRIM_THRESHOLD, 32 << 20);
    });
    if (bytes == 0 || bytes >= (16u << 20))
        return false;
    // Through a volatile pointer: a compiler may drop an allocation that is freed unused.
    void* volatile block = std::malloc(bytes);
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    if (!start)
        return false;
    std::free(block);
    // Freed, the block has joined the free top of the heap, which stays mapped: making its
    // pages present changes nothing in them, also where another allocation has taken them
    // since.
    const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + bytes) & ~(page - 1);
    return end > first && madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0;
#else
    (void)bytes;
    return false;
#endif
}

} // namespace StartUp
