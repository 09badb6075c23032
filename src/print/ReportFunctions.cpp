#include "print/ReportFunctions.h"

#include "data/TDM.h"
#include "print/AmountWords.h"

#include <QHash>
#include <cmath>
#include <functional>

namespace {

// A real number out of an evaluated argument; texts are read with a point as decimal mark.
double realArg(const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        return d;
    const double t = v.toString().trimmed().toDouble(&ok);
    return ok ? t : 0.0;
}

// A whole number out of an evaluated argument (a real one is rounded).
int intArg(const QVariant& v)
{
    const double d = realArg(v);
    if (!std::isfinite(d) || std::fabs(d) > 2147483647.0)
        return 0;
    return int(std::lround(d));
}

struct Function {
    int arguments;
    std::function<QString(const QVariantList&)> call;
};

const QHash<QString, Function>& table()
{
    static const QHash<QString, Function> t = {
        {QStringLiteral("TELL_REAL_THAI"),
         {2, [](const QVariantList& a) { return ThaiBahtText(realArg(a[0]), intArg(a[1])); }}},
        {QStringLiteral("TELL_REAL_THAI2"),
         {2, [](const QVariantList& a) { return ThaiDecimalText(realArg(a[0]), intArg(a[1])); }}},
        {QStringLiteral("TELL_REAL_ENG"),
         {2, [](const QVariantList& a) { return EnglishBahtText(realArg(a[0]), intArg(a[1])); }}},
        {QStringLiteral("TELL_REAL_ENG2"),
         {2, [](const QVariantList& a) { return EnglishDecimalText(realArg(a[0]), intArg(a[1])); }}},
        {QStringLiteral("ONHANDQUANTITY"),
         {2, [](const QVariantList& a) { return DM->UnitQtyText(intArg(a[1]), realArg(a[0])); }}},
        {QStringLiteral("ONHANDQUANTITYLSUNIT"),
         {3, [](const QVariantList& a) {
              return DM->UnitQtyPart(intArg(a[1]), intArg(a[2]), realArg(a[0]));
          }}},
        {QStringLiteral("FRACSMALLBYSTOCK"),
         {2, [](const QVariantList& a) { return DM->UnitFractionText(intArg(a[1]), realArg(a[0])); }}},
    };
    return t;
}

} // namespace

QStringList reportUserFunctionNames()
{
    return {QStringLiteral("TELL_REAL_THAI"),   QStringLiteral("TELL_REAL_THAI2"),
            QStringLiteral("TELL_REAL_ENG"),    QStringLiteral("TELL_REAL_ENG2"),
            QStringLiteral("ONHANDQUANTITY"),   QStringLiteral("ONHANDQUANTITYLSUNIT"),
            QStringLiteral("FRACSMALLBYSTOCK")};
}

bool isReportUserFunction(const QString& name)
{
    return table().contains(name.trimmed().toUpper());
}

bool callReportUserFunction(const QString& name, const QVariantList& args, QVariant& result)
{
    const auto it = table().constFind(name.trimmed().toUpper());
    if (it == table().constEnd())
        return false;
    if (args.size() < it->arguments) {
        result = QStringLiteral("ERROR");
        return true;
    }
    result = it->call(args);
    return true;
}
