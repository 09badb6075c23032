#pragma once
#include <QList>
#include <QString>
#include <string>

// Decimal texts of binary numbers. Money and quantities are decided on the decimal digits a
// person would read, never on the binary value: 1.005 is "1.005", so it rounds up.
namespace NumberText {

// A non-negative decimal number: the digits without leading or trailing zeros and the
// position of the decimal point counted from the first digit (value = 0.d1d2... × 10^point).
// Zero has no digits.
struct Decimal {
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
    // Rounds half away from zero to the given number of places after the point.
    void roundToPlaces(int places);
    // Cuts (never rounds) to the given number of places after the point.
    void truncateToPlaces(int places);
    // Digit at the given place after the point (1 = tenths); 0 where none is written.
    int digitAtPlace(int place) const;
    // Adds one unit of the given place after the point (0 = ones).
    void addUnitAtPlace(int places);
    // The integer digits ("" for a value below 1) and the fraction digits (trailing zeros
    // dropped).
    std::string integerDigits() const;
    std::string fractionDigits() const;
    // Plain text: "-"? integer digits ("0" when none) and, when any, "." and fraction digits.
    std::string text(bool negative) const;
};

// |value| rounded to the given number of significant digits (1 to 40). Not for NaN or
// infinities.
Decimal fromDouble(double value, int significant);

// Fixed-point text of value with exactly `decimals` places, rounded half away from zero on
// its text of `significant` digits; "-" only when the text is not zero.
QString fixedText(double value, int significant, int decimals);

} // namespace NumberText

// One number-format pattern, parsed once and applied to many values.
//
//   0  a digit that is always written        #  a digit written only when significant
//   ,  in the integer part: a comma every three digits
//   .  the decimal point, dropped when no decimals remain
//   ;  separates the positive, the negative and the zero section
//   "..." or '...'  literal text; any other character is copied as it stands
//
// Decimals are rounded half away from zero on the value's 15-digit decimal text; places
// written with # are dropped when zero; an integer part made only of # places is left out
// when it is zero; a pattern without integer places (".00") still writes the integer digits
// in front of the point. A negative value without a negative section gets "-" in front of its
// first digit place; a value that rounds to zero is never negative.
class NumberPattern {
public:
    explicit NumberPattern(const QString& pattern = QString());
    QString format(double value) const;
    const QString& pattern() const { return m_pattern; }

private:
    enum class Kind { Literal, IntDigit, Point, DecDigit };
    struct Token {
        Kind kind;
        QString text; // literal text
        int index = 0; // IntDigit: place from the left; DecDigit: place after the point
    };
    struct Section {
        QList<Token> tokens;
        int intPlaces = 0;
        int minInt = 0;
        int decPlaces = 0;
        int minDec = 0;
        bool thousands = false;
        bool hasPlaces = false;
        bool empty = true;
    };
    static Section parseSection(const QString& text);
    QString formatSection(const Section& s, const NumberText::Decimal& d, bool minus) const;

    QString m_pattern;
    QList<Section> m_sections;
};

// Formats one value with a pattern (the pattern is parsed at each call; keep a NumberPattern
// for repeated use).
QString FormatFloat(const QString& pattern, double value);
