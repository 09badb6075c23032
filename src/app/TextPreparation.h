#pragma once
#include "app/HeapPreparation.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace StartUp {

// What the first text of the process needs, prepared while start-up reads the configuration
// and the rights, each on a thread of its own as the two do not depend on each other: the
// font database (fontconfig's configuration, then every installed font) and the dictionary of
// the Thai line breaker. The splash is a picture and needs neither. The font database is
// joined before the main thread measures or lays out any text (a message, the work form), so
// the two never prepare it at once. The dictionary may still be loading while the work form
// is built: the form's first Thai text waits for it inside Qt (it is made once, under a
// lock), and what comes before that text (widgets, toolbar icons) goes on meanwhile.
//
// The program starts the preparation before the application object exists: fontconfig's
// configuration (its files parsed, half the font database's time) needs no Qt at all, so the
// font thread reads it at once. Nothing of Qt is touched by either thread until mayStart()
// (the application object exists and the splash shows): Qt takes the first thread that makes
// a Qt object for the process's main thread, and the dictionary is loaded through such an
// object. The dictionary's thread then loads the image format plugins for the toolbar's icons.
// Destroyed without mayStart() (a start-up that ended early), nothing of Qt is prepared.
//
// The font thread first maps the pages of the main thread's heap that start-up reserved
// (HeapPreparation), while the main thread makes the application object; each thread also
// prepares its own heap before its work.
class TextPreparation {
public:
    explicit TextPreparation(PageRange mainHeap = {});
    ~TextPreparation();
    TextPreparation(const TextPreparation&) = delete;
    TextPreparation& operator=(const TextPreparation&) = delete;
    void mayStart();
    void joinFonts();
    void join();

private:
    enum class Start { Wait, Go, Skip };
    void release(Start s);
    bool mayGoOn();
    void prepareFonts();
    void prepareThaiAndImages();

    PageRange m_mainHeap;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Start m_state = Start::Wait;
    std::thread m_fonts;
    std::thread m_thai;
};

} // namespace StartUp
