#pragma once
#include "report/ReportDecimal.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

// One value of a report expression: nothing, a truth value, a decimal number, a text or a
// date-time. Numbers are decimals so that money sums and rounding come out as on paper.
struct ReportValue {
    enum class Type { Null, Bool, Number, Text, Date };
    Type type = Type::Null;
    bool b = false;
    Decimal n;
    QString s;
    QDateTime d;

    ReportValue() = default;
    static ReportValue boolean(bool v);
    static ReportValue number(const Decimal& v);
    static ReportValue text(const QString& v);
    static ReportValue date(const QDateTime& v);
    static ReportValue date(const QDate& v) { return date(QDateTime(v, QTime(0, 0))); }
    // Database and program values: numbers of any kind become decimals, QDate/QDateTime dates,
    // bool a truth value, a null variant Null, anything else text.
    static ReportValue fromVariant(const QVariant& v);

    bool isNull() const { return type == Type::Null; }
    bool isNumber() const { return type == Type::Number; }
    bool isText() const { return type == Type::Text; }
    bool isDate() const { return type == Type::Date; }
    QVariant toVariant() const;
    // Display text: numbers plainly ("1234.5"), dates dd/mm/yyyy (with hh:mm:ss when the
    // time is not midnight), truth values "True"/"False", Null the empty text.
    QString toText() const;
    // Conversions used by functions; false when the value has no such reading.
    bool toNumber(Decimal* out) const;
    bool toDate(QDateTime* out) const;
    bool toBool(bool* out) const;
    QString typeName() const;
};

// Reads a date typed or stored as text: dd/mm/yyyy, yyyy-mm-dd, yyyy-mm-dd hh:mm:ss, with or
// without time. Invalid QDateTime when it is none of these.
QDateTime parseReportDate(const QString& text);
