#pragma once
#include <QString>
#include <QtGlobal>

// Amounts and whole numbers in Thai and English words, as printed documents state them.
//
// Whole numbers are read as 64-bit integers; amounts up to 999,999,999,999,999,999 in
// their integer part are spelled, larger ones (and NaN or infinities) give AmountWordsError.
// A negative amount is spelled as its magnitude after "ลบ" (Thai) or "MINUS " (English).

// The text given for an amount that cannot be spelled.
inline constexpr const char* AmountWordsError = "ERROR";
// The largest integer part that is spelled.
inline constexpr qint64 AmountWordsMaxInteger = 999'999'999'999'999'999LL;

// Whole numbers to words; 0 and negative numbers give the empty text.
QString ThaiNumberWords(qint64 n);
QString EnglishNumberWords(qint64 n);

// Amount with the given number of decimals (the last one rounded half away from zero) to
// text. An amount of 0 gives the empty text. Decimals of 0 round to whole baht.
QString ThaiBahtText(double amount, int decimals);    // ...บาท ...สตางค์ / ...บาทถ้วน
QString ThaiDecimalText(double amount, int decimals); // ...จุด...
QString EnglishBahtText(double amount, int decimals); // ... BAHT  AND ... SATANG / BAHT  ONLY
QString EnglishDecimalText(double amount, int decimals); // ... POINT ...

// The split of an amount into its integer part and its fraction read as a whole number
// (with 2 decimals, .05 gives 5 and .50 gives 50).
struct AmountParts {
    bool valid = false;    // false: too large, NaN or infinite
    bool zero = false;     // the amount is exactly 0
    bool negative = false; // below 0 and not rounded to 0
    qint64 integer = 0;
    qint64 fraction = 0;
};
AmountParts SplitAmount(double amount, int decimals);
