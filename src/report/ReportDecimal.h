#pragma once
#include <QString>
#include <QVariant>

// A decimal number for money and quantity arithmetic in report expressions: a 128-bit
// integer mantissa with a decimal scale (digits after the point, at most MaxScale). Sums
// of amounts are exact (0.1 + 0.2 is 0.3), and rounding is half away from zero, the way
// an accountant rounds 2.345 to 2.35.
class Decimal {
public:
    using Int = __int128;
    static constexpr int MaxScale = 18;

    Decimal() = default;
    Decimal(int v) : m_mant(v) {}
    Decimal(long long v) : m_mant(v) {}
    static Decimal fromMantissa(Int mantissa, int scale);
    // Parses "-1234.5600", "1e3", "1,234.50" (thousands commas allowed); false when not a number.
    static bool parse(const QString& text, Decimal* out);
    static Decimal fromString(const QString& text);  // 0 when not a number
    // Doubles are read through their shortest 15-significant-digit text, so 0.1 stays 0.1.
    static Decimal fromDouble(double d);
    static bool fromVariant(const QVariant& v, Decimal* out);

    QString toString() const;  // plain notation, no trailing zeros after the point
    QString toFixed(int decimals) const;  // rounded half-up to exactly that many decimals
    double toDouble() const;
    long long toLongLong() const;  // truncated toward zero

    Decimal round(int decimals) const;   // half away from zero
    Decimal trunc() const;               // integer part
    Decimal abs() const { return m_mant < 0 ? negated() : *this; }
    Decimal negated() const { return fromMantissa(-m_mant, m_scale); }
    bool isZero() const { return m_mant == 0; }
    bool isNegative() const { return m_mant < 0; }
    int scale() const { return m_scale; }
    Int mantissa() const { return m_mant; }

    Decimal operator+(const Decimal& o) const;
    Decimal operator-(const Decimal& o) const;
    Decimal operator*(const Decimal& o) const;
    Decimal operator/(const Decimal& o) const;  // MaxScale digits, half-up; throws on zero
    Decimal operator-() const { return negated(); }
    int compare(const Decimal& o) const;
    bool operator==(const Decimal& o) const { return compare(o) == 0; }
    bool operator!=(const Decimal& o) const { return compare(o) != 0; }
    bool operator<(const Decimal& o) const { return compare(o) < 0; }
    bool operator>(const Decimal& o) const { return compare(o) > 0; }
    bool operator<=(const Decimal& o) const { return compare(o) <= 0; }
    bool operator>=(const Decimal& o) const { return compare(o) >= 0; }

private:
    Decimal normalized() const;
    Int m_mant = 0;
    int m_scale = 0;
};

// Formats a number with a display mask such as "#,##0.00", "0.0000" or
// "#,##0.00;(#,##0.00);-" (positive; negative; zero sections). Digits are rounded half-up.
QString formatDecimal(const Decimal& value, const QString& mask);
