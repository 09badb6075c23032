#include "data/Rounding.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The magnitude of a finite value as a plain decimal text "int.frac" with exactly `places`
// decimals, after first keeping only `digits` significant digits (each step half-up on the
// decimal digits, as a fixed-point formatter does).
std::string fixedText(double magnitude, int digits, int places)
{
    if (digits < 1)
        digits = 1;
    if (digits > 40)
        digits = 40;
    // Significant digits first: d.ddddde±x, correctly rounded, whatever the process locale.
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   digits - 1);
    std::string s(buf, res.ptr);
    const auto ePos = s.find('e');
    int exponent = 0;
    const char* expText = s.c_str() + ePos + 1;
    if (*expText == '+')
        ++expText;
    std::from_chars(expText, s.c_str() + s.size(), exponent);
    std::string mantissa;
    for (size_t i = 0; i < ePos; ++i)
        if (s[i] != '.')
            mantissa += s[i];
    // mantissa holds `digits` digits; the first one has the weight 10^exponent.
    // Build the integer part and a fractional part long enough for every digit.
    std::string intPart, fracPart;
    const int n = int(mantissa.size());
    if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i)
            intPart += i < n ? mantissa[i] : '0';
        for (int i = exponent + 1; i < n; ++i)
            fracPart += mantissa[i];
    } else {
        intPart = "0";
        fracPart.assign(size_t(-exponent - 1), '0');
        fracPart += mantissa;
    }
    // Round the fraction to `places` decimals, half up on the decimal text.
    if (int(fracPart.size()) > places) {
        const bool up = fracPart[size_t(places)] >= '5';
        fracPart.resize(size_t(places));
        if (up) {
            std::string all = intPart + fracPart;
            int i = int(all.size()) - 1;
            while (i >= 0 && all[size_t(i)] == '9') {
                all[size_t(i)] = '0';
                --i;
            }
            if (i < 0)
                all.insert(all.begin(), '1');
            else
                ++all[size_t(i)];
            intPart = all.substr(0, all.size() - size_t(places));
            fracPart = all.substr(all.size() - size_t(places));
        }
    } else {
        fracPart.append(size_t(places) - fracPart.size(), '0');
    }
    return intPart + "." + fracPart;
}

} // namespace

double RoundDecimal(double value, int decimals, int digits)
{
    if (!std::isfinite(value))
        return value;
    if (decimals < 0)
        decimals = 0;
    const bool negative = std::signbit(value) && value != 0.0;
    const std::string text = fixedText(std::fabs(value), digits, decimals + 5);
    const auto point = text.find('.');
    // Keep decimals + 1 places: the last one decides, the rest is the value cut.
    std::string kept = text.substr(0, point + 1 + size_t(decimals));
    const char deciding = text[point + 1 + size_t(decimals)];
    if (deciding >= '5') {
        // Adding 10^-decimals to the cut value, done on the text so the result is the
        // double nearest to the decimal result.
        int i = int(kept.size()) - 1;
        while (i >= 0 && (kept[size_t(i)] == '9' || kept[size_t(i)] == '.')) {
            if (kept[size_t(i)] == '9')
                kept[size_t(i)] = '0';
            --i;
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[size_t(i)];
    }
    if (!kept.empty() && kept.back() == '.')
        kept.pop_back();
    double result = 0.0;
    std::from_chars(kept.data(), kept.data() + kept.size(), result);
    return negative ? -result : result;
}
