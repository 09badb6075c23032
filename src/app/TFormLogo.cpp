#include "app/TFormLogo.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QScreen>

#include <cctype>

namespace {
// A binary PPM ("P6", width, height, 255, then the red, green and blue of every pixel); a null
// pixmap for anything else.
QPixmap plainPicture(const QString& resource)
{
    const QByteArray data = QResource(resource).uncompressedData();
    QList<int> numbers; // width, height, largest value
    qsizetype at = 2;
    if (!data.startsWith("P6"))
        return {};
    while (numbers.size() < 3 && at < data.size()) {
        while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at])))
            ++at;
        qsizetype end = at;
        while (end < data.size() && std::isdigit(static_cast<unsigned char>(data[end])))
            ++end;
        if (end == at)
            return {};
        numbers << data.mid(at, end - at).toInt();
        at = end;
    }
    ++at; // the one white space before the pixels
    if (numbers.size() != 3 || numbers[2] != 255 || numbers[0] <= 0 || numbers[1] <= 0
        || data.size() - at < qsizetype(numbers[0]) * numbers[1] * 3)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(data.constData() + at), numbers[0], numbers[1], numbers[0] * 3,
                       QImage::Format_RGB888);
    return QPixmap::fromImage(image);
}
} // namespace

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
    // are read without the decompressing and filtering a PNG needs (half the splash's time),
    // and taken as they are: Qt's image reader would first load every image format plugin to
    // ask each whether the file is theirs.
    m_picture = plainPicture(QStringLiteral(":/splash.ppm"));
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
