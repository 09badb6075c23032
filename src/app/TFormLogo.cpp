#include "app/TFormLogo.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

TFormLogo::TFormLogo(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormLogo"));
    setFixedSize(301, 166);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 160));
    setPalette(pal);

    // The picture is drawn once and stretched over the window.
    m_picture = QPixmap(301, 166);
    QPainter p(&m_picture);
    QLinearGradient g(0, 0, 0, 166);
    g.setColorAt(0, QColor(0, 40, 170));
    g.setColorAt(1, QColor(0, 0, 110));
    p.fillRect(m_picture.rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Noto Sans Thai"));
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 20, 301, 70), Qt::AlignCenter, QStringLiteral("นำเข้า"));
    // The subtitle wraps inside the window's margins instead of running off its edges.
    f.setPixelSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(12, 92, 301 - 24, 60), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Namkhao\nImport and foreign purchasing"));
    p.end();

    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TFormLogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_picture);
}
