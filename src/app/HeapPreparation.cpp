#include "app/HeapPreparation.h"

#include <cstdlib>
#include <mutex>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace StartUp {

#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)

namespace {
constexpr int FromHeapBelow = 16 << 20; // larger blocks get a mapping of their own
constexpr int KeptFreeAtTop = 32 << 20;
} // namespace

PageRange reserveHeap(std::size_t bytes)
{
    static std::once_flag limits;
    std::call_once(limits, [] {
        mallopt(M_MMAP_THRESHOLD, FromHeapBelow);
        mallopt(M_TRIM_THRESHOLD, KeptFreeAtTop);
    });
    if (bytes == 0 || bytes >= std::size_t(FromHeapBelow))
        return {};
    // Through a volatile pointer: a compiler may drop an allocation that is freed unused.
    void* volatile block = std::malloc(bytes);
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    if (!start)
        return {};
    std::free(block);
    // Freed, the block has joined the free top of the heap, which stays mapped.
    const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    return {(start + page - 1) & ~(page - 1), (start + bytes) & ~(page - 1)};
}

bool mapAhead(PageRange pages)
{
    return pages.end > pages.first
        && madvise(reinterpret_cast<void*>(pages.first), pages.end - pages.first, MADV_POPULATE_WRITE) == 0;
}

#else

PageRange reserveHeap(std::size_t)
{
    return {};
}

bool mapAhead(PageRange)
{
    return false;
}

#endif

} // namespace StartUp
