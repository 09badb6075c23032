// Functions every report expression can call: the common ones (IF is built into the
// evaluator) and the add-on library the layout files of the suite use. Texts are 1-based
// as in the layouts' own language: COPY('ABC', 2, 1) is 'B'.
#include "report/ReportExpr.h"
#include "report/ReportLimits.h"
#include "report/ReportText.h"

#include <QDate>
#include <QRegularExpression>
#include <climits>

namespace {
using V = ReportValue;
using Args = QList<ReportValue>;

[[noreturn]] void bad(const QString& text) { throw NkError(text); }

QString str(const V& v) { return v.toText(); }

Decimal num(const V& v)
{
    Decimal d;
    if (!v.toNumber(&d)) bad(QStringLiteral("\"%1\" is not a number").arg(v.toText()));
    return d;
}

// A whole number as an int; values beyond the range of int are held at its ends (positions
// and counts that large mean "all of it").
int integer(const V& v) { return int(std::clamp<long long>(num(v).toLongLong(), -INT_MAX, INT_MAX)); }

// A whole number that must lie within [lo, hi]: days, months and years to move a date by,
// character codes.
int inRange(const V& v, int lo, int hi, const char* what)
{
    const long long n = num(v).toLongLong();
    if (n < lo || n > hi) bad(QStringLiteral("%1 %2 is outside %3 to %4").arg(QLatin1String(what)).arg(n).arg(lo).arg(hi));
    return int(n);
}
int days(const V& v) { return inRange(v, -ReportLimits::MaxDays, ReportLimits::MaxDays, "A number of days"); }
int months(const V& v) { return inRange(v, -ReportLimits::MaxDays / 28, ReportLimits::MaxDays / 28, "A number of months"); }
int years(const V& v) { return inRange(v, -10000, 10000, "A number of years"); }

// A text of `width` characters (filled or repeated) must stay within the text limit.
int width(const V& v)
{
    const int w = integer(v);
    checkReportTextLength(w);
    return w;
}

QDateTime date(const V& v)
{
    QDateTime d;
    if (!v.toDate(&d)) bad(QStringLiteral("\"%1\" is not a date").arg(v.toText()));
    return d;
}

V text(const QString& s) { return V::text(s); }
V number(const Decimal& d) { return V::number(d); }
V number(long long n) { return V::number(Decimal(n)); }
V boolean(bool b) { return V::boolean(b); }
V dateValue(const QDateTime& d) { return V::date(d); }
V dateValue(const QDate& d) { return V::date(d); }

QString delimiters(const Args& a, int index)
{
    return a.size() > index ? str(a[index]) : QStringLiteral(" ,.;:\t");
}

// Words of s separated by any of the delimiter characters, with their 1-based positions.
QList<QPair<int, QString>> words(const QString& s, const QString& delims)
{
    QList<QPair<int, QString>> out;
    int start = -1;
    for (int i = 0; i <= s.size(); ++i) {
        bool sep = i == s.size() || delims.contains(s[i]);
        if (!sep && start < 0) start = i;
        if (sep && start >= 0) {
            out.append({start + 1, s.mid(start, i - start)});
            start = -1;
        }
    }
    return out;
}

QChar fillChar(const Args& a, int index)
{
    QString f = a.size() > index ? str(a[index]) : QString();
    return f.isEmpty() ? QLatin1Char(' ') : f[0];
}

QDate firstOfMonth(const QDate& d) { return QDate(d.year(), d.month(), 1); }

// Pascal Copy: from a 1-based index, count characters; out-of-range parts are empty.
QString copy(const QString& s, int index, int count)
{
    if (index < 1) index = 1;
    if (count <= 0 || index > s.size()) return {};
    return s.mid(index - 1, count);
}

bool validInt(const QString& s)
{
    bool ok = false;
    s.trimmed().toLongLong(&ok);
    return ok;
}
}  // namespace

void registerStandardReportFunctions(ReportFunctionRegistry& r)
{
    // ---- common functions -------------------------------------------------------------
    r.add(QStringLiteral("STR"), 1, 1, [](EvalContext&, const Args& a) { return text(str(a[0])); });
    r.add(QStringLiteral("FORMATFLOAT"), 2, 2, [](EvalContext&, const Args& a) {
        return text(formatDecimal(num(a[1]), str(a[0])));
    });
    r.add(QStringLiteral("FORMATDATETIME"), 2, 2, [](EvalContext&, const Args& a) {
        return text(date(a[1]).toString(str(a[0])));
    });
    r.add(QStringLiteral("ROUND"), 1, 2, [](EvalContext&, const Args& a) {
        return number(num(a[0]).round(a.size() > 1 ? integer(a[1]) : 0));
    });
    r.add(QStringLiteral("INT"), 1, 1, [](EvalContext&, const Args& a) { return number(num(a[0]).trunc()); });
    r.add(QStringLiteral("FRAC"), 1, 1, [](EvalContext&, const Args& a) {
        Decimal d = num(a[0]);
        return number(d - d.trunc());
    });
    r.add(QStringLiteral("ABS"), 1, 1, [](EvalContext&, const Args& a) { return number(num(a[0]).abs()); });
    r.add(QStringLiteral("UPPERCASE"), 1, 1, [](EvalContext&, const Args& a) { return text(str(a[0]).toUpper()); });
    r.add(QStringLiteral("LOWERCASE"), 1, 1, [](EvalContext&, const Args& a) { return text(str(a[0]).toLower()); });
    r.add(QStringLiteral("TRIM"), 1, 1, [](EvalContext&, const Args& a) { return text(str(a[0]).trimmed()); });
    r.add(QStringLiteral("LENGTH"), 1, 1, [](EvalContext&, const Args& a) { return number(str(a[0]).size()); });
    r.add(QStringLiteral("COPY"), 3, 3, [](EvalContext&, const Args& a) {
        return text(copy(str(a[0]), integer(a[1]), integer(a[2])));
    });
    r.add(QStringLiteral("POS"), 2, 2, [](EvalContext&, const Args& a) {
        return number(str(a[1]).indexOf(str(a[0])) + 1);
    });
    r.add(QStringLiteral("DATE"), 0, 0, [](EvalContext&, const Args&) { return dateValue(QDate::currentDate()); });
    r.add(QStringLiteral("TIME"), 0, 0, [](EvalContext&, const Args&) {
        return dateValue(QDateTime(QDate(1899, 12, 30), QTime::currentTime()));
    });
    r.add(QStringLiteral("NOW"), 0, 0, [](EvalContext&, const Args&) { return dateValue(QDateTime::currentDateTime()); });
    r.add(QStringLiteral("YEAROF"), 1, 1, [](EvalContext&, const Args& a) { return number(date(a[0]).date().year()); });
    r.add(QStringLiteral("MONTHOF"), 1, 1, [](EvalContext&, const Args& a) { return number(date(a[0]).date().month()); });
    r.add(QStringLiteral("DAYOF"), 1, 1, [](EvalContext&, const Args& a) { return number(date(a[0]).date().day()); });
    r.add(QStringLiteral("MAXNUM"), 2, 2, [](EvalContext&, const Args& a) { return number(std::max(num(a[0]), num(a[1]))); });
    r.add(QStringLiteral("MINNUM"), 2, 2, [](EvalContext&, const Args& a) { return number(std::min(num(a[0]), num(a[1]))); });

    // ---- add-on library ---------------------------------------------------------------
    r.add(QStringLiteral("CHR"), 1, 1, [](EvalContext&, const Args& a) {
        const char32_t code = char32_t(inRange(a[0], 0, 0x10FFFF, "A character code"));
        if (code >= 0xD800 && code <= 0xDFFF) bad(QStringLiteral("%1 is not a character code").arg(uint(code)));
        return text(QString::fromUcs4(&code, 1));
    });
    r.add(QStringLiteral("COMPARESTR"), 2, 2, [](EvalContext&, const Args& a) {
        int c = QString::compare(str(a[0]), str(a[1]));
        return number(c < 0 ? -1 : (c > 0 ? 1 : 0));
    });
    r.add(QStringLiteral("CREATEDATE"), 1, 1, [](EvalContext&, const Args& a) { return dateValue(date(a[0])); });
    r.add(QStringLiteral("CREATENUM"), 1, 1, [](EvalContext&, const Args& a) { return number(num(a[0])); });
    r.add(QStringLiteral("CREATESTR"), 1, 1, [](EvalContext&, const Args& a) { return text(str(a[0])); });
    r.add(QStringLiteral("DATEDIFF"), 2, 2, [](EvalContext&, const Args& a) {
        return number((long long)date(a[0]).date().daysTo(date(a[1]).date()));
    });
    r.add(QStringLiteral("DATETOSTR"), 1, 1, [](EvalContext&, const Args& a) {
        // An empty date (a field left blank, a band printed without rows) prints as nothing.
        if (str(a[0]).trimmed().isEmpty())
            return text(QString());
        return text(date(a[0]).date().toString(QStringLiteral("dd/MM/yyyy")));
    });
    r.add(QStringLiteral("DAYSPERMONTH"), 2, 2, [](EvalContext&, const Args& a) {
        QDate d(integer(a[0]), integer(a[1]), 1);
        if (!d.isValid()) bad(QStringLiteral("No such month"));
        return number(d.daysInMonth());
    });
    r.add(QStringLiteral("DELETE"), 3, 3, [](EvalContext&, const Args& a) {
        QString s = str(a[0]);
        int index = integer(a[1]), count = integer(a[2]);
        if (index >= 1 && index <= s.size() && count > 0) s.remove(index - 1, count);
        return text(s);
    });
    r.add(QStringLiteral("ENDPOS"), 2, 2, [](EvalContext&, const Args& a) {
        return number(str(a[1]).lastIndexOf(str(a[0])) + 1);
    });
    r.add(QStringLiteral("EXTRACTWORD"), 2, 3, [](EvalContext&, const Args& a) {
        auto w = words(str(a[1]), delimiters(a, 2));
        int n = integer(a[0]);
        return text(n >= 1 && n <= w.size() ? w[n - 1].second : QString());
    });
    r.add(QStringLiteral("FIRSTDAYOFNEXTMONTH"), 1, 1, [](EvalContext&, const Args& a) {
        return dateValue(firstOfMonth(date(a[0]).date()).addMonths(1));
    });
    r.add(QStringLiteral("FIRSTDAYOFPREVMONTH"), 1, 1, [](EvalContext&, const Args& a) {
        return dateValue(firstOfMonth(date(a[0]).date()).addMonths(-1));
    });
    r.add(QStringLiteral("LASTDAYOFPREVMONTH"), 1, 1, [](EvalContext&, const Args& a) {
        return dateValue(firstOfMonth(date(a[0]).date()).addDays(-1));
    });
    r.add(QStringLiteral("INCDATE"), 4, 4, [](EvalContext&, const Args& a) {
        return dateValue(date(a[0]).addDays(days(a[1])).addMonths(months(a[2])).addYears(years(a[3])));
    });
    r.add(QStringLiteral("INCDAY"), 2, 2, [](EvalContext&, const Args& a) { return dateValue(date(a[0]).addDays(days(a[1]))); });
    r.add(QStringLiteral("INCMONTH"), 2, 2, [](EvalContext&, const Args& a) {
        return dateValue(date(a[0]).addMonths(months(a[1])));
    });
    r.add(QStringLiteral("INCYEAR"), 2, 2, [](EvalContext&, const Args& a) { return dateValue(date(a[0]).addYears(years(a[1]))); });
    r.add(QStringLiteral("INCTIME"), 5, 5, [](EvalContext&, const Args& a) {
        const int hours = inRange(a[1], -ReportLimits::MaxDays * 24, ReportLimits::MaxDays * 24, "A number of hours");
        const qint64 ms = ((qint64(hours) * 60 + integer(a[2])) * 60 + integer(a[3])) * 1000 + integer(a[4]);
        return dateValue(date(a[0]).addMSecs(ms));
    });
    r.add(QStringLiteral("INSERT"), 3, 3, [](EvalContext&, const Args& a) {
        QString s = str(a[1]);
        const QString sub = str(a[0]);
        checkReportTextLength(qint64(s.size()) + sub.size());
        int index = std::clamp(integer(a[2]), 1, int(s.size()) + 1);
        s.insert(index - 1, sub);
        return text(s);
    });
    r.add(QStringLiteral("ISLEAPYEAR"), 1, 1, [](EvalContext&, const Args& a) { return boolean(QDate::isLeapYear(integer(a[0]))); });
    r.add(QStringLiteral("ISRANGEDATE"), 3, 3, [](EvalContext&, const Args& a) {
        QDate from = date(a[0]).date(), to = date(a[1]).date(), d = date(a[2]).date();
        return boolean(d >= from && d <= to);
    });
    r.add(QStringLiteral("ISRANGENUM"), 3, 3, [](EvalContext&, const Args& a) {
        Decimal from = num(a[0]), to = num(a[1]), d = num(a[2]);
        return boolean(d >= from && d <= to);
    });
    r.add(QStringLiteral("ISWORDPRESENT"), 2, 3, [](EvalContext&, const Args& a) {
        for (const auto& w : words(str(a[1]), delimiters(a, 2)))
            if (w.second == str(a[0])) return boolean(true);
        return boolean(false);
    });
    // Cuts for printing never separate a vowel or tone mark from its consonant.
    r.add(QStringLiteral("LEFTCOPY"), 2, 2, [](EvalContext&, const Args& a) { return text(leftClusters(str(a[0]), integer(a[1]))); });
    r.add(QStringLiteral("RIGHTCOPY"), 2, 2, [](EvalContext&, const Args& a) { return text(rightClusters(str(a[0]), integer(a[1]))); });
    r.add(QStringLiteral("NPOS"), 3, 3, [](EvalContext&, const Args& a) {
        QString sub = str(a[0]), s = str(a[1]);
        int n = integer(a[2]), from = 0, found = -1;
        if (sub.isEmpty()) return number(0);
        for (int i = 0; i < n; ++i) {
            found = s.indexOf(sub, from);
            if (found < 0) break;
            from = found + 1;
        }
        return number(n >= 1 && found >= 0 ? found + 1 : 0);
    });
    r.add(QStringLiteral("PADLEFT"), 2, 3, [](EvalContext&, const Args& a) {
        return text(str(a[0]).rightJustified(width(a[1]), fillChar(a, 2)));
    });
    r.add(QStringLiteral("PADRIGHT"), 2, 3, [](EvalContext&, const Args& a) {
        return text(str(a[0]).leftJustified(width(a[1]), fillChar(a, 2)));
    });
    r.add(QStringLiteral("PADCENTER"), 2, 3, [](EvalContext&, const Args& a) {
        QString s = str(a[0]);
        const int len = width(a[1]);
        if (s.size() >= len) return text(s);
        int left = (len - s.size()) / 2;
        return text(QString(left, fillChar(a, 2)) + s + QString(len - s.size() - left, fillChar(a, 2)));
    });
    r.add(QStringLiteral("REPLACESTR"), 3, 3, [](EvalContext&, const Args& a) {
        QString s = str(a[0]);
        const QString from = str(a[1]), to = str(a[2]);
        if (from.isEmpty()) return text(s);
        checkReportTextLength(s.size() + qint64(s.count(from)) * (to.size() - from.size()));
        s.replace(from, to);
        return text(s);
    });
    r.add(QStringLiteral("REPLICATE"), 2, 2, [](EvalContext&, const Args& a) {
        const QString s = str(a[0]);
        const int times = std::max(0, integer(a[1]));
        checkReportTextLength(qint64(s.size()) * times);
        return text(s.repeated(times));
    });
    r.add(QStringLiteral("SQL"), 1, -1, [](EvalContext& ctx, const Args& a) { return ctx.sqlScalar(str(a[0]), a.mid(1)); });
    r.add(QStringLiteral("STRTODATEDEF"), 2, 2, [](EvalContext&, const Args& a) {
        QDateTime d = parseReportDate(str(a[0]));
        return d.isValid() ? dateValue(d) : dateValue(date(a[1]));
    });
    r.add(QStringLiteral("STRTOFLOAT"), 1, 1, [](EvalContext&, const Args& a) { return number(num(a[0])); });
    r.add(QStringLiteral("STRTOFLOATDEF"), 2, 2, [](EvalContext&, const Args& a) {
        Decimal d;
        return number(Decimal::parse(str(a[0]), &d) ? d : num(a[1]));
    });
    r.add(QStringLiteral("STRTOINT"), 1, 1, [](EvalContext&, const Args& a) {
        if (!validInt(str(a[0]))) bad(QStringLiteral("\"%1\" is not a whole number").arg(str(a[0])));
        return number(str(a[0]).trimmed().toLongLong());
    });
    r.add(QStringLiteral("STRTOINTDEF"), 2, 2, [](EvalContext&, const Args& a) {
        return validInt(str(a[0])) ? number(str(a[0]).trimmed().toLongLong()) : number(num(a[1]).trunc());
    });
    r.add(QStringLiteral("SWAP"), 2, 2, [](EvalContext& ctx, const Args& a) {
        ReportValue x, y;
        QString n1 = str(a[0]), n2 = str(a[1]);
        if (!ctx.lookupName(n1, &x) || !ctx.lookupName(n2, &y)) bad(QStringLiteral("SWAP needs two variable names"));
        ctx.setVariableValue(n1, y);
        ctx.setVariableValue(n2, x);
        return text(QString());
    });
    r.add(QStringLiteral("TIMETOSTR"), 1, 1, [](EvalContext&, const Args& a) {
        return text(date(a[0]).time().toString(QStringLiteral("HH:mm:ss")));
    });
    r.add(QStringLiteral("TRIMLEFT"), 1, 1, [](EvalContext&, const Args& a) {
        QString s = str(a[0]);
        int i = 0;
        while (i < s.size() && s[i].isSpace()) ++i;
        return text(s.mid(i));
    });
    r.add(QStringLiteral("TRIMRIGHT"), 1, 1, [](EvalContext&, const Args& a) {
        QString s = str(a[0]);
        int i = s.size();
        while (i > 0 && s[i - 1].isSpace()) --i;
        return text(s.left(i));
    });
    r.add(QStringLiteral("VALIDDATE"), 1, 1, [](EvalContext&, const Args& a) {
        return boolean(a[0].isDate() || parseReportDate(str(a[0])).isValid());
    });
    r.add(QStringLiteral("VALIDFLOAT"), 1, 1, [](EvalContext&, const Args& a) {
        Decimal d;
        return boolean(a[0].isNumber() || Decimal::parse(str(a[0]), &d));
    });
    r.add(QStringLiteral("VALIDINT"), 1, 1, [](EvalContext&, const Args& a) {
        return boolean(validInt(a[0].isNumber() ? a[0].n.toString() : str(a[0])));
    });
    r.add(QStringLiteral("WORDCOUNT"), 1, 2, [](EvalContext&, const Args& a) {
        return number(words(str(a[0]), delimiters(a, 1)).size());
    });
    r.add(QStringLiteral("WORDPOSITION"), 2, 3, [](EvalContext&, const Args& a) {
        auto w = words(str(a[1]), delimiters(a, 2));
        int n = integer(a[0]);
        return number(n >= 1 && n <= w.size() ? w[n - 1].first : 0);
    });
}
