// Start-up maps the heap it is about to use in one call, so that touching it costs no page
// fault each (about 10 µs apiece on a virtual machine).
#include "app/HeapPreparation.h"

#include <QTest>

#include <cstdlib>

#include <sys/mman.h>
#include <sys/resource.h>

namespace {
long faults()
{
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_minflt;
}

// Takes `bytes` from the heap and writes one byte in every page: the faults of the writing.
long faultsWriting(std::size_t bytes)
{
    char* volatile block = static_cast<char*>(std::malloc(bytes));
    const long before = faults();
    for (std::size_t i = 0; i < bytes; i += 4096)
        block[i] = 1;
    const long made = faults() - before;
    std::free(block);
    return made;
}

bool kernelMapsAhead()
{
    void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool can = page != MAP_FAILED && madvise(page, 4096, MADV_POPULATE_WRITE) == 0;
    if (page != MAP_FAILED)
        munmap(page, 4096);
    return can;
}
} // namespace

class TstHeapPreparation : public QObject {
    Q_OBJECT
private slots:
    // On the main thread, as start-up does it: a form's first frame takes about 2 MB of pixels.
    void preparedHeapIsWrittenWithoutFaults()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        QSKIP("a sanitizer's allocator neither keeps nor reuses the heap's free top");
#endif
        if (!kernelMapsAhead())
            QSKIP("this kernel cannot map memory ahead (MADV_POPULATE_WRITE, Linux 5.14)");
        const std::size_t pixels = 3u << 20;
        const long cold = faultsWriting(pixels); // nothing prepared in the process yet
        if (cold < 500) // a system that maps fresh memory in large pages (transparent huge pages)
            QSKIP(qPrintable(QStringLiteral("writing 3 MB unprepared took only %1 faults here").arg(cold)));
        QVERIFY2(StartUp::prepareHeap(4u << 20), "the heap was not mapped ahead");
        const long warm = faultsWriting(pixels);
        QVERIFY2(warm < 50, qPrintable(QStringLiteral("faults writing 3 MB after preparing 4 MB: expected under 50, came %1 (unprepared %2)")
                                           .arg(warm).arg(cold)));
    }
};

QTEST_APPLESS_MAIN(TstHeapPreparation)
#include "tst_heappreparation.moc"
