#include "data/Numbering.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"

#include <QSqlQuery>
#include <QVariantMap>

QString PadLeft(const QString& text, int length, QChar fill)
{
    if (length <= 0)
        return {};
    const QString t = text.trimmed();
    if (t.size() >= length)
        return t.left(length);
    return QString(length - t.size(), fill) + t;
}

int YearOfDate(const QDate& date)
{
    return date.isValid() ? date.year() : 0;
}

int YearOfDate(const QDateTime& date)
{
    return YearOfDate(date.date());
}

int MonthOfDate(const QDate& date)
{
    return date.isValid() ? date.month() : 0;
}

int MonthOfDate(const QDateTime& date)
{
    return MonthOfDate(date.date());
}

QString TrimLeadingSpaces(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return text.mid(i);
}

QString MonthlyDocCode(const QString& docCode, int month, bool monthlyInvoices, bool monthlyReceipts)
{
    const QString mm = PadLeft(QString::number(month), 2, QLatin1Char('0'));
    if (monthlyInvoices && docCode.left(4) == QLatin1String("IV-P"))
        return QStringLiteral("IV-P") + mm;
    if (monthlyInvoices && docCode.left(4) == QLatin1String("SO-P"))
        return QStringLiteral("SO-P") + mm;
    if (monthlyReceipts && docCode.left(6) == QLatin1String("ARRCPT"))
        return QStringLiteral("ARRCPT-") + mm;
    return docCode;
}

namespace {

const char* const kQDocConvert =
    "SELECT D.Id, D.Code, D.Description, D.Prefix, D.LastNo, D.DocumentLength, D.AutoRun, D.DocType "
    "FROM DocNoConvert V Inner Join DocumentNo D On (V.DocumentNo = D.Id) "
    "WHERE (V.Code = :GetCode) And (V.DocYear=:GetYear)";

const char* const kQDocumentNo =
    "SELECT D.Code, D.Description, D.Prefix, D.LastNo, D.DocumentLength, D.AutoRun "
    "FROM DocumentNo D WHERE (D.Code = :GetCode) And (DocYear=:GetYear)";

} // namespace

int TDM::GetDocLength(const QString& docCode)
{
    const QVariant runYearValue = Config(QStringLiteral("RunYear"));
    const int runYear = runYearValue.toInt();
    const QVariantMap params{{QStringLiteral("GetCode"), docCode}, {QStringLiteral("GetYear"), runYear}};

    // A converted code borrows the width of the row that really serves it; its numbering
    // mode is left as the previous lookup set it.
    QSqlQuery conv = Db::exec(DMdata(), QLatin1String(kQDocConvert), params);
    if (conv.next())
        return conv.value(QStringLiteral("DocumentLength")).toInt();

    QSqlQuery doc = Db::exec(DMdata(), QLatin1String(kQDocumentNo), params);
    if (!doc.next()) {
        MessageService::information(QStringLiteral("ไม่พบรหัสเอกสาร ") + docCode + QLatin1Char('\r')
                                    + QStringLiteral("ปี ") + runYearValue.toString().trimmed());
        AutoRun = false;
        return 0;
    }
    AutoRun = doc.value(QStringLiteral("AutoRun")).toString() == QLatin1String("Y");
    return doc.value(QStringLiteral("DocumentLength")).toInt();
}

QString TDM::NewDocNo(const QString& docCode, const QDateTime& docDate)
{
    const bool monthlyInvoices = ConfigText(QStringLiteral("LastIvRunMonth")) == QLatin1String("Y");
    const bool monthlyReceipts = HasConfigColumn(QStringLiteral("LastRcptRunMonth"))
                                 && ConfigText(QStringLiteral("LastRcptRunMonth")) == QLatin1String("Y");
    const QString code = MonthlyDocCode(docCode, MonthOfDate(docDate), monthlyInvoices, monthlyReceipts);
    // The year of the document itself, not Config.RunYear: a January document of the new
    // year draws from the new year's series while RunYear still names the old one.
    return ServerProcs::NewDocumentNo(DMdata(), code, YearOfDate(docDate));
}

namespace {

// Writes the header, logs it and reads the written row back by its number.
int postHeader(TDM& dm, CachedDataSet& header, const QString& newNumber, bool isNew,
               const QString& numberColumn, const QString& paramName)
{
    QString number;
    if (isNew) {
        number = newNumber;
        header.SetField(numberColumn, number);
        if (header.state() != CachedDataSet::State::Browse)
            header.Post();
        dm.AddUserLog(1, 0, number);
    } else {
        if (header.state() != CachedDataSet::State::Browse)
            header.Post();
        number = header.AsString(numberColumn);
        dm.AddUserLog(2, header.AsInteger(QStringLiteral("Id")), number);
    }

    header.ApplyUpdates();

    // QPostId: the header's own statement with the same parameters, except the one that
    // selects by number, which gets the number just written.
    QVariantMap params;
    const QString wanted = paramName.toUpper();
    for (const QString& name : header.paramNames())
        params.insert(name, name.toUpper() == wanted ? QVariant(number) : header.param(name));
    QSqlQuery q = Db::exec(dm.DMdata(), header.SQL(), params);
    if (!q.next()) {
        MessageService::information(QStringLiteral("Impossible Error IvNo !!!!"));
        return -1;
    }
    return q.value(QStringLiteral("Id")).toInt();
}

bool currentRowIsNew(const CachedDataSet& header)
{
    return header.state() == CachedDataSet::State::Insert
           || (header.RecNo() >= 0 && header.rowState(header.RecNo()) == CachedDataSet::RowState::Inserted);
}

} // namespace

int TDM::PostNewDocNo(CachedDataSet& header, const QDateTime& docDate, const QString& docCode,
                      const QString& numberColumn, const QString& paramName)
{
    const bool isNew = currentRowIsNew(header);
    const QString number = isNew ? NewDocNo(docCode, docDate) : QString();
    return postHeader(*this, header, number, isNew, numberColumn, paramName);
}

int TDM::PostDocNo(CachedDataSet& header, const QString& number, const QString& /*docCode*/,
                   const QString& numberColumn, const QString& paramName)
{
    return postHeader(*this, header, number, currentRowIsNew(header), numberColumn, paramName);
}
