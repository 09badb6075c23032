#include "app/TFormLogo.h"

#include <QGuiApplication>
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

    // One picture stretched over the window, drawn ahead (src/app/splash.ppm): the splash
    // shows before the process has read a single font. Its pixels are stored plainly, so they
    // are read without the decompressing and filtering a PNG needs (half the splash's time).
    m_picture = QPixmap(QStringLiteral(":/splash.ppm"));
    if (m_picture.isNull()) {
        m_picture = QPixmap(301, 166);
        m_picture.fill(QColor(0, 0, 160));
    }

    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TFormLogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_picture);
}
