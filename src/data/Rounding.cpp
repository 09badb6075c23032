#include "data/Rounding.h"

#include "data/NkError.h"
#include "data/NumberFormat.h"

#include <cmath>
#include <cstdlib>
#include <QCoreApplication>

double RoundDecimal(double value, int decimals, int significant)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    if (decimals < 0)
        decimals = 0;
    if (significant < 1)
        significant = 1;
    // The value's fixed-point text with decimals + 5 places.
    NumberText::Decimal d = NumberText::fromDouble(value, significant);
    if (d.point > significant)
        return value; // no decimal places are written at this size
    d.roundToPlaces(decimals + 5);
    // The digit after the last kept place decides; the kept text is cut, not rounded.
    const int deciding = d.digitAtPlace(decimals + 1);
    d.truncateToPlaces(decimals);
    if (deciding >= 5)
        d.addUnitAtPlace(decimals);
    const std::string text = d.text(false);
    const double magnitude = std::strtod(text.c_str(), nullptr);
    if (magnitude == 0)
        return 0.0;
    return value < 0 ? -magnitude : magnitude;
}

QString DiscountTextErrorMessage(const QString& discount, const QString& piece)
{
    return QCoreApplication::translate("Rounding", "ส่วนลด \"%1\" ไม่ถูกต้อง: \"%2\" ไม่ใช่ตัวเลข").arg(discount, piece);
}

// Reads one piece of a discount text as a number: blanks around it are allowed, thousands
// separators, words and empty pieces are not.
static std::optional<double> readPiece(const QString& piece)
{
    const QString t = piece.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (QChar c : t) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+'
            && c != u'e' && c != u'E')
            return std::nullopt;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> TryApplyDiscountText(const QString& discount, double value, QString* badPiece)
{
    QString text = discount;
    text.replace(u'/', u'%');
    text = text.trimmed();
    if (text == QStringLiteral("%"))
        text = QStringLiteral("0%");
    QString collected;
    for (QChar c : text) {
        if (c == u'%') {
            const auto p = readPiece(collected);
            if (!p) {
                if (badPiece)
                    *badPiece = collected;
                return std::nullopt;
            }
            value = (100.0 - *p) / 100.0 * value;
            collected.clear();
        } else {
            collected += c;
        }
    }
    if (!collected.isEmpty()) {
        const auto a = readPiece(collected);
        if (!a) {
            if (badPiece)
                *badPiece = collected;
            return std::nullopt;
        }
        value -= *a;
    }
    return value;
}

double ApplyDiscountText(const QString& discount, double value)
{
    QString piece;
    const auto result = TryApplyDiscountText(discount, value, &piece);
    if (!result)
        throw NkError(DiscountTextErrorMessage(discount, piece));
    return *result;
}
