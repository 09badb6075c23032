#include "app/TextPreparation.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QTextBoundaryFinder>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

namespace StartUp {

namespace {
// The library Qt's font database reads its configuration with; without it (another platform,
// another font database) nothing is read ahead.
void readFontconfigConfiguration()
{
#if defined(Q_OS_UNIX)
    if (void* fc = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_LOCAL))
        if (auto init = reinterpret_cast<int (*)()>(dlsym(fc, "FcInit")))
            init();
#endif
}
} // namespace

TextPreparation::TextPreparation(PageRange mainHeap)
    : m_mainHeap(mainHeap)
    , m_fonts([this] { prepareFonts(); })
    , m_thai([this] { prepareThaiAndImages(); })
{
}

TextPreparation::~TextPreparation()
{
    release(Start::Skip);
    join();
}

void TextPreparation::mayStart()
{
    release(Start::Go);
}

void TextPreparation::joinFonts()
{
    if (m_fonts.joinable())
        m_fonts.join();
}

void TextPreparation::join()
{
    joinFonts();
    if (m_thai.joinable())
        m_thai.join();
}

void TextPreparation::release(Start s)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_state == Start::Wait)
            m_state = s;
    }
    m_changed.notify_all();
}

bool TextPreparation::mayGoOn()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_state != Start::Wait; });
    return m_state == Start::Go;
}

void TextPreparation::prepareFonts()
{
    mapAhead(m_mainHeap);
    // Each thread's own heap too, sized to what its work takes (fontconfig's configuration
    // and the font list; the dictionary and the image plugins): mapped a page at a time, their
    // faults cost the two threads 6 ms of processor beside the main thread, on two cores.
    prepareHeap(1536 << 10);
    readFontconfigConfiguration();
    if (mayGoOn())
        QFontDatabase::families();
}

// The dictionary, then the image format plugins, which the first image read loads and asks
// in turn: the toolbar's icons need them.
void TextPreparation::prepareThaiAndImages()
{
    prepareHeap(1024 << 10); // while it waits: see prepareFonts
    if (!mayGoOn())
        return;
    QTextBoundaryFinder(QTextBoundaryFinder::Line, QStringLiteral("นำเข้าสินค้า")).toNextBoundary();
    QImageReader::supportedImageFormats();
}

} // namespace StartUp
