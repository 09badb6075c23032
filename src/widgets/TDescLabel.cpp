#include "widgets/TDescLabel.h"

#include <QPainter>
#include <QStyle>

TDescLabel::TDescLabel(QWidget* parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize TDescLabel::minimumSizeHint() const
{
    // As high as the text, as narrow as a few characters: the layout decides the width.
    return {fontMetrics().horizontalAdvance(QStringLiteral("MMMM")), QLabel::minimumSizeHint().height()};
}

bool TDescLabel::elided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void TDescLabel::paintEvent(QPaintEvent*)
{
    const QRect r = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    const QString tip = shown == text() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
    QPainter p(this);
    style()->drawItemText(&p, r, int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(), shown,
                          foregroundRole());
}
