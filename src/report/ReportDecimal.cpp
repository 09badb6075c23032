#include "report/ReportDecimal.h"

#include "data/NkError.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
using Int = Decimal::Int;

// The smallest mantissa is never stored: without it every mantissa can be negated.
constexpr Int kMaxInt = ((Int(1) << 126) - 1) * 2 + 1;
constexpr Int kMinInt = -kMaxInt - 1;

[[noreturn]] void overflow()
{
    throw NkError(QStringLiteral("Number too large for a report expression"));
}

// 10^n for 0 <= n <= 38, the powers a 128-bit mantissa can hold.
Int pow10(int n)
{
    if (n < 0 || n > 38) overflow();
    Int r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

Int mulChecked(Int a, Int b)
{
    Int r;
    if (__builtin_mul_overflow(a, b, &r) || r == kMinInt) overflow();
    return r;
}

Int addChecked(Int a, Int b)
{
    Int r;
    if (__builtin_add_overflow(a, b, &r) || r == kMinInt) overflow();
    return r;
}

// Divides and rounds half away from zero.
Int divRound(Int num, Int den)
{
    Int q = num / den;
    Int r = num % den;
    if (r != 0) {
        Int ar = r < 0 ? -r : r;
        Int ad = den < 0 ? -den : den;
        if (ar >= ad - ar) q += ((num < 0) != (den < 0)) ? -1 : 1;
    }
    return q;
}

QString intToString(Int v)
{
    if (v == 0) return QStringLiteral("0");
    bool neg = v < 0;
    QString s;
    while (v != 0) {
        int d = int(v % 10);
        s.prepend(QChar('0' + (d < 0 ? -d : d)));
        v /= 10;
    }
    if (neg) s.prepend(QLatin1Char('-'));
    return s;
}
}  // namespace

Decimal Decimal::fromMantissa(Int mantissa, int scale)
{
    if (mantissa == kMinInt) overflow();
    Decimal d;
    d.m_mant = mantissa;
    d.m_scale = scale;
    if (scale > MaxScale) {
        d.m_mant = divRound(mantissa, pow10(scale - MaxScale));
        d.m_scale = MaxScale;
    } else if (scale < 0) {
        d.m_mant = mulChecked(mantissa, pow10(-scale));
        d.m_scale = 0;
    }
    return d.normalized();
}

Decimal Decimal::normalized() const
{
    Decimal d = *this;
    while (d.m_scale > 0 && d.m_mant % 10 == 0) {
        d.m_mant /= 10;
        --d.m_scale;
    }
    return d;
}

bool Decimal::parse(const QString& textIn, Decimal* out)
{
    QString text = textIn.trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty()) return false;
    int i = 0;
    bool neg = false;
    if (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')) {
        neg = text[i] == QLatin1Char('-');
        ++i;
    }
    Int mant = 0;
    int scale = 0;
    bool digits = false, point = false;
    int dropped = 0;  // digits beyond what fits: only used to round
    int firstDropped = -1;
    for (; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            int d = c.unicode() - '0';
            if (point && scale >= MaxScale + 2) {
                if (firstDropped < 0) firstDropped = d;
                ++dropped;
                continue;
            }
            Int next;
            if (__builtin_mul_overflow(mant, Int(10), &next) || __builtin_add_overflow(next, Int(d), &next))
                return false;
            mant = next;
            if (point) ++scale;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits) {
            bool ok = false;
            int exp = text.mid(i + 1).toInt(&ok);
            if (!ok || exp > 30 || exp < -30) return false;
            scale -= exp;
            i = text.size();
            break;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    try {
        if (firstDropped >= 5) mant = addChecked(mant, 1);
        if (neg) mant = -mant;
        *out = fromMantissa(mant, scale);
    } catch (const NkError&) {
        return false;
    }
    return true;
}

Decimal Decimal::fromString(const QString& text)
{
    Decimal d;
    if (!parse(text, &d)) return Decimal();
    return d;
}

Decimal Decimal::fromDouble(double v)
{
    if (!std::isfinite(v) || v == 0) return Decimal();
    // The 15 significant digits of the binary value ("d.dddddddddddddde±x"), read directly:
    // every number of a database row passes through here.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    Int mant = 0;
    int digits = 0;
    const char* p = buf;
    const bool neg = *p == '-';
    if (neg) ++p;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            mant = mant * 10 + (*p - '0');
            ++digits;
        }
    }
    int exponent = 0;
    if (p < res.ptr) std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exponent);
    // Beyond what a report number holds: nothing, as a text that cannot be read.
    if (exponent > 30 || exponent < -30) return Decimal();
    return fromMantissa(neg ? -mant : mant, digits - 1 - exponent);
}

bool Decimal::fromVariant(const QVariant& v, Decimal* out)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        *out = Decimal(v.toInt());
        return true;
    case QMetaType::LongLong:
    case QMetaType::Long:
        *out = Decimal(v.toLongLong());
        return true;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        *out = fromMantissa(Int(v.toULongLong()), 0);
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
        *out = fromDouble(v.toDouble());
        return true;
    case QMetaType::Bool:
        *out = Decimal(v.toBool() ? 1 : 0);
        return true;
    default:
        return parse(v.toString(), out);
    }
}

QString Decimal::toString() const
{
    Decimal d = normalized();
    QString digits = intToString(d.m_mant < 0 ? -d.m_mant : d.m_mant);
    if (d.m_scale > 0) {
        while (digits.size() <= d.m_scale) digits.prepend(QLatin1Char('0'));
        digits.insert(digits.size() - d.m_scale, QLatin1Char('.'));
    }
    if (d.m_mant < 0) digits.prepend(QLatin1Char('-'));
    return digits;
}

QString Decimal::toFixed(int decimals) const
{
    if (decimals < 0) decimals = 0;
    // Digits beyond the stored scale are zeros: written, never computed, so a mask with more
    // places than a mantissa can hold still formats.
    const Decimal r = round(decimals);
    QString digits = intToString(r.m_mant < 0 ? -r.m_mant : r.m_mant);
    if (r.m_scale > 0) {
        while (digits.size() <= r.m_scale) digits.prepend(QLatin1Char('0'));
        digits.insert(digits.size() - r.m_scale, QLatin1Char('.'));
    }
    if (decimals > r.m_scale) {
        if (r.m_scale == 0) digits += QLatin1Char('.');
        digits += QString(decimals - r.m_scale, QLatin1Char('0'));
    }
    if (r.m_mant < 0) digits.prepend(QLatin1Char('-'));
    return digits;
}

double Decimal::toDouble() const { return toString().toDouble(); }

long long Decimal::toLongLong() const
{
    const Int whole = m_mant / pow10(m_scale);
    if (whole > Int(std::numeric_limits<long long>::max())) return std::numeric_limits<long long>::max();
    if (whole < Int(std::numeric_limits<long long>::min())) return std::numeric_limits<long long>::min();
    return (long long)whole;
}

Decimal Decimal::round(int decimals) const
{
    if (decimals < 0) decimals = 0;
    if (m_scale <= decimals) return *this;
    return fromMantissa(divRound(m_mant, pow10(m_scale - decimals)), decimals);
}

Decimal Decimal::trunc() const { return fromMantissa(m_mant / pow10(m_scale), 0); }

Decimal Decimal::operator+(const Decimal& o) const
{
    int s = std::max(m_scale, o.m_scale);
    Int a = mulChecked(m_mant, pow10(s - m_scale));
    Int b = mulChecked(o.m_mant, pow10(s - o.m_scale));
    return fromMantissa(addChecked(a, b), s);
}

Decimal Decimal::operator-(const Decimal& o) const { return *this + o.negated(); }

Decimal Decimal::operator*(const Decimal& o) const
{
    Int r;
    if (!__builtin_mul_overflow(m_mant, o.m_mant, &r)) return fromMantissa(r, m_scale + o.m_scale);
    // Too many digits: give up precision beyond MaxScale on the longer operand first.
    Decimal a = round(std::min(m_scale, MaxScale / 2));
    Decimal b = o.round(std::min(o.m_scale, MaxScale / 2));
    return fromMantissa(mulChecked(a.m_mant, b.m_mant), a.m_scale + b.m_scale);
}

Decimal Decimal::operator/(const Decimal& o) const
{
    if (o.m_mant == 0) throw NkError(QStringLiteral("Division by zero"));
    // result scale = MaxScale: (a * 10^(MaxScale + sb - sa)) / b, reducing the scale when the
    // numerator would not fit.
    for (int target = MaxScale; target >= 0; --target) {
        int shift = target + o.m_scale - m_scale;
        Int num = m_mant;
        Int den = o.m_mant;
        if (shift >= 0) {
            if (__builtin_mul_overflow(num, pow10(shift), &num)) continue;
        } else {
            if (__builtin_mul_overflow(den, pow10(-shift), &den)) continue;
        }
        return fromMantissa(divRound(num, den), target);
    }
    overflow();
}

int Decimal::compare(const Decimal& o) const
{
    // Compared without subtracting, so any two numbers compare (a difference may not fit).
    if (isNegative() != o.isNegative()) return isNegative() ? -1 : 1;
    const Int wa = m_mant / pow10(m_scale), wb = o.m_mant / pow10(o.m_scale);
    if (wa != wb) return wa < wb ? -1 : 1;
    // Same whole part: the fractions (below 10^18 each) on the longer scale.
    const int s = std::max(m_scale, o.m_scale);
    const Int fa = (m_mant % pow10(m_scale)) * pow10(s - m_scale);
    const Int fb = (o.m_mant % pow10(o.m_scale)) * pow10(s - o.m_scale);
    return fa < fb ? -1 : (fa > fb ? 1 : 0);
}

QString formatDecimal(const Decimal& value, const QString& maskIn)
{
    if (maskIn.isEmpty()) return value.toString();
    QStringList sections = maskIn.split(QLatin1Char(';'));
    QString mask = sections.value(0);
    bool useAbs = false;
    if (value.isNegative() && sections.size() > 1 && !sections[1].isEmpty()) {
        mask = sections[1];
        useAbs = true;
    }
    // Find the numeric part of the mask: the run of # 0 , . characters.
    int start = -1, end = -1;
    for (int i = 0; i < mask.size(); ++i) {
        QChar c = mask[i];
        bool numeric = c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char(',') ||
                       c == QLatin1Char('.');
        if (numeric) {
            if (start < 0) start = i;
            end = i + 1;
        } else if (start >= 0) {
            break;
        }
    }
    if (start < 0) return mask;
    QString num = mask.mid(start, end - start);
    int dot = num.indexOf(QLatin1Char('.'));
    QString intPart = dot < 0 ? num : num.left(dot);
    QString fracPart = dot < 0 ? QString() : num.mid(dot + 1);
    int minDec = fracPart.count(QLatin1Char('0'));
    int maxDec = minDec + fracPart.count(QLatin1Char('#'));
    int minInt = intPart.count(QLatin1Char('0'));
    bool thousands = intPart.contains(QLatin1Char(','));

    Decimal v = useAbs ? value.abs() : value;
    Decimal rounded = v.round(maxDec);
    if (rounded.isZero() && sections.size() > 2) return sections[2];
    QString fixed = rounded.abs().toFixed(maxDec);
    QString ip = fixed.section(QLatin1Char('.'), 0, 0);
    QString fp = fixed.section(QLatin1Char('.'), 1, 1);
    while (fp.size() > minDec && fp.endsWith(QLatin1Char('0'))) fp.chop(1);
    if (ip == QLatin1String("0") && minInt == 0) ip.clear();
    while (ip.size() < minInt) ip.prepend(QLatin1Char('0'));
    if (thousands) {
        for (int i = ip.size() - 3; i > 0; i -= 3) ip.insert(i, QLatin1Char(','));
    }
    QString out = ip;
    if (!fp.isEmpty()) out += QLatin1Char('.') + fp;
    if (out.isEmpty()) out = QStringLiteral("0");
    if (rounded.isNegative()) out.prepend(QLatin1Char('-'));
    return mask.left(start) + out + mask.mid(end);
}
