#pragma once
// Test instrument of the programs (NK_QUIT_WHEN_SHOWN) and of the start-up benchmark: once a
// window has drawn its first frame, one line "NK_SHOWN <description> rss_kb=… frame_ns=…" goes
// to standard output and the event loop ends. frame_ns is the steady clock (CLOCK_MONOTONIC
// on Linux) when the frame was done, so the process that started this one and noted the clock
// knows how long the window took to show, without the time the process takes to end.
// Header only: the benchmark's bare Qt window uses it without linking the program's libraries.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTextStream>
#include <QWidget>

#include <chrono>
#include <functional>

namespace FirstFrame {

// Resident memory of the process in kilobytes (0 where the system does not tell).
inline long residentMemoryKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

inline qint64 steadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Watches the window's paint events; the line is written after the first one has been
// handled (the whole window drawn and handed to the window system), from the event loop.
class Reporter : public QObject {
public:
    Reporter(QWidget* window, std::function<QString()> describe)
        : QObject(window)
        , m_describe(std::move(describe))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(this, [this] { report(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        const qint64 frame = steadyNowNs();
        QTextStream(stdout) << "NK_SHOWN " << m_describe() << " rss_kb=" << residentMemoryKb() << " frame_ns=" << frame
                            << Qt::endl;
        QCoreApplication::exit(0);
    }

    std::function<QString()> m_describe;
    bool m_painted = false;
};

inline void reportAndQuit(QWidget* window, std::function<QString()> describe)
{
    new Reporter(window, std::move(describe));
}

} // namespace FirstFrame
