#include "report/ReportValue.h"

#include "report/ReportLimits.h"

ReportValue ReportValue::boolean(bool v)
{
    ReportValue r;
    r.type = Type::Bool;
    r.b = v;
    return r;
}

ReportValue ReportValue::number(const Decimal& v)
{
    ReportValue r;
    r.type = Type::Number;
    r.n = v;
    return r;
}

ReportValue ReportValue::text(const QString& v)
{
    ReportValue r;
    r.type = Type::Text;
    r.s = v;
    return r;
}

ReportValue ReportValue::date(const QDateTime& v)
{
    ReportValue r;
    r.type = Type::Date;
    r.d = v;
    return r;
}

ReportValue ReportValue::fromVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::Bool:
        return boolean(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: {
        Decimal d;
        Decimal::fromVariant(v, &d);
        return number(d);
    }
    case QMetaType::QDate:
        return date(v.toDate());
    case QMetaType::QDateTime:
        return date(v.toDateTime());
    default:
        return text(v.toString());
    }
}

QVariant ReportValue::toVariant() const
{
    switch (type) {
    case Type::Null:
        return {};
    case Type::Bool:
        return b;
    case Type::Number:
        return n.toDouble();
    case Type::Text:
        return s;
    case Type::Date:
        return d;
    }
    return {};
}

QString ReportValue::toText() const
{
    switch (type) {
    case Type::Null:
        return {};
    case Type::Bool:
        return b ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Number:
        return n.toString();
    case Type::Text:
        return s;
    case Type::Date:
        if (d.time() == QTime(0, 0)) return d.date().toString(QStringLiteral("dd/MM/yyyy"));
        return d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return {};
}

bool ReportValue::toNumber(Decimal* out) const
{
    switch (type) {
    case Type::Null:
        *out = Decimal();
        return true;
    case Type::Bool:
        *out = Decimal(b ? 1 : 0);
        return true;
    case Type::Number:
        *out = n;
        return true;
    case Type::Text:
        if (s.trimmed().isEmpty()) {
            *out = Decimal();
            return true;
        }
        return Decimal::parse(s, out);
    case Type::Date:
        // Days since 30/12/1899, the day zero of stored dates.
        *out = Decimal((long long)QDate(1899, 12, 30).daysTo(d.date()));
        return true;
    }
    return false;
}

bool ReportValue::toDate(QDateTime* out) const
{
    switch (type) {
    case Type::Date:
        *out = d;
        return true;
    case Type::Text:
        *out = parseReportDate(s);
        return out->isValid();
    case Type::Number: {
        const long long days = n.toLongLong();
        if (days < -ReportLimits::MaxDays || days > ReportLimits::MaxDays) return false;
        *out = QDateTime(QDate(1899, 12, 30).addDays(days), QTime(0, 0));
        return true;
    }
    default:
        return false;
    }
}

bool ReportValue::toBool(bool* out) const
{
    switch (type) {
    case Type::Null:
        *out = false;
        return true;
    case Type::Bool:
        *out = b;
        return true;
    case Type::Number:
        *out = !n.isZero();
        return true;
    case Type::Text: {
        QString t = s.trimmed().toUpper();
        if (t == QLatin1String("Y") || t == QLatin1String("T") || t == QLatin1String("TRUE")) {
            *out = true;
            return true;
        }
        if (t.isEmpty() || t == QLatin1String("N") || t == QLatin1String("F") || t == QLatin1String("FALSE")) {
            *out = false;
            return true;
        }
        return false;
    }
    case Type::Date:
        return false;
    }
    return false;
}

QString ReportValue::typeName() const
{
    switch (type) {
    case Type::Null:
        return QStringLiteral("null");
    case Type::Bool:
        return QStringLiteral("truth value");
    case Type::Number:
        return QStringLiteral("number");
    case Type::Text:
        return QStringLiteral("text");
    case Type::Date:
        return QStringLiteral("date");
    }
    return {};
}

QDateTime parseReportDate(const QString& textIn)
{
    const QString text = textIn.trimmed();
    static const char* const formats[] = {"dd/MM/yyyy", "d/M/yyyy", "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm",
                                          "yyyy-MM-dd", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                                          "yyyy-MM-dd HH:mm:ss.zzz"};
    for (const char* f : formats) {
        QDateTime dt = QDateTime::fromString(text, QLatin1String(f));
        if (dt.isValid()) return dt;
        QDate dd = QDate::fromString(text, QLatin1String(f));
        if (dd.isValid()) return QDateTime(dd, QTime(0, 0));
    }
    return {};
}
