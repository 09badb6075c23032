#include "print/AmountWords.h"

#include "data/NumberFormat.h"

#include <cmath>

namespace {

const QString& thaiDigit(int digit, bool unitsPlace, bool tensPlace)
{
    static const QString plain[10] = {
        QString(),
        QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม"),
        QStringLiteral("สี่"),   QStringLiteral("ห้า"), QStringLiteral("หก"),
        QStringLiteral("เจ็ด"),  QStringLiteral("แปด"), QStringLiteral("เก้า"),
    };
    static const QString et = QStringLiteral("เอ็ด");
    static const QString yi = QStringLiteral("ยี่");
    if (unitsPlace && digit == 1)
        return et;
    if (tensPlace && digit == 2)
        return yi;
    return plain[digit];
}

const QString& englishSmall(int n)
{
    static const QString words[91] = {
        QString(),
        QStringLiteral("ONE "), QStringLiteral("TWO "), QStringLiteral("THREE "),
        QStringLiteral("FOUR "), QStringLiteral("FIVE "), QStringLiteral("SIX "),
        QStringLiteral("SEVEN "), QStringLiteral("EIGHT "), QStringLiteral("NINE "),
        QStringLiteral("TEN "), QStringLiteral("ELEVEN "), QStringLiteral("TWELVE "),
        QStringLiteral("THIRTEEN "), QStringLiteral("FOURTEEN "), QStringLiteral("FIFTEEN "),
        QStringLiteral("SIXTEEN "), QStringLiteral("SEVENTEEN "), QStringLiteral("EIGHTEEN "),
        QStringLiteral("NINETEEN "), QStringLiteral("TWENTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("THIRTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("FOURTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("FIFTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("SIXTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("SEVENTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("EIGHTY "),
        {}, {}, {}, {}, {}, {}, {}, {}, {},
        QStringLiteral("NINETY "),
    };
    static const QString none;
    return (n >= 0 && n <= 90) ? words[n] : none;
}

void appendThai(QString& out, qint64 n)
{
    const qint64 millions = n / 1000000;
    if (millions >= 1 && millions <= 9) {
        out += thaiDigit(int(millions), false, false);
        out += QStringLiteral("ล้าน");
    } else if (millions > 9) {
        appendThai(out, millions);
        out += QStringLiteral("ล้าน");
    }
    static const QString placeWords[4] = {QStringLiteral("แสน"), QStringLiteral("หมื่น"),
                                          QStringLiteral("พัน"), QStringLiteral("ร้อย")};
    static const qint64 placeValues[4] = {100000, 10000, 1000, 100};
    for (int i = 0; i < 4; ++i) {
        const int digit = int((n / placeValues[i]) % 10);
        if (digit > 0) {
            out += thaiDigit(digit, false, false);
            out += placeWords[i];
        }
    }
    const int tens = int((n / 10) % 10);
    if (tens > 1) {
        out += thaiDigit(tens, false, true);
        out += QStringLiteral("สิบ");
    } else if (tens == 1) {
        out += QStringLiteral("สิบ");
    }
    const int units = int(n % 10);
    if (units > 0)
        out += thaiDigit(units, !out.isEmpty(), false);
}

void appendEnglish(QString& out, qint64 n)
{
    if (n <= 0)
        return;
    const qint64 millions = n / 1000000;
    if (millions >= 1 && millions <= 9) {
        out += englishSmall(int(millions));
        out += QStringLiteral(" MILLION ");
    } else if (millions > 9) {
        appendEnglish(out, millions);
        out += QStringLiteral(" MILLION ");
    }
    const int thousands = int((n % 1000000) / 1000);
    if (thousands >= 1 && thousands <= 9) {
        out += englishSmall(thousands);
        out += QStringLiteral(" THOUSAND ");
    } else if (thousands % 10 == 0 && thousands >= 10 && thousands <= 90) {
        out += englishSmall(thousands);
        out += QStringLiteral(" THOUSAND ");
    } else if (thousands > 0) {
        appendEnglish(out, thousands);
        out += QStringLiteral(" THOUSAND ");
    }
    const int hundreds = int((n % 1000) / 100);
    if (hundreds != 0) {
        out += englishSmall(hundreds);
        out += QStringLiteral(" HUNDRED ");
    }
    const int r = int(n % 100);
    if (r >= 1 && r <= 20) {
        out += englishSmall(r);
    } else {
        if (r / 10 > 0)
            out += englishSmall(r / 10 * 10);
        if (r % 10 > 0)
            out += englishSmall(r % 10);
    }
}

qint64 digitsToInt(const std::string& digits)
{
    qint64 v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

const QString& thaiMinus()
{
    static const QString s = QStringLiteral("ลบ");
    return s;
}

} // namespace

QString ThaiNumberWords(qint64 n)
{
    QString out;
    if (n > 0)
        appendThai(out, n);
    return out;
}

QString EnglishNumberWords(qint64 n)
{
    QString out;
    appendEnglish(out, n);
    return out;
}

AmountParts SplitAmount(double amount, int decimals)
{
    AmountParts p;
    if (!std::isfinite(amount))
        return p;
    if (amount == 0) {
        p.valid = true;
        p.zero = true;
        return p;
    }
    if (decimals < 0)
        decimals = 0;
    if (decimals > 18)
        decimals = 18;
    // The amount's text with 18 significant digits, the last decimal rounded.
    NumberText::Decimal d = NumberText::fromDouble(amount, 18);
    d.roundToPlaces(decimals);
    const std::string integer = d.integerDigits();
    if (integer.size() > 18)
        return p;
    std::string fraction = d.fractionDigits();
    fraction.resize(std::size_t(decimals), '0');
    p.valid = true;
    p.integer = digitsToInt(integer);
    p.fraction = digitsToInt(fraction);
    p.negative = amount < 0 && !d.isZero();
    return p;
}

QString ThaiBahtText(double amount, int decimals)
{
    const AmountParts p = SplitAmount(amount, decimals);
    if (!p.valid)
        return QString::fromLatin1(AmountWordsError);
    if (p.zero)
        return {};
    QString out = p.negative ? thaiMinus() : QString();
    out += ThaiNumberWords(p.integer);
    out += QStringLiteral("บาท");
    if (p.fraction < 1) {
        out += QStringLiteral("ถ้วน");
    } else {
        out += ThaiNumberWords(p.fraction);
        out += QStringLiteral("สตางค์");
    }
    return out;
}

QString ThaiDecimalText(double amount, int decimals)
{
    const AmountParts p = SplitAmount(amount, decimals);
    if (!p.valid)
        return QString::fromLatin1(AmountWordsError);
    if (p.zero)
        return {};
    QString out = p.negative ? thaiMinus() : QString();
    out += ThaiNumberWords(p.integer);
    if (p.fraction >= 1) {
        out += QStringLiteral("จุด");
        out += ThaiNumberWords(p.fraction);
    }
    return out;
}

QString EnglishBahtText(double amount, int decimals)
{
    const AmountParts p = SplitAmount(amount, decimals);
    if (!p.valid)
        return QString::fromLatin1(AmountWordsError);
    if (p.zero)
        return {};
    QString out = p.negative ? QStringLiteral("MINUS ") : QString();
    out += EnglishNumberWords(p.integer);
    out += QStringLiteral(" BAHT ");
    if (p.fraction < 1) {
        out += QStringLiteral(" ONLY");
    } else {
        out += QStringLiteral(" AND ");
        out += EnglishNumberWords(p.fraction);
        out += QStringLiteral(" SATANG");
    }
    return out;
}

QString EnglishDecimalText(double amount, int decimals)
{
    const AmountParts p = SplitAmount(amount, decimals);
    if (!p.valid)
        return QString::fromLatin1(AmountWordsError);
    if (p.zero)
        return {};
    QString out = p.negative ? QStringLiteral("MINUS ") : QString();
    out += EnglishNumberWords(p.integer);
    out += u' ';
    if (p.fraction < 1) {
        out += QStringLiteral(" ONLY");
    } else {
        out += QStringLiteral(" POINT ");
        out += EnglishNumberWords(p.fraction);
        out += u' ';
    }
    return out;
}
