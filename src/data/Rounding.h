#pragma once

// Decimal rounding of money and quantities. The decision is taken on the decimal text of the
// value, not on its binary form: the value is written with `digits` significant digits and
// decimals + 5 places, and the digit after the last kept place decides (5 or more rounds up).
// So 1.005 with 2 decimals gives 1.01 although its binary value lies just below 1.005.
// Callers pass values of 0 or more and decimals of 1 or more; negative values are rounded
// on their magnitude (half away from zero).
double RoundDecimal(double value, int decimals, int digits);
