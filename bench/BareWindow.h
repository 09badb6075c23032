#pragma once
// The floor of the start-up benchmark: a Qt Widgets process that shows one empty window and
// ends once it is drawn (see app/FirstFrame.h). bench_startup runs it inside its own program
// (--bare-qt), which carries every library the benchmarks link, and as bare_qt_window, linked
// to Qt Widgets alone.
#include "app/FirstFrame.h"

#include <QApplication>
#include <QWidget>

inline int showBareWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(860, 600);
    FirstFrame::reportAndQuit(&w, [] { return QStringLiteral("QWidget"); });
    w.show();
    return app.exec();
}
