#include "data/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace NumberText {

static void stripZeros(Decimal& d)
{
    std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    if (first > 0) {
        d.digits.erase(0, first);
        d.point -= int(first);
    }
    std::size_t last = d.digits.find_last_not_of('0');
    d.digits.erase(last + 1);
}

Decimal fromDouble(double value, int significant)
{
    Decimal d;
    if (value == 0 || !std::isfinite(value))
        return d;
    if (significant < 1)
        significant = 1;
    if (significant > 40)
        significant = 40;
    char buf[96];
    // d.ddddde±XX: the exact binary value rounded to the requested digits.
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                   std::chars_format::scientific, significant - 1);
    *res.ptr = 0;
    const char* p = buf;
    while (*p && *p != 'e') {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
        ++p;
    }
    int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.point = exponent + 1;
    stripZeros(d);
    return d;
}

void Decimal::roundToPlaces(int places)
{
    const int keep = point + places; // digits that stay
    if (keep >= int(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        point = 0;
        return;
    }
    const bool up = digits[std::size_t(keep)] >= '5';
    digits.erase(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[std::size_t(i)] == '9') {
            digits[std::size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[std::size_t(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++point;
        }
    }
    stripZeros(*this);
}

void Decimal::truncateToPlaces(int places)
{
    const int keep = point + places;
    if (keep >= int(digits.size()))
        return;
    if (keep <= 0) {
        digits.clear();
        point = 0;
        return;
    }
    digits.erase(std::size_t(keep));
    stripZeros(*this);
}

int Decimal::digitAtPlace(int place) const
{
    const int i = point + place - 1;
    if (i < 0 || i >= int(digits.size()))
        return 0;
    return digits[std::size_t(i)] - '0';
}

void Decimal::addUnitAtPlace(int places)
{
    if (digits.empty()) {
        digits = "1";
        point = 1 - places;
        return;
    }
    // Widen the digit text so that the place exists, then carry.
    int last = point + places - 1; // index of the place
    if (last < 0) {
        digits.insert(0, std::size_t(-last), '0');
        point += -last;
        last = 0;
    }
    if (last >= int(digits.size()))
        digits.append(std::size_t(last + 1 - int(digits.size())), '0');
    int i = last;
    while (i >= 0 && digits[std::size_t(i)] == '9') {
        digits[std::size_t(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++digits[std::size_t(i)];
    } else {
        digits.insert(digits.begin(), '1');
        ++point;
    }
    stripZeros(*this);
}

std::string Decimal::integerDigits() const
{
    if (point <= 0 || digits.empty())
        return {};
    if (point >= int(digits.size()))
        return digits + std::string(std::size_t(point) - digits.size(), '0');
    return digits.substr(0, std::size_t(point));
}

std::string Decimal::fractionDigits() const
{
    if (int(digits.size()) <= point)
        return {};
    if (point < 0)
        return std::string(std::size_t(-point), '0') + digits;
    return digits.substr(std::size_t(point));
}

std::string Decimal::text(bool negative) const
{
    std::string s;
    if (negative && !isZero())
        s.push_back('-');
    std::string i = integerDigits();
    s += i.empty() ? std::string("0") : i;
    std::string f = fractionDigits();
    if (!f.empty()) {
        s.push_back('.');
        s += f;
    }
    return s;
}

QString fixedText(double value, int significant, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    Decimal d = fromDouble(value, significant);
    d.roundToPlaces(decimals);
    std::string s;
    if (value < 0 && !d.isZero())
        s.push_back('-');
    std::string i = d.integerDigits();
    s += i.empty() ? std::string("0") : i;
    if (decimals > 0) {
        std::string f = d.fractionDigits();
        f.resize(std::size_t(decimals), '0');
        s.push_back('.');
        s += f;
    }
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

} // namespace NumberText

// ---- NumberPattern --------------------------------------------------------------------------

NumberPattern::Section NumberPattern::parseSection(const QString& text)
{
    Section s;
    s.empty = text.isEmpty();
    bool afterPoint = false;
    int firstZero = -1; // integer place of the leftmost 0
    auto addLiteral = [&s](const QString& t) {
        if (t.isEmpty())
            return;
        if (!s.tokens.isEmpty() && s.tokens.last().kind == Kind::Literal)
            s.tokens.last().text += t;
        else
            s.tokens.append(Token{Kind::Literal, t, 0});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || c == u'\'') {
            qsizetype end = text.indexOf(c, i + 1);
            if (end < 0)
                end = text.size();
            addLiteral(text.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == u'0' || c == u'#') {
            s.hasPlaces = true;
            if (!afterPoint) {
                if (c == u'0' && firstZero < 0)
                    firstZero = s.intPlaces;
                s.tokens.append(Token{Kind::IntDigit, {}, s.intPlaces++});
            } else {
                if (c == u'0')
                    s.minDec = s.decPlaces + 1;
                s.tokens.append(Token{Kind::DecDigit, {}, s.decPlaces++});
            }
        } else if (c == u',') {
            if (!afterPoint)
                s.thousands = true;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            s.hasPlaces = true;
            s.tokens.append(Token{Kind::Point, {}, 0});
        } else {
            addLiteral(QString(c));
        }
    }
    if (s.hasPlaces && s.intPlaces == 0) {
        // No integer place at all (".00", ",.00"): the integer digits still print, in front
        // of the decimal point; a zero integer part is left out as for "#" places.
        qsizetype at = 0;
        while (at < s.tokens.size() && s.tokens.at(at).kind == Kind::Literal)
            ++at;
        s.tokens.insert(at, Token{Kind::IntDigit, {}, 0});
        s.intPlaces = 1;
    }
    s.minInt = firstZero < 0 ? 0 : s.intPlaces - firstZero;
    return s;
}

NumberPattern::NumberPattern(const QString& pattern) : m_pattern(pattern)
{
    // Split on semicolons outside quotes.
    QString current;
    QChar quote;
    QStringList parts;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            parts << current;
            current.clear();
            continue;
        }
        current += c;
    }
    parts << current;
    for (int i = 0; i < parts.size() && i < 3; ++i)
        m_sections.append(parseSection(parts.at(i)));
}

QString NumberPattern::formatSection(const Section& s, const NumberText::Decimal& d, bool minus) const
{
    std::string intDigits = d.integerDigits();
    if (int(intDigits.size()) < s.minInt)
        intDigits.insert(0, std::size_t(s.minInt - int(intDigits.size())), '0');
    std::string frac = d.fractionDigits();
    if (int(frac.size()) < s.minDec)
        frac.append(std::size_t(s.minDec - int(frac.size())), '0');

    const int len = int(intDigits.size());
    QString out;
    out.reserve(len + len / 3 + frac.size() + 8);
    bool signDone = !minus;
    auto putDigit = [&](int k) {
        out += QChar(intDigits[std::size_t(k)]);
        const int right = len - 1 - k;
        if (s.thousands && right > 0 && right % 3 == 0)
            out += u',';
    };
    for (const Token& t : s.tokens) {
        if (t.kind != Kind::Literal && !signDone) {
            out += u'-';
            signDone = true;
        }
        switch (t.kind) {
        case Kind::Literal:
            out += t.text;
            break;
        case Kind::IntDigit: {
            const int j = len - s.intPlaces + t.index;
            if (j < 0)
                break;
            if (t.index == 0) {
                for (int k = 0; k <= j; ++k)
                    putDigit(k);
            } else {
                putDigit(j);
            }
            break;
        }
        case Kind::Point:
            if (!frac.empty())
                out += u'.';
            break;
        case Kind::DecDigit:
            if (t.index < int(frac.size()))
                out += QChar(frac[std::size_t(t.index)]);
            break;
        }
    }
    if (!signDone)
        out.prepend(u'-');
    return out;
}

QString NumberPattern::format(double value) const
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (m_sections.isEmpty() || (m_sections.size() == 1 && m_sections.first().empty)) {
        // No pattern: the shortest text that reads back as the value (15 digits).
        return QString::number(value, 'g', 15);
    }
    const bool negative = value < 0;
    int sec = 0;
    if (negative && m_sections.size() >= 2 && !m_sections.at(1).empty)
        sec = 1;
    NumberText::Decimal d = NumberText::fromDouble(value, 15);
    d.roundToPlaces(m_sections.at(sec).decPlaces);
    if (d.isZero()) {
        // A value that rounds to zero is shown as zero, never as "-0".
        sec = (m_sections.size() >= 3 && !m_sections.at(2).empty) ? 2 : 0;
        return formatSection(m_sections.at(sec), d, false);
    }
    return formatSection(m_sections.at(sec), d, negative && sec == 0);
}

QString FormatFloat(const QString& pattern, double value)
{
    return NumberPattern(pattern).format(value);
}
