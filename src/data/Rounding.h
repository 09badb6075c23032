#pragma once
#include <QString>
#include <optional>

// The money helpers of the document forms: decimal rounding decided on the decimal text of
// a number, and discounts written by the user as text.

// Rounds value to `decimals` places, half away from zero, deciding on the value's text of
// `significant` digits with decimals + 5 places (so 1.005 rounds to 1.01 although its binary
// value lies below 1.005). Decimals of 0 round to a whole number; a negative value rounds
// like its magnitude and keeps its sign. The result is the binary number nearest to the
// rounded decimal text. Values with more integer digits than `significant`, NaN and
// infinities come back unchanged.
double RoundDecimal(double value, int decimals, int significant);

// Applies a discount text to value: "/" counts as "%"; each number ended by "%" takes that
// percentage off what the previous ones left; a number left at the end is subtracted as an
// amount ("10%5%" on 1,000 gives 855, "10%50" gives 850, "100" gives 900). An empty text and
// "%" alone leave the value unchanged. Nothing is rounded.
// Throws NkError naming the piece when a piece is not a number (an empty piece before "%"
// included).
double ApplyDiscountText(const QString& discount, double value);

// The same without throwing: no value when a piece is not a number; `badPiece` then receives
// the piece as typed.
std::optional<double> TryApplyDiscountText(const QString& discount, double value,
                                           QString* badPiece = nullptr);

// The message for a discount text whose piece is not a number.
QString DiscountTextErrorMessage(const QString& discount, const QString& piece);
