#include "data/Numbering.h"

#include "data/CachedDataSet.h"
#include "data/DbCatalog.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/SaveSteps.h"
#include "data/ServerProcs.h"
#include "data/Session.h"
#include "data/TDM.h"

#include <QSqlQuery>
#include <QUuid>
#include <QVariantMap>

DocNumberKey DocNumberKeyOf(const QString& table)
{
    static const DocNumberKey keys[] = {
        {QStringLiteral("ImHd"), QStringLiteral("ImNo"), QString()},
        {QStringLiteral("MrHd"), QStringLiteral("MrNo"), QStringLiteral("MrType")},
        {QStringLiteral("PcHd"), QStringLiteral("PcNo"), QStringLiteral("PcType")},
        {QStringLiteral("PoHd"), QStringLiteral("PoNo"), QStringLiteral("PoType")},
        {QStringLiteral("FrPoHd"), QStringLiteral("PoNo"), QStringLiteral("PoType")},
    };
    for (const DocNumberKey& k : keys)
        if (k.table.compare(table.trimmed(), Qt::CaseInsensitive) == 0)
            return k;
    return {};
}

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

Noticed<int> TDM::GetDocLength(const QString& docCode)
{
    const QVariant runYearValue = Config(QStringLiteral("RunYear"));
    const int runYear = runYearValue.toInt();
    const QVariantMap params{{QStringLiteral("GetCode"), docCode}, {QStringLiteral("GetYear"), runYear}};

    // A converted code borrows the width of the row that really serves it; its numbering
    // mode is left as the previous lookup set it.
    QSqlQuery conv = Db::exec(DMdata(), QLatin1String(kQDocConvert), params);
    if (conv.next())
        return {conv.value(QStringLiteral("DocumentLength")).toInt(), {}};

    QSqlQuery doc = Db::exec(DMdata(), QLatin1String(kQDocumentNo), params);
    if (!doc.next()) {
        AutoRun = false;
        return {0, tr("ไม่พบรหัสเอกสาร ") + docCode + QLatin1Char('\r') + tr("ปี ") + runYearValue.toString().trimmed()};
    }
    AutoRun = doc.value(QStringLiteral("AutoRun")).toString() == QLatin1String("Y");
    return {doc.value(QStringLiteral("DocumentLength")).toInt(), {}};
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

// The table an update object inserts into: the word after "insert into".
QString insertTable(const QString& insertSql)
{
    const QStringList words = insertSql.simplified().split(QLatin1Char(' '));
    if (words.size() < 3 || words[0].compare(QLatin1String("insert"), Qt::CaseInsensitive) != 0)
        return {};
    QString t = words[2];
    const int paren = t.indexOf(QLatin1Char('('));
    return paren >= 0 ? t.left(paren) : t;
}

QVariant kindOf(const CachedDataSet& header, const DocNumberKey& key)
{
    return key.kindColumn.isEmpty() || !header.hasField(key.kindColumn) ? QVariant() : header.FieldByName(key.kindColumn);
}

// Writes the header and logs it; a new header's Id comes from its own insert. A number
// already in use is refused before anything is written; a stand-in is logged when the number
// replaces it.
int postHeader(TDM& dm, CachedDataSet& header, const QString& newNumber, bool isNew, const QString& numberColumn)
{
    QString number;
    if (isNew) {
        number = newNumber;
        const DocNumberKey key = DocNumberKeyOf(insertTable(header.insertSQL()));
        const bool standIn = TDM::IsProvisionalDocNo(number);
        if (key.isValid() && !standIn)
            dm.CheckDocNoFree(key.table, number, kindOf(header, key));
        header.SetField(numberColumn, number);
        if (header.state() != CachedDataSet::State::Browse)
            header.Post();
        if (!standIn) {
            SaveSteps::report(SaveSteps::Step::Log);
            dm.AddUserLog(1, 0, number);
        }
    } else {
        if (header.state() != CachedDataSet::State::Browse)
            header.Post();
        number = header.AsString(numberColumn);
        SaveSteps::report(SaveSteps::Step::Log);
        dm.AddUserLog(2, header.AsInteger(header.keyField()), number);
    }

    SaveSteps::report(SaveSteps::Step::Header);
    dm.ApplyDocumentHeader(header, number);
    const int id = isNew ? header.InsertedId() : header.AsInteger(header.keyField());
    if (id <= 0)
        throw NkError(QStringLiteral("Impossible Error IvNo !!!!"));
    return id;
}

bool currentRowIsNew(const CachedDataSet& header)
{
    return header.state() == CachedDataSet::State::Insert
           || (header.RecNo() >= 0 && header.rowState(header.RecNo()) == CachedDataSet::RowState::Inserted);
}

} // namespace

void TDM::RollbackDocument(CachedDataSet& header, const QString& numberColumn, bool numberDrawn)
{
    Rollback();
    if (numberDrawn && header.Active() && header.RecNo() >= 0) {
        header.SetField(numberColumn, QString());
        header.Post();
    }
}

int TDM::PostNewDocNo(CachedDataSet& header, const QDateTime& docDate, const QString& docCode,
                      const QString& numberColumn, const QString& paramName)
{
    const bool isNew = currentRowIsNew(header);
    Q_UNUSED(docDate);   // the number is drawn by FinishNewDocument
    Q_UNUSED(docCode);
    Q_UNUSED(paramName); // the Id comes from the insert, not from a read-back by number
    return postHeader(*this, header, isNew ? ProvisionalDocNo() : QString(), isNew, numberColumn);
}

// ---- numbering at the end of the save --------------------------------------------------

namespace {
const QLatin1String kStandInMark("#NK#");
} // namespace

QString TDM::ProvisionalDocNo()
{
    // Longer than any number a document code gives or a user can type (typed numbers are cut
    // to the code's width), and unique to this save.
    m_standIn = kStandInMark + QUuid::createUuid().toString(QUuid::Id128);
    return m_standIn;
}

bool TDM::IsProvisionalDocNo(const QString& number)
{
    return number.size() == 36 && number.startsWith(kStandInMark);
}

QString TDM::FinishNewDocument(CachedDataSet& header, const QString& numberColumn, int id, const QString& docCode,
                               const QDateTime& docDate)
{
    const QString standIn = header.AsString(numberColumn);
    if (!IsProvisionalDocNo(standIn))
        return standIn;
    SaveSteps::report(SaveSteps::Step::Number);
    const QString table = insertTable(header.insertSQL());
    const DocNumberKey key = DocNumberKeyOf(table);
    // The number replaces the stand-in unless the number is in use (typed by hand before the
    // code numbered itself): then the next one is drawn. The check is part of the update.
    QString sql = QStringLiteral("UPDATE %1 SET %2 = :number WHERE %3 = :id").arg(table, numberColumn, header.keyField());
    QVariantMap p{{QStringLiteral("id"), id}};
    if (key.isValid()) {
        sql += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM %1 WHERE %2 = :taken").arg(key.table, key.numberColumn);
        if (!key.kindColumn.isEmpty()) {
            sql += QStringLiteral(" AND coalesce(%1,'') = :kind").arg(key.kindColumn);
            p.insert(QStringLiteral("kind"), kindOf(header, key).toString());
        }
        sql += QLatin1Char(')');
    }
    sql += QStringLiteral(" RETURNING ") + header.keyField();
    constexpr int MaxSkipped = 1000;
    QString number;
    for (int i = 0;; ++i) {
        if (i > MaxSkipped)
            throw DocNoTakenError(number);
        number = NewDocNo(docCode, docDate);
        p.insert(QStringLiteral("number"), number);
        p.insert(QStringLiteral("taken"), number);
        try {
            if (Db::execKept(DMdata(), sql, p))
                break;
        } catch (const NkError& e) {
            // Another workstation stored the number meanwhile, by hand.
            if (e.kind() == NkError::Kind::Duplicate)
                throw DocNoTakenError(number, e.message());
            throw;
        }
    }
    header.assign(header.RecNo(), numberColumn, number);
    ServerProcs::RenumberVoucher(DMdata(), id, standIn, number);
    m_standIn.clear();
    SaveSteps::report(SaveSteps::Step::Log);
    AddUserLog(1, 0, number);
    return number;
}

int TDM::PostDocNo(CachedDataSet& header, const QString& number, const QString& /*docCode*/,
                   const QString& numberColumn, const QString& paramName)
{
    Q_UNUSED(paramName);
    return postHeader(*this, header, number, currentRowIsNew(header), numberColumn);
}

// ---- unique numbers ------------------------------------------------------------------------

bool TDM::DocNoTaken(const QString& table, const QString& number, const QVariant& kind)
{
    const DocNumberKey key = DocNumberKeyOf(table);
    if (!key.isValid())
        return false;
    QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE (%2 = :GetNo)").arg(key.table, key.numberColumn);
    QVariantMap p{{QStringLiteral("GetNo"), number}};
    if (!key.kindColumn.isEmpty()) {
        sql += QStringLiteral(" And (coalesce(%1,'') = :GetKind)").arg(key.kindColumn);
        p.insert(QStringLiteral("GetKind"), kind.toString());
    }
    return Db::scalar(DMdata(), sql, p).toInt() > 0;
}

void TDM::CheckDocNoFree(const QString& table, const QString& number, const QVariant& kind)
{
    if (DocNoTaken(table, number, kind))
        throw DocNoTakenError(number);
}

QString TDM::NewFreeDocNo(const QString& docCode, const QDateTime& docDate, const QString& table, const QVariant& kind)
{
    // Numbers the server hands out are never handed out twice, but a user may have typed one
    // by hand before the code was switched to automatic numbering. Those are passed over; the
    // counter moves on with them when the save commits.
    constexpr int MaxSkipped = 1000;
    QString number;
    for (int i = 0; i <= MaxSkipped; ++i) {
        number = NewDocNo(docCode, docDate);
        if (!DocNoTaken(table, number, kind))
            return number;
    }
    throw DocNoTakenError(number);
}

void TDM::ApplyDocumentHeader(CachedDataSet& header, const QString& number)
{
    const bool isNew = header.RecNo() >= 0 && header.rowState(header.RecNo()) == CachedDataSet::RowState::Inserted;
    try {
        header.ApplyUpdates();
    } catch (const NkError& e) {
        if (e.kind() == NkError::Kind::Duplicate)
            throw DocNoTakenError(number, e.message());
        throw;
    }
    const QString table = insertTable(header.insertSQL());
    if (isNew && hasSaveKey(table))
        Db::execKept(DMdata(), QStringLiteral("UPDATE %1 SET SaveKey = :key WHERE %2 = :id").arg(table, header.keyField()),
                     {{QStringLiteral("key"), header.InsertKey()}, {QStringLiteral("id"), header.InsertedId()}});
}

bool TDM::hasSaveKey(const QString& table)
{
    if (table.isEmpty() || !DocNumberKeyOf(table).isValid())
        return false;
    const QString name = table.toLower();
    auto it = m_saveKeyColumns.constFind(name);
    if (it == m_saveKeyColumns.cend())
        it = m_saveKeyColumns.insert(name, DbCatalog::hasColumn(DMdata(), table, QStringLiteral("SaveKey")));
    return *it;
}

std::optional<TDM::EarlierSave> TDM::FindEarlierSave(CachedDataSet& header, const QString& numberColumn)
{
    if (!currentRowIsNew(header))
        return std::nullopt;
    const QString table = insertTable(header.insertSQL());
    if (!hasSaveKey(table))
        return std::nullopt;
    // The document's first try: nothing can be stored under a key made just now.
    bool firstTry = false;
    const QString key = header.InsertKey(-1, &firstTry);
    if (firstTry)
        return std::nullopt;
    QSqlRecord stored;
    if (!Db::readFirst(DMdata(), QStringLiteral("SELECT %1, %2 FROM %3 WHERE SaveKey = :key").arg(header.keyField(), numberColumn, table),
                       {{QStringLiteral("key"), key}}, stored))
        return std::nullopt;
    const EarlierSave found{stored.value(0).toInt(), stored.value(1).toString().trimmed()};
    SavedEarlier(found.number);
    return found;
}

void TDM::SavedEarlier(const QString& number)
{
    Rollback();
    emit documentSaved(number.trimmed());
}

NkError TDM::DocNoTakenError(const QString& number, const QString& technical)
{
    const QString text = DocNoTakenText(number) + QLatin1Char('\n') + NothingSavedText();
    return NkError(technical.isEmpty() ? text : technical, NkError::Kind::Duplicate, text);
}

QString TDM::DocNoTakenText(const QString& number)
{
    return tr("เลขที่เอกสาร %1 มีอยู่แล้ว กรุณาใช้เลขที่อื่น").arg(number.trimmed());
}

QString TDM::NothingSavedText()
{
    return tr("ยังไม่ได้บันทึกข้อมูล");
}
