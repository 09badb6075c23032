#include "data/DbAdmin.h"
#include "data/NkError.h"
#include "data/ServerProcs.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "support/SqliteFile.h"

#include <cmath>
#include <cstdio>

namespace {

const QDate kToday(2026, 6, 15);
const char* const kChildSwitch = "--draw-numbers";

using Db = SqliteFile;

double cents(double v) { return std::round(v * 100.0) / 100.0; }

// Child process of the numbering race: draws `count` numbers of `code`, one per write
// transaction, and prints them one per line.
int drawNumbers(const QString& path, const QString& code, int count)
{
    Db c(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        QSqlQuery q(c.db());
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            std::fprintf(stderr, "BEGIN failed: %s\n", qPrintable(q.lastError().text()));
            return 2;
        }
        try {
            const QString no = ServerProcs::NewDocumentNo(c.db(), code, kToday.year());
            if (!q.exec(QStringLiteral("COMMIT"))) {
                std::fprintf(stderr, "COMMIT failed: %s\n", qPrintable(q.lastError().text()));
                return 3;
            }
            out << no << '\n';
        } catch (const NkError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 4;
        }
    }
    out.flush();
    return 0;
}

} // namespace

class TstServerProcs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Db> m_company;
    std::unique_ptr<Db> m_config;

    const Db& c() const { return *m_company; }

    void setRow(const QString& code, int year, const QString& prefix, int length, int lastNo)
    {
        c().query("DELETE FROM DocumentNo WHERE Code = ? AND DocYear = ?", {code, year});
        c().query("INSERT INTO DocumentNo (Code, DocYear, Description, Prefix, LastNo, DocumentLength, AutoRun) "
                  "VALUES (?, ?, 'test', ?, ?, ?, 'Y')",
                  {code, year, prefix, lastNo, length});
    }
    int lastNo(const QString& code, int year) const
    {
        return c().scalar("SELECT LastNo FROM DocumentNo WHERE Code = ? AND DocYear = ?", {code, year}).toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        DbAdmin::createDemo(m_dir.path(), kToday);
        m_company = std::make_unique<Db>(m_dir.filePath("DEMO.sqlite"));
        m_config = std::make_unique<Db>(m_dir.filePath("KOV_CONFIG.sqlite"));
    }
    void cleanupTestCase()
    {
        m_company.reset();
        m_config.reset();
    }
    void cleanup() { ServerProcs::setFailureHook({}); }

    void newDocumentNoFormat_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("prefix with year") << "IM2026-" << 12 << 0 << "IM2026-00001";
        QTest::newRow("no prefix") << "" << 6 << 41 << "000042";
        QTest::newRow("running part fills the width") << "AB" << 4 << 98 << "AB99";
        QTest::newRow("blanks around prefix ignored") << " MS " << 8 << 6 << "MS000007";
        QTest::newRow("no width: one digit at least") << "X" << 0 << 0 << "X1";
        QTest::newRow("no width, long counter") << "X" << 0 << 122 << "X123";
    }
    void newDocumentNoFormat()
    {
        QFETCH(QString, prefix);
        QFETCH(int, length);
        QFETCH(int, last);
        QFETCH(QString, expected);
        setRow("FMT", 2030, prefix, length, last);
        QCOMPARE(ServerProcs::NewDocumentNo(c().db(), "FMT", 2030), expected);
        QCOMPARE(lastNo("FMT", 2030), last + 1);
    }

    // A number that no longer fits the width would be cut by the padding of a typed number and
    // could never be opened again: the series refuses it.
    void newDocumentNoRefusesOverlongNumber()
    {
        setRow("FULL", 2030, "AB", 4, 99);
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::NewDocumentNo(c().db(), "FULL", 2030));
    }

    void newDocumentNoCountsPerCodeAndYear()
    {
        const int y = kToday.year();
        const int importBefore = lastNo("IMPORT", y);
        const int nextBefore = lastNo("IMPORT", y + 1);
        const QString a = ServerProcs::NewDocumentNo(c().db(), "IMPORT", y);
        const QString b = ServerProcs::NewDocumentNo(c().db(), "import", y);
        const QString n = ServerProcs::NewDocumentNo(c().db(), "IMPORT", y + 1);
        QCOMPARE(a, QStringLiteral("IM%1-%2").arg(y).arg(importBefore + 1, 5, 10, QLatin1Char('0')));
        QCOMPARE(b, QStringLiteral("IM%1-%2").arg(y).arg(importBefore + 2, 5, 10, QLatin1Char('0')));
        QCOMPARE(n, QStringLiteral("IM%1-%2").arg(y + 1).arg(nextBefore + 1, 5, 10, QLatin1Char('0')));
        // The number never collides with the demo's own import documents.
        QCOMPARE(c().count("SELECT COUNT(*) FROM ImHd WHERE ImNo IN (?, ?, ?)", {a, b, n}), 0);
    }

    void newDocumentNoFollowsConversion()
    {
        const int y = kToday.year();
        const int before = lastNo("FRPO-P", y);
        const QString no = ServerProcs::NewDocumentNo(c().db(), "FRPO-A", y);
        QCOMPARE(no, QStringLiteral("FP%1-%2").arg(y).arg(before + 1, 5, 10, QLatin1Char('0')));
        QCOMPARE(lastNo("FRPO-P", y), before + 1);
        QCOMPARE(c().count("SELECT COUNT(*) FROM DocumentNo WHERE Code = 'FRPO-A'"), 0);
        // The conversion is per year: next year FRPO-A has no series of its own.
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::NewDocumentNo(c().db(), "FRPO-A", y + 1));
    }

    void newDocumentNoUnknownCode()
    {
        try {
            ServerProcs::NewDocumentNo(c().db(), "NOPE", 2026);
            QFAIL("unknown code accepted");
        } catch (const NkError& e) {
            QCOMPARE(e.message(), QStringLiteral("ไม่พบรหัสเอกสาร NOPE ปี 2026"));
        }
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::NewDocumentNo(c().db(), "IMPORT", 1990));
    }

    void failureHookStopsProcedures()
    {
        QStringList seen;
        ServerProcs::setFailureHook([&](const QString& name) {
            seen << name;
            if (name == QLatin1String("NewDocumentNo"))
                throw NkError("injected");
        });
        const int before = lastNo("PC-S", kToday.year());
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::NewDocumentNo(c().db(), "PC-S", kToday.year()));
        QCOMPARE(lastNo("PC-S", kToday.year()), before);
        ServerProcs::UserAddLog(c().db(), 1, 1, 5, 0, "x");
        ServerProcs::ServerTime(c().db());
        ServerProcs::GenerateGL(c().db(), "GL_PcHd", 1, 1);
        QCOMPARE(seen, (QStringList{"NewDocumentNo", "UserAddLog", "ServerTime", "GL_PcHd"}));
        // Configuration procedures are not company procedures.
        ServerProcs::MENUCAPTION(m_config->db(), 1, 1);
        QCOMPARE(seen.size(), 4);
    }

    void userAddLogWritesOneRow()
    {
        const int before = c().count("SELECT COUNT(*) FROM UserLog");
        const QDateTime start = QDateTime::currentDateTime().addSecs(-2);
        ServerProcs::UserAddLog(c().db(), 2, 3, 1, 0, "IM2026-00009");
        ServerProcs::UserAddLog(c().db(), 2, 3, 3, 17, "ใบที่ลบ");
        QCOMPARE(c().count("SELECT COUNT(*) FROM UserLog"), before + 2);
        QSqlQuery q = c().query("SELECT UserId, MenuId, FunctionListId, DocumentId, Remark, LogDate FROM UserLog ORDER BY Id DESC LIMIT 1");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        QCOMPARE(q.value(1).toInt(), 3);
        QCOMPARE(q.value(2).toInt(), 3);
        QCOMPARE(q.value(3).toInt(), 17);
        QCOMPARE(q.value(4).toString(), QStringLiteral("ใบที่ลบ"));
        const QDateTime logged = QDateTime::fromString(q.value(5).toString(), "yyyy-MM-dd HH:mm:ss");
        QVERIFY(logged.isValid());
        QVERIFY(logged >= start && logged <= QDateTime::currentDateTime().addSecs(2));
    }

    void userAddLogRollsBackWithTheSave()
    {
        const int before = c().count("SELECT COUNT(*) FROM UserLog");
        c().query("BEGIN IMMEDIATE");
        ServerProcs::UserAddLog(c().db(), 1, 1, 1, 0, "rolled back");
        c().query("ROLLBACK");
        QCOMPARE(c().count("SELECT COUNT(*) FROM UserLog"), before);
    }

    void serverTimeIsNow()
    {
        const QDateTime t = ServerProcs::ServerTime(c().db());
        QVERIFY(std::abs(t.secsTo(QDateTime::currentDateTime())) <= 2);
    }

    void glVoucherBalanced_data()
    {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("docId");
        QTest::newRow("import") << "GL_ImHd" << "ImHd" << 2;
        QTest::newRow("credit bill") << "gl_mrhd" << "MrHd" << 1;
        QTest::newRow("cash bill") << "GL_PcHd" << "PcHd" << 1;
    }
    void glVoucherBalanced()
    {
        QFETCH(QString, proc);
        QFETCH(QString, header);
        QFETCH(int, docId);
        const QString noColumn = header == "ImHd" ? "ImNo" : header == "MrHd" ? "MrNo" : "PcNo";
        const QString docNo = c().scalar(QStringLiteral("SELECT %1 FROM %2 WHERE ID = ?").arg(noColumn, header), {docId}).toString();
        const int vouchersBefore = c().count("SELECT COUNT(*) FROM glhd");

        // Generating twice (a saved document saved again) leaves one voucher.
        ServerProcs::GenerateGL(c().db(), proc, docId, 2);
        ServerProcs::GenerateGL(c().db(), proc, docId, 2);
        QSqlQuery h = c().query("SELECT id, totaldebit, totalcredit, userid, glfromdocno FROM glhd WHERE glfromdocid = ? AND ltrim(rtrim(glfromdocno)) = ?",
                                {docId, docNo.trimmed()});
        QVERIFY(h.next());
        const int glhd = h.value(0).toInt();
        QCOMPARE(h.value(3).toInt(), 2);
        QCOMPARE(h.value(4).toString(), docNo);
        QVERIFY(!h.next());
        const double debit = c().scalar("SELECT SUM(debit) FROM gldt WHERE glhd = ?", {glhd}).toDouble();
        const double credit = c().scalar("SELECT SUM(credit) FROM gldt WHERE glhd = ?", {glhd}).toDouble();
        QCOMPARE(cents(debit), cents(credit));
        QCOMPARE(cents(debit), cents(c().scalar("SELECT totaldebit FROM glhd WHERE id = ?", {glhd}).toDouble()));
        QVERIFY(debit > 0);

        // The amount in baht: an import is worth its total at the document's rate plus its
        // duty; a bill its total.
        double expected = 0;
        if (header == "ImHd")
            expected = cents(c().scalar("SELECT Total * ExchangeRate FROM ImHd WHERE ID = ?", {docId}).toDouble())
                + c().scalar("SELECT SUM(Total) FROM ImDuty WHERE ImHd = ?", {docId}).toDouble();
        else
            expected = c().scalar(QStringLiteral("SELECT Total FROM %1 WHERE ID = ?").arg(header), {docId}).toDouble();
        QCOMPARE(cents(debit), cents(expected));
        QCOMPARE(c().count("SELECT COUNT(*) FROM glhd"), vouchersBefore);

        // The two statements that remove a document's voucher find everything it wrote.
        QSqlQuery del(c().db());
        QVERIFY(del.prepare("delete from gldt where glhd in ( select id from glhd where glfromdocid=:id and ltrim(rtrim(glfromdocno))=:no )"));
        del.bindValue(":id", docId);
        del.bindValue(":no", docNo.trimmed());
        QVERIFY(del.exec());
        QVERIFY(del.prepare("delete from glhd where glfromdocid=:id and ltrim(rtrim(glfromdocno))=:no"));
        del.bindValue(":id", docId);
        del.bindValue(":no", docNo.trimmed());
        QVERIFY(del.exec());
        QCOMPARE(c().count("SELECT COUNT(*) FROM gldt WHERE glhd = ?", {glhd}), 0);
        QCOMPARE(c().count("SELECT COUNT(*) FROM glhd WHERE id = ?", {glhd}), 0);
        ServerProcs::GenerateGL(c().db(), proc, docId, 1); // leave the demo as it was
    }

    void glTaxNotReclaimedStaysInExpense()
    {
        c().query("UPDATE MrHd SET CanUseTax = 'N' WHERE ID = 1");
        ServerProcs::GenerateGL(c().db(), "GL_MrHd", 1, 1);
        const int glhd = c().scalar("SELECT id FROM glhd WHERE glfromdocid = 1 AND glfromdoctype = 'MR'").toInt();
        QCOMPARE(c().count("SELECT COUNT(*) FROM gldt WHERE glhd = ? AND account = (SELECT GLVatAccount FROM Config)", {glhd}), 0);
        QCOMPARE(c().scalar("SELECT debit FROM gldt WHERE glhd = ? AND account = (SELECT GLExpenseAccount FROM Config)", {glhd}).toDouble(),
                 c().scalar("SELECT Total FROM MrHd WHERE ID = 1").toDouble());
        c().query("UPDATE MrHd SET CanUseTax = 'Y' WHERE ID = 1");
        ServerProcs::GenerateGL(c().db(), "GL_MrHd", 1, 1);
    }

    void glRefusals()
    {
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::GenerateGL(c().db(), "GL_IvHd", 1, 1));
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::GenerateGL(c().db(), "GL_ImHd", 9999, 1));
        const QString saved = c().scalar("SELECT GLCashAccount FROM Config").toString();
        c().query("UPDATE Config SET GLCashAccount = ''");
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::GenerateGL(c().db(), "GL_PcHd", 1, 1));
        c().query("UPDATE Config SET GLCashAccount = ?", {saved});
    }

    void menuCaption_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("rights"); // access, add, modify, delete
        QTest::addColumn<QString>("userCode");
        QTest::newRow("thai user") << 1 << 1 << "นำเข้าสินค้าจากต่างประเทศ" << "YYYY" << "ADMIN";
        QTest::newRow("english user") << 6 << 2 << "Foreign Purchase Order" << "YYYY" << "JOHN";
        QTest::newRow("no access") << 5 << 3 << "ต้นทุนการนำเข้า" << "NNNN" << "GUEST";
        QTest::newRow("look only") << 3 << 4 << "ค่าใช้จ่ายในการนำเข้าเงินเชื่อ" << "YNNN" << "VIEWER";
        QTest::newRow("unknown user") << 1 << 99 << "Import Goods" << "" << "";
        QTest::newRow("unknown menu") << 99 << 1 << "" << "" << "ADMIN";
    }
    void menuCaption()
    {
        QFETCH(int, menu);
        QFETCH(int, user);
        QFETCH(QString, caption);
        QFETCH(QString, rights);
        QFETCH(QString, userCode);
        const MenuCaptionResult r = ServerProcs::MENUCAPTION(m_config->db(), menu, user);
        QCOMPARE(r.Caption, caption);
        QCOMPARE(r.AccessR + r.AddR + r.ModifyR + r.DeleteR, rights);
        QCOMPARE(r.UserCode, userCode);
    }

    void menuCaptionReturnsRightsAsStored()
    {
        m_config->query("UPDATE MenuRight SET Add_R = 'y' WHERE MenuId = 2 AND UserId = 1");
        QCOMPARE(ServerProcs::MENUCAPTION(m_config->db(), 2, 1).AddR, QStringLiteral("y"));
        m_config->query("UPDATE MenuRight SET Add_R = 'Y' WHERE MenuId = 2 AND UserId = 1");
        m_config->query("UPDATE username SET Blocked = 'Y' WHERE Id = 1");
        QCOMPARE(ServerProcs::MENUCAPTION(m_config->db(), 2, 1).AccessR, QString());
        m_config->query("UPDATE username SET Blocked = 'N' WHERE Id = 1");
    }

    void addErrorLogWritesOneRow()
    {
        ServerProcs::AddErrorLog(m_config->db(), "PC-01", "SOMCHAI", 1, 4, "ข้อผิดพลาด 'quoted'");
        QSqlQuery q = m_config->query("SELECT CompName, LogName, UserId, MenuId, ErrorMsg, LogDate FROM ErrorLog ORDER BY Id DESC LIMIT 1");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("PC-01"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("SOMCHAI"));
        QCOMPARE(q.value(3).toInt(), 4);
        QCOMPARE(q.value(4).toString(), QStringLiteral("ข้อผิดพลาด 'quoted'"));
        QVERIFY(QDateTime::fromString(q.value(5).toString(), "yyyy-MM-dd HH:mm:ss").isValid());
    }

    void prepareProcRegistry()
    {
        QVariantMap got;
        ServerProcs::registerPrepareProc("SP_PrepImport", [&](const QSqlDatabase&, const QVariantMap& p) { got = p; });
        QVERIFY(ServerProcs::hasPrepareProc("sp_prepimport"));
        QVERIFY(ServerProcs::hasPrepareProc("dbo.SP_PREPIMPORT "));
        QVERIFY(!ServerProcs::hasPrepareProc("SP_Other"));
        ServerProcs::runPrepareProc(" sp_prepimport", c().db(), {{"No", "IM1"}, {"DocYear", 2026}});
        QCOMPARE(got.value("No").toString(), QStringLiteral("IM1"));
        QVERIFY_THROWS_EXCEPTION(NkError, ServerProcs::runPrepareProc("SP_Other", c().db(), {}));
    }

    // Two processes draw numbers of one code at the same time on the same file: no number is
    // handed out twice and none is lost.
    void twoProcessesNeverShareANumber()
    {
        const QString code = QStringLiteral("RACE");
        setRow(code, kToday.year(), "R", 8, 0);
        const QString path = m_dir.filePath("DEMO.sqlite");
        QProcess a, b;
        for (QProcess* p : {&a, &b})
            p->start(QCoreApplication::applicationFilePath(), {kChildSwitch, path, code, "200"});
        QStringList numbers;
        for (QProcess* p : {&a, &b}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAllStandardError().constData());
            const QStringList lines = QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 200);
            numbers += lines;
        }
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), 400);
        QCOMPARE(lastNo(code, kToday.year()), 400);
        QVERIFY(numbers.contains("R0000001") && numbers.contains("R0000400"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc >= 5 && qstrcmp(argv[1], kChildSwitch) == 0)
        return drawNumbers(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QByteArray(argv[4]).toInt());
    TstServerProcs tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_serverprocs.moc"
