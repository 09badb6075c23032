#include "data/ServerProcs.h"

#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <cmath>
#include <utility>
#include <vector>

namespace {

const char* const kDateFormat = "yyyy-MM-dd HH:mm:ss";

std::function<void(const QString&)>& failureHook()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

QHash<QString, ServerProcs::PrepareProc>& prepareRegistry()
{
    static QHash<QString, ServerProcs::PrepareProc> registry;
    return registry;
}

// The server compares procedure names without regard to case and accepts an owner prefix.
QString procKey(const QString& name)
{
    QString key = name.trimmed().toLower();
    if (key.startsWith(QLatin1String("dbo.")))
        key = key.mid(4);
    return key;
}

void beforeCompanyProc(const QString& procName)
{
    if (const auto& hook = failureHook())
        hook(procName);
}

// Runs one statement with named parameters; a failure becomes an NkError with the driver's
// text and the procedure's name.
QSqlQuery run(const QSqlDatabase& db, const QString& proc, const QString& sql,
              const std::vector<std::pair<QString, QVariant>>& binds = {})
{
    QSqlQuery q(db);
    if (!q.prepare(Db::dialectSql(db, sql)))
        throw Db::sqlError(q.lastError(), proc + QStringLiteral(": ") + sql);
    for (const auto& [name, value] : binds)
        q.bindValue(name, Db::toDbValue(value));
    if (!q.exec())
        throw Db::sqlError(q.lastError(), proc + QStringLiteral(": ") + sql);
    return q;
}

// The statements of a save, run at every save: kept prepared (on a server one round trip
// each). `first` receives the first row, if any; a failure names the procedure.
bool runKept(const QSqlDatabase& db, const QString& proc, const QString& sql, const QVariantMap& params = {},
             QSqlRecord* first = nullptr)
{
    try {
        return Db::execKept(db, sql, params, first);
    } catch (const NkError& e) {
        throw NkError(proc + QStringLiteral(": ") + e.message(), e.kind(), e.userText());
    }
}

QString nowText(const QSqlDatabase& db, const QString& proc)
{
    QSqlQuery q = run(db, proc, QStringLiteral("SELECT ") + Db::nowSql(db));
    if (!q.next())
        throw NkError(QStringLiteral("%1: no server time").arg(proc));
    return Db::rowValues(q).value(0).toString();
}

// Money of the vouchers: baht and satang, halves away from zero.
double round2(double v)
{
    const double scaled = v * 100.0;
    const double r = std::round(scaled + (scaled >= 0 ? 1e-7 : -1e-7));
    return r / 100.0;
}

struct GlLine {
    QString account;
    QString description;
    double debit = 0;
    double credit = 0;
};

struct GlVoucher {
    QString docType;   // IM, MR, PC
    QString docNo;     // as stored in the document
    QString docDate;
    QString description;
    std::vector<GlLine> lines;
};

QString configAccount(const QSqlRecord& config, const QString& column)
{
    const QString account = config.value(column).toString().trimmed();
    if (account.isEmpty())
        throw NkError(QStringLiteral("ยังไม่ได้กำหนดรหัสบัญชี %1 ในตาราง Config (GL account %1 is not set)").arg(column));
    return account;
}

QSqlRecord readConfig(const QSqlDatabase& db, const QString& proc)
{
    QSqlRecord r;
    if (!runKept(db, proc,
                 QStringLiteral("SELECT GLImportAccount, GLFrCreditorAccount, GLExpenseAccount, GLVatAccount, "
                                "GLCreditorAccount, GLCashAccount FROM Config ORDER BY Id LIMIT 1"),
                 {}, &r))
        throw NkError(QStringLiteral("%1: ไม่พบข้อมูลในตาราง Config (no Config row)").arg(proc));
    return r;
}

QSqlRecord readHeader(const QSqlDatabase& db, const QString& proc, const QString& sql, int docId)
{
    QSqlRecord r;
    if (!runKept(db, proc, sql, {{QStringLiteral("id"), docId}}, &r))
        throw NkError(QStringLiteral("%1: ไม่พบเอกสาร Id %2 (document not found)").arg(proc).arg(docId));
    return r;
}

GlVoucher importVoucher(const QSqlDatabase& db, const QString& proc, int docId)
{
    const QSqlRecord cfg = readConfig(db, proc);
    const QSqlRecord h = readHeader(
        db, proc,
        QStringLiteral("SELECT H.ImNo, H.ImDate, H.Total, H.ExchangeRate, V.Name, "
                       "(SELECT COALESCE(SUM(T.Total), 0) FROM ImDuty T WHERE T.ImHd = H.ID) AS Duty "
                       "FROM ImHd H LEFT JOIN FrVendor V ON (V.Id = H.FrVendor) WHERE H.ID = :id"),
        docId);
    GlVoucher v;
    v.docType = QStringLiteral("IM");
    v.docNo = h.value(QStringLiteral("ImNo")).toString();
    v.docDate = h.value(QStringLiteral("ImDate")).toString();
    v.description = QStringLiteral("นำเข้าสินค้า %1 %2").arg(v.docNo.trimmed(), h.value(QStringLiteral("Name")).toString().trimmed()).trimmed();
    const double baht = round2(h.value(QStringLiteral("Total")).toDouble() * h.value(QStringLiteral("ExchangeRate")).toDouble());
    const double duty = round2(h.value(QStringLiteral("Duty")).toDouble());
    v.lines.push_back({configAccount(cfg, QStringLiteral("GLImportAccount")), QStringLiteral("สินค้านำเข้า"), baht + duty, 0});
    v.lines.push_back({configAccount(cfg, QStringLiteral("GLFrCreditorAccount")), QStringLiteral("เจ้าหนี้ต่างประเทศ"), 0, baht});
    v.lines.push_back({configAccount(cfg, QStringLiteral("GLCashAccount")), QStringLiteral("อากรขาเข้า"), 0, duty});
    return v;
}

// A vendor bill: the net amount to the expense account, reclaimable tax to the tax account,
// the total to the creditor (credit bill) or to cash (cash bill). Tax that cannot be reclaimed
// stays in the expense.
GlVoucher billVoucher(const QSqlDatabase& db, const QString& proc, int docId, bool cash)
{
    const QSqlRecord cfg = readConfig(db, proc);
    const QString sql = cash
        ? QStringLiteral("SELECT H.PcNo AS DocNo, H.PcDate AS DocDate, H.Total, H.TaxTotal, H.CanUseTax, V.Name "
                         "FROM PcHd H LEFT JOIN Vendor V ON (V.Id = H.Vendor) WHERE H.ID = :id")
        : QStringLiteral("SELECT H.MrNo AS DocNo, H.MrDate AS DocDate, H.Total, H.TaxTotal, H.CanUseTax, V.Name "
                         "FROM MrHd H LEFT JOIN Vendor V ON (V.Id = H.Vendor) WHERE H.ID = :id");
    const QSqlRecord h = readHeader(db, proc, sql, docId);
    GlVoucher v;
    v.docType = cash ? QStringLiteral("PC") : QStringLiteral("MR");
    v.docNo = h.value(QStringLiteral("DocNo")).toString();
    v.docDate = h.value(QStringLiteral("DocDate")).toString();
    v.description = QStringLiteral("ค่าใช้จ่ายนำเข้า %1 %2").arg(v.docNo.trimmed(), h.value(QStringLiteral("Name")).toString().trimmed()).trimmed();
    const double total = round2(h.value(QStringLiteral("Total")).toDouble());
    const bool reclaim = h.value(QStringLiteral("CanUseTax")).toString() == QLatin1String("Y");
    const double vat = reclaim ? round2(h.value(QStringLiteral("TaxTotal")).toDouble()) : 0.0;
    const double expense = round2(total - vat);
    v.lines.push_back({configAccount(cfg, QStringLiteral("GLExpenseAccount")), QStringLiteral("ค่าใช้จ่ายในการนำเข้า"), expense, 0});
    if (reclaim)
        v.lines.push_back({configAccount(cfg, QStringLiteral("GLVatAccount")), QStringLiteral("ภาษีซื้อ"), vat, 0});
    const QString creditAccount = configAccount(cfg, cash ? QStringLiteral("GLCashAccount") : QStringLiteral("GLCreditorAccount"));
    v.lines.push_back({creditAccount, cash ? QStringLiteral("จ่ายเงินสด") : QStringLiteral("เจ้าหนี้การค้า"), 0, expense + vat});
    return v;
}

// The document number the last voucher of this process was written under.
QString& lastVoucherNumber()
{
    static QString number;
    return number;
}

void writeVoucher(const QSqlDatabase& db, const QString& proc, int docId, int userId, const GlVoucher& v, bool newDocument)
{
    lastVoucherNumber() = v.docNo;
    // Saving a document again replaces its voucher instead of adding a second one.
    if (!newDocument) {
        const QVariantMap key{{QStringLiteral("id"), docId}, {QStringLiteral("type"), v.docType}};
        runKept(db, proc,
                QStringLiteral("DELETE FROM gldt WHERE glhd IN (SELECT id FROM glhd WHERE glfromdocid = :id AND glfromdoctype = :type)"),
                key);
        runKept(db, proc, QStringLiteral("DELETE FROM glhd WHERE glfromdocid = :id AND glfromdoctype = :type"), key);
    }

    double debit = 0, credit = 0;
    for (const GlLine& l : v.lines) {
        debit += l.debit;
        credit += l.credit;
    }
    QSqlRecord h;
    if (!runKept(db, proc,
                 QStringLiteral("INSERT INTO glhd (gldocno, gldate, gldesc, glfromdoctype, glfromdocid, glfromdocno, "
                                "totaldebit, totalcredit, posted, userid, createdate) VALUES (:gldocno, :gldate, :gldesc, "
                                ":type, :id, :docno, :debit, :credit, 'N', :userid, ")
                     + Db::nowSql(db) + QStringLiteral(") RETURNING id"),
                 {{QStringLiteral("gldocno"), v.docNo.trimmed()},
                  {QStringLiteral("gldate"), v.docDate},
                  {QStringLiteral("gldesc"), v.description},
                  {QStringLiteral("type"), v.docType},
                  {QStringLiteral("id"), docId},
                  {QStringLiteral("docno"), v.docNo},
                  {QStringLiteral("debit"), round2(debit)},
                  {QStringLiteral("credit"), round2(credit)},
                  {QStringLiteral("userid"), userId}},
                 &h))
        throw NkError(QStringLiteral("%1: voucher header Id not returned").arg(proc));
    // Every line in one statement (a voucher has two or three): one round trip.
    QString sql = QStringLiteral("INSERT INTO gldt (glhd, glrecno, account, description, debit, credit) VALUES ");
    QVariantMap values{{QStringLiteral("glhd"), h.value(0)}};
    int recNo = 0;
    for (const GlLine& l : v.lines) {
        if (l.debit == 0 && l.credit == 0)
            continue;
        const QString n = QString::number(++recNo);
        if (recNo > 1)
            sql += QStringLiteral(", ");
        sql += QStringLiteral("(:glhd, %1, :account%1, :desc%1, :debit%1, :credit%1)").arg(n);
        values.insert(QStringLiteral("account") + n, l.account);
        values.insert(QStringLiteral("desc") + n, l.description);
        values.insert(QStringLiteral("debit") + n, l.debit);
        values.insert(QStringLiteral("credit") + n, l.credit);
    }
    if (recNo > 0)
        runKept(db, proc, sql, values);
}

} // namespace

namespace ServerProcs {

QString NewDocumentNo(const QSqlDatabase& db, const QString& docCode, int docYear)
{
    const QString proc = QStringLiteral("NewDocumentNo");
    beforeCompanyProc(proc);
    const QString code = docCode.trimmed();
    const QString notFound = QStringLiteral("ไม่พบรหัสเอกสาร %1 ปี %2").arg(code).arg(docYear);

    // One statement finds the counter (a converted code is served by the DocumentNo row the
    // conversion names), increments it and reads it back, so the number is taken atomically
    // even when the caller has no transaction; inside BEGIN IMMEDIATE savers queue anyway. On
    // a server the update locks the counter's row until the saving transaction ends: a second
    // saver of the code waits (with the wait shown) and counts on from the committed value.
    // Saves draw their number last (TDM::FinishNewDocument), so the row is held briefly.
    const QString counter = QStringLiteral(
        "UPDATE DocumentNo SET LastNo = COALESCE(LastNo, 0) + 1 WHERE Id = %1 RETURNING Prefix, LastNo, DocumentLength");
    const QString row = QStringLiteral("COALESCE((SELECT DocumentNo FROM DocNoConvert WHERE Code = :code AND DocYear = "
                                       ":year), (SELECT Id FROM DocumentNo WHERE Code = :code2 AND DocYear = :year2))");
    const QVariantMap key{{QStringLiteral("code"), code},
                          {QStringLiteral("year"), docYear},
                          {QStringLiteral("code2"), code},
                          {QStringLiteral("year2"), docYear}};
    QSqlRecord r;
    auto draw = [&](const QString& which) { return runKept(db, proc, counter.arg(which), key, &r); };
    // On a server, first without waiting: a counter another saver holds gives no row here
    // (and leaves the transaction as it was); only then the waiting update.
    bool found = Db::backendOf(db) == Db::Backend::PostgreSQL
                 && draw(QStringLiteral("(SELECT Id FROM DocumentNo WHERE Id = %1 FOR UPDATE SKIP LOCKED)").arg(row));
    if (!found)
        Db::runWaitingForLocks(db, [&] { found = draw(row); });
    if (!found)
        throw NkError(notFound);

    const QString prefix = r.value(0).toString().trimmed();
    const qlonglong lastNo = r.value(1).toLongLong();
    const int length = r.value(2).toInt();
    const int digits = std::max(1, length - int(prefix.size()));
    const QString running = QString::number(lastNo).rightJustified(digits, QLatin1Char('0'));
    const QString number = prefix + running;
    if (length > 0 && number.size() > length)
        throw NkError(QStringLiteral("เลขที่เอกสาร %1 ปี %2 เกินความยาว %3 ตัวอักษร (document numbers of this code are used up)")
                          .arg(code)
                          .arg(docYear)
                          .arg(length));
    return number;
}

void UserAddLog(const QSqlDatabase& db, int userId, int menuId, int functionListId, int documentId, const QString& remark)
{
    const QString proc = QStringLiteral("UserAddLog");
    beforeCompanyProc(proc);
    // The server's clock inside the statement, kept prepared: one round trip, as the log of a
    // new document is written while the counter of its code is held.
    runKept(db, proc,
            QStringLiteral("INSERT INTO UserLog (LogDate, UserId, MenuId, FunctionListId, DocumentId, Remark) VALUES (")
                + Db::nowSql(db) + QStringLiteral(", :userid, :menuid, :functionlistid, :documentid, :remark)"),
            {{QStringLiteral("userid"), userId},
             {QStringLiteral("menuid"), menuId},
             {QStringLiteral("functionlistid"), functionListId},
             {QStringLiteral("documentid"), documentId},
             {QStringLiteral("remark"), remark}});
}

QDateTime ServerTime(const QSqlDatabase& db)
{
    const QString proc = QStringLiteral("ServerTime");
    beforeCompanyProc(proc);
    const QDateTime t = QDateTime::fromString(nowText(db, proc), QLatin1String(kDateFormat));
    if (!t.isValid())
        throw NkError(QStringLiteral("ServerTime: unreadable server time"));
    return t;
}

void GenerateGL(const QSqlDatabase& db, const QString& procName, int docId, int userId, bool newDocument)
{
    const QString proc = procName.trimmed();
    beforeCompanyProc(proc);
    const QString key = procKey(proc);
    GlVoucher v;
    if (key == QLatin1String("gl_imhd"))
        v = importVoucher(db, proc, docId);
    else if (key == QLatin1String("gl_mrhd"))
        v = billVoucher(db, proc, docId, false);
    else if (key == QLatin1String("gl_pchd"))
        v = billVoucher(db, proc, docId, true);
    else
        throw NkError(QStringLiteral("ไม่พบโปรแกรมบันทึกบัญชี %1 (unknown GL procedure)").arg(proc));
    writeVoucher(db, proc, docId, userId, v, newDocument);
}

void RenumberVoucher(const QSqlDatabase& db, int docId, const QString& standIn, const QString& number)
{
    if (standIn.isEmpty() || lastVoucherNumber() != standIn)
        return;
    runKept(db, QStringLiteral("RenumberVoucher"),
            QStringLiteral("UPDATE glhd SET gldocno = :trimmed, glfromdocno = :number, gldesc = replace(gldesc, "
                           ":standin, :trimmed2) WHERE glfromdocid = :id AND glfromdocno = :standin2"),
            {{QStringLiteral("trimmed"), number.trimmed()},
             {QStringLiteral("number"), number},
             {QStringLiteral("standin"), standIn},
             {QStringLiteral("trimmed2"), number.trimmed()},
             {QStringLiteral("id"), docId},
             {QStringLiteral("standin2"), standIn}});
    lastVoucherNumber() = number;
}

QString MenuCaptionIn(bool thai, const QString& caption, const QString& engCaption)
{
    return thai || engCaption.trimmed().isEmpty() ? caption : engCaption;
}

bool IsThaiLanguage(const QVariant& languageNo)
{
    return !languageNo.isNull() && languageNo.toString().trimmed() == QLatin1String("1");
}

MenuCaptionResult MENUCAPTION(const QSqlDatabase& cfg, int menuId, int userId)
{
    const QString proc = QStringLiteral("MENUCAPTION");
    MenuCaptionResult r;
    QString caption, engCaption;
    {
        QSqlQuery q = run(cfg, proc, QStringLiteral("SELECT Caption, EngCaption FROM Menu WHERE Id = :menu"),
                          {{QStringLiteral(":menu"), menuId}});
        if (q.next()) {
            caption = q.value(0).toString();
            engCaption = q.value(1).toString();
        }
    }
    bool blocked = false;
    bool thai = false; // as the work forms read a user without a row: in English
    {
        QSqlQuery q = run(cfg, proc,
                          QStringLiteral("SELECT Code, SalesId, Blocked, LanguageNo FROM username WHERE Id = :user"),
                          {{QStringLiteral(":user"), userId}});
        if (q.next()) {
            r.UserCode = q.value(0).toString();
            r.SalesId = q.value(1).toInt();
            blocked = q.value(2).toString() == QLatin1String("Y");
            thai = IsThaiLanguage(q.value(3));
        }
    }
    r.Caption = MenuCaptionIn(thai, caption, engCaption);
    // Rights come back as stored; a blocked user has none.
    if (!blocked) {
        QSqlQuery q = run(cfg, proc,
                          QStringLiteral("SELECT Access_R, Add_R, Modify_R, Delete_R FROM MenuRight "
                                         "WHERE MenuId = :menu AND UserId = :user"),
                          {{QStringLiteral(":menu"), menuId}, {QStringLiteral(":user"), userId}});
        if (q.next()) {
            r.AccessR = q.value(0).toString();
            r.AddR = q.value(1).toString();
            r.ModifyR = q.value(2).toString();
            r.DeleteR = q.value(3).toString();
        }
    }
    return r;
}

void AddErrorLog(const QSqlDatabase& cfg, const QString& compName, const QString& logName, int userId, int menuId,
                 const QString& errorMsg)
{
    const QString proc = QStringLiteral("AddErrorLog");
    run(cfg, proc,
        QStringLiteral("INSERT INTO ErrorLog (LogDate, CompName, LogName, UserId, MenuId, ErrorMsg) "
                       "VALUES (:logdate, :compname, :logname, :userid, :menuid, :errormsg)"),
        {{QStringLiteral(":logdate"), nowText(cfg, proc)},
         {QStringLiteral(":compname"), compName},
         {QStringLiteral(":logname"), logName},
         {QStringLiteral(":userid"), userId},
         {QStringLiteral(":menuid"), menuId},
         {QStringLiteral(":errormsg"), errorMsg}});
}

void registerPrepareProc(const QString& name, PrepareProc proc)
{
    prepareRegistry().insert(procKey(name), std::move(proc));
}

bool hasPrepareProc(const QString& name)
{
    return prepareRegistry().contains(procKey(name));
}

void runPrepareProc(const QString& name, const QSqlDatabase& db, const QVariantMap& params)
{
    beforeCompanyProc(name.trimmed());
    const auto it = prepareRegistry().constFind(procKey(name));
    if (it == prepareRegistry().constEnd() || !*it)
        throw NkError(QStringLiteral("ไม่พบโปรแกรมเตรียมข้อมูล %1 (unknown procedure)").arg(name.trimmed()));
    (*it)(db, params);
}

void setFailureHook(std::function<void(const QString& procName)> hook)
{
    failureHook() = std::move(hook);
}

} // namespace ServerProcs
