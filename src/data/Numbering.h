#pragma once
#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

// A document table whose numbers must be unique: the number column and, for tables holding
// several kinds of document, the column of the kind (the number is unique within a kind).
struct DocNumberKey {
    QString table;
    QString numberColumn;
    QString kindColumn; // empty: unique in the whole table
    bool isValid() const { return !table.isEmpty(); }
};
// ImHd (ImNo: import documents and bills brought forward share the series "IMPORT"), MrHd
// (MrNo per MrType), PcHd (PcNo per PcType), PoHd and FrPoHd (PoNo per PoType); compared
// without regard to case. Any other table gives an invalid key.
DocNumberKey DocNumberKeyOf(const QString& table);

// Small text and date helpers used wherever document numbers and years are handled.
// The numbering services themselves (GetDocLength, NewDocNo, PostNewDocNo, PostDocNo) are
// members of TDM and live in Numbering.cpp next to these.

// Trims the text, cuts it to its first `length` characters when longer, and puts `fill` in
// front until it is `length` long when shorter. Document numbers use a blank as fill, so a
// typed number always matches the stored one. A length of 0 (or less) gives the empty text.
QString PadLeft(const QString& text, int length, QChar fill = QLatin1Char(' '));

// Four-digit year and month 1..12 of a date; 0 for an invalid date.
int YearOfDate(const QDateTime& date);
int YearOfDate(const QDate& date);
int MonthOfDate(const QDateTime& date);
int MonthOfDate(const QDate& date);

// The text without its leading blanks (trailing blanks are kept).
QString TrimLeadingSpaces(const QString& text);

// The series code NewDocNo sends to the server: codes starting with "IV-P" or "SO-P" become
// monthly series ("IV-P12") when `monthlyInvoices` is set, codes starting with "ARRCPT"
// become "ARRCPT-" + month when `monthlyReceipts` is set; every other code is unchanged.
QString MonthlyDocCode(const QString& docCode, int month, bool monthlyInvoices, bool monthlyReceipts);
