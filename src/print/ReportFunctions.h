#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The user functions the report layouts call for amounts in words and unit texts:
//
//   TELL_REAL_THAI(amount, decimals)        Thai baht text
//   TELL_REAL_THAI2(amount, decimals)       Thai number with จุด
//   TELL_REAL_ENG(amount, decimals)         English baht text
//   TELL_REAL_ENG2(amount, decimals)        English number with POINT
//   ONHANDQUANTITY(quantity, unit id)       quantity text in large and small units
//   ONHANDQUANTITYLSUNIT(quantity, unit id, part)  only the large (1) or small (2) part
//   FRACSMALLBYSTOCK(quantity, unit id)     whole stock units and a fraction of one
//
// The arguments arrive already evaluated. Amounts and quantities are read as real numbers,
// decimals, unit ids and parts as whole numbers.

// Names of the functions, in upper case.
QStringList reportUserFunctionNames();

// True when `name` (any case) is one of the functions.
bool isReportUserFunction(const QString& name);

// Answers one call: sets `result` to the function's text and returns true. An unknown name
// leaves `result` unchanged and returns false. Too few arguments give the text "ERROR".
// The unit functions read the company database through DM.
bool callReportUserFunction(const QString& name, const QVariantList& args, QVariant& result);
