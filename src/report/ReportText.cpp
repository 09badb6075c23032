#include "report/ReportText.h"

#include <QTextBoundaryFinder>

QString leftClusters(const QString& s, int length)
{
    if (length <= 0) return {};
    if (length >= s.size()) return s;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    finder.setPosition(length);
    if (!finder.isAtBoundary()) finder.toPreviousBoundary();
    return s.left(std::max<qsizetype>(finder.position(), 0));
}

QString rightClusters(const QString& s, int length)
{
    if (length <= 0) return {};
    if (length >= s.size()) return s;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    finder.setPosition(s.size() - length);
    if (!finder.isAtBoundary()) finder.toNextBoundary();
    return finder.position() < 0 ? QString() : s.mid(finder.position());
}
