// The server backend's own promises: its schema is the embedded one's, money is exact, a
// company moves from its files to a server, a document saved on either backend is stored
// alike, and many open work forms share a few connection slots. Runs on the server backend
// only.
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/StartUp.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbAdmin.h"
#include "data/DbCatalog.h"
#include "data/DbMigrate.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFrInboundBegin.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "receipt/ReceiptTestKit.h"
#include "support/ImportDoc.h"
#include "support/SqliteFile.h"
#include "support/TestEnv.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSocketNotifier>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const QDate kToday(2026, 12, 9);

// The rows a statement returns, one text each ("column=value|..."), values as the program
// reads them, without the columns that hold the time of the save.
QStringList rowsOf(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {})
{
    static const QStringList clock = {"logdate", "createdate"};
    QStringList rows;
    QSqlQuery q = Db::exec(db, sql, params);
    while (q.next()) {
        const QSqlRecord r = q.record();
        const QVector<QVariant> values = Db::rowValues(q);
        QStringList cols;
        for (int i = 0; i < r.count(); ++i) {
            const QString name = r.fieldName(i).toLower();
            if (clock.contains(name))
                continue;
            // A save key is a new random one on every save: only whether there is one.
            const QString value = values[i].isNull() ? QStringLiteral("<null>")
                                  : name == "savekey" ? QStringLiteral("<key>")
                                                      : values[i].toString();
            cols << name + '=' + value;
        }
        rows << cols.join('|');
    }
    return rows;
}

// What a save left behind, table by table: header (ImHd, MrHd, PcHd, FrPoHd by `kind`), duty
// groups of an import document, lines, ledger voucher, log and counters.
QStringList storedDocument(const QSqlDatabase& db, const QString& kind, int id)
{
    const QString hd = kind + "Hd", number = kind == "FrPo" ? "PoNo" : kind + "No";
    const QVariantMap p{{"i", id}, {"t", kind.toUpper()}};
    const QVariantMap no{{"n", Db::scalar(db, QString("select %1 from %2 where Id = :i").arg(number, hd), p)}};
    return rowsOf(db, QString("select * from %1 where Id = :i").arg(hd), p)
           + (kind == "Im" ? rowsOf(db, "select * from ImDuty where ImHd = :i order by ID", p) : QStringList())
           + rowsOf(db, QString("select * from %1Dt where %2 = :i order by Id").arg(kind, hd), p)
           + rowsOf(db, "select * from glhd where glfromdocid = :i and glfromdoctype = :t order by id", p)
           + rowsOf(db, "select d.* from gldt d inner join glhd h on h.id = d.glhd where h.glfromdocid = :i "
                        "and h.glfromdoctype = :t order by d.id", p)
           + rowsOf(db, "select * from UserLog where Remark = :n order by Id", no)
           + rowsOf(db, "select Code, DocYear, LastNo from DocumentNo order by Id");
}

// A credit or cash bill, or a foreign order, typed into its form and saved with F10.
QStringList savedByKeys(TestEnv& env, const QString& document)
{
    using namespace ReceiptTestKit;
    Dialogs dialogs;
    const QString kind = document == "credit" ? "Mr" : document == "cash" ? "Pc" : "FrPo";
    const int before = env.scalar(QString("select max(Id) from %1Hd").arg(kind)).toInt();
    if (kind == "FrPo") {
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {{"P001", "10", ""}, {"P006", "3", "2.5"}});
        backTo(f, f.Reference);
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
    } else {
        const bool credit = kind == "Mr";
        std::unique_ptr<TFrMrTran> f;
        if (credit)
            f = std::make_unique<TFrImExpTran>();
        else
            f = std::make_unique<TFrImExcTran>();
        open(*f, credit ? 3 : 4);
        enterBill(*f, {credit ? "MS0100" : "", QString("LOT%1-02").arg(kToday.year()), credit ? "V002" : "V001", credit,
                       "S001", "1070.25"});
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
    }
    const int id = env.scalar(QString("select max(Id) from %1Hd").arg(kind)).toInt();
    if (id <= before) // not saved: what the user was told
        return {MessageService::lastText()};
    return storedDocument(env.company(), kind, id);
}

// A work form as a process of its own (kFormSwitch FOLDER): started as the program starts
// it, for user 1 on the bills brought forward, its idle connections given back after a fifth
// of a second. It says "shown", then obeys standard input line by line: "fill" types a bill
// (number, vendor, amount) and says "filled"; "save" presses F10 and says "saved NUMBER", or
// "refused TEXT | total AMOUNT" with the message shown and the amount still on the form.
const char* const kFormSwitch = "--work-form";

// A field typed as a user types it, then left for the next one.
void enter(QWidget* field, const QString& text, QWidget* next)
{
    field->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(field))
        e->clear();
    ReceiptTestKit::typeKeys(text);
    next->setFocus();
    ReceiptTestKit::settle();
}

int runWorkForm(int argc, char** argv)
{
    NkApplication app(argc, argv); // errors of the event loop end in the error hook
    QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
    MessageService::setScripted(true);
    DM = new TDM(&app);
    DMConfig = new TDMConfig(&app);
    DM->setIdleRelease(200);
    DMConfig->setIdleRelease(200);
    QTextStream out(stdout);
    const StartUp::Outcome o = StartUp::start({"2", "1", "DEMO", "-", "IMPBEGIN", kToday.toString("dd/MM/yyyy")});
    auto* f = qobject_cast<TFrInboundBegin*>(o.form);
    if (!f) {
        out << "refused " << o.message << Qt::endl;
        return 3;
    }
    f->show();
    QApplication::setActiveWindow(f);
    if (!QTest::qWaitForWindowActive(f))
        return 4;
    QString saved;
    QObject::connect(DM, &TDM::documentSaved, [&](const QString& number) { saved = number; });
    out << "shown" << Qt::endl;
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    QSocketNotifier commands(0, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        const QByteArray command = in.readLine().trimmed();
        if (command == "fill") {
            enter(f->FaGetDocNo->DocNo, "1", f->TransportNo);
            enter(f->FaGetFrVendor->Edit, "F002", f->GetTotal);
            enter(f->GetTotal, "5000", f->TransportNo);
            out << "filled" << Qt::endl;
        } else if (command == "save") {
            saved.clear();
            MessageService::clearShown();
            MessageService::queueAnswer(true);
            QTest::keyClick(f->TransportNo, Qt::Key_F10);
            if (!saved.isEmpty())
                out << "saved " << saved << Qt::endl;
            else
                out << "refused " << MessageService::lastText().replace('\n', ' ') << " | total "
                    << f->QHd->FieldByName("Total").toDouble() << Qt::endl;
        } else {
            commands.setEnabled(false);
            QCoreApplication::exit(0); // not quit(): the form would ask its exit question
        }
    });
    const int status = app.exec();
    delete f; // before the application object, as the program does
    return status;
}

} // namespace

class TstPgBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(TestEnv::onServer(), "runs with NK_TEST_BACKEND=postgresql"); }

    // The server's tables, columns (with their kind: case-insensitive text, date, number ...),
    // views and indexes are those of the embedded schema they are derived from.
    void schemaIsTheEmbeddedOne_data()
    {
        QTest::addColumn<QString>("database");
        QTest::newRow("company") << "DEMO";
        QTest::newRow("configuration") << "KOV_CONFIG";
    }
    void schemaIsTheEmbeddedOne()
    {
        QFETCH(QString, database);
        QTemporaryDir dir;
        DbAdmin::createConfigDatabase(dir.path());
        DbAdmin::createCompanyDatabase(dir.path(), "DEMO");
        SqliteFile files(dir.filePath(database + ".sqlite"));
        TestEnv env(TestEnv::Data::Empty, kToday);
        const QSqlDatabase server = database == "DEMO" ? env.company() : env.config();
        const QList<DbCatalog::Table> tables = DbCatalog::tables(files.db());
        QVERIFY(tables.size() >= (database == "DEMO" ? 60 : 8));
        const QStringList described = DbCatalog::describe(DbCatalog::tables(server), DbCatalog::indexes(server));
        QCOMPARE(described, DbCatalog::describe(tables, DbCatalog::indexes(files.db())));
        // The server refuses a document number held twice within its kind, as the files do.
        if (database == "DEMO")
            for (const char* index : {"ix_imhd_imno on imhd (imno)", "ix_mrhd_mrno on mrhd (mrno, mrtype)",
                                      "ix_pchd_pcno on pchd (pcno, pctype)", "ix_pohd_pono on pohd (pono, potype)",
                                      "ix_frpohd_pono on frpohd (pono, potype)"})
                QVERIFY2(described.contains(QStringLiteral("unique index ") + index), index);
    }

    // `upgrade` on a server company made without unique document numbers: the tables get
    // them, except one holding a number twice, which is listed.
    void upgradeOnTheServer()
    {
        TestEnv env(TestEnv::Data::Empty, kToday);
        for (const char* index : {"IX_ImHd_ImNo", "IX_MrHd_MrNo", "IX_PcHd_PcNo", "IX_PoHd_PoNo", "IX_FrPoHd_PoNo"})
            env.exec(QString("DROP INDEX %1").arg(index));
        env.exec("ALTER TABLE FrPoHd DROP COLUMN SaveKey"); // a company from before the save keys
        env.exec("INSERT INTO MrHd (MrType, MrNo) VALUES ('S', 'MR-1'), ('S', 'mr-1'), ('P', 'MR-2')");
        QStringList report = DbAdmin::upgradeCompanyDatabase(env.location(), "DEMO");
        // The five document tables, the foreign orders' receipts, the estimates, the save keys.
        QCOMPARE(report.mid(7), QStringList({"FrPoHd: save keys added", "ImHd, MrHd, PcHd: save keys already there"}));
        QCOMPARE(report[1], QString("MrHd: left as it is, these numbers are used more than once: \"MR-1\" (MrType S)"));
        QCOMPARE(report.filter("numbers made unique").size(), 4);
        env.exec("DELETE FROM MrHd WHERE Id = (SELECT max(Id) FROM MrHd WHERE MrType = 'S')");
        report = DbAdmin::upgradeCompanyDatabase(env.location(), "DEMO");
        QCOMPARE(report[1], QString("MrHd: numbers made unique"));
        QCOMPARE(report.filter("already unique").size(), 4);
        QCOMPARE(report.last(), QString("ImHd, MrHd, PcHd, FrPoHd: save keys already there"));
        QVERIFY(!QSqlQuery(env.company()).exec("INSERT INTO MrHd (MrType, MrNo) VALUES ('S', 'Mr-1')"));
        env.exec("INSERT INTO FrPoHd (PoType, PoNo, SaveKey) VALUES ('P', 'FP-1', 'k1')");
        QVERIFY(!QSqlQuery(env.company()).exec("INSERT INTO FrPoHd (PoType, PoNo, SaveKey) VALUES ('P', 'FP-2', 'k1')"));
    }

    // Amounts keep every decimal they were given: 0.1 + 0.2 sums to 0.3 exactly, four
    // decimals come back as written, and a decimal no double can hold is kept as its text.
    void moneyIsExact()
    {
        TestEnv env(TestEnv::Data::Empty, kToday);
        env.exec("CREATE TABLE Money (Id INTEGER PRIMARY KEY AUTOINCREMENT, Amount REAL)");
        const QList<double> amounts = {0.1, 0.2, 1234567.8912, -0.0001, 99999999.9999, 0.0005};
        CachedDataSet ds;
        ds.setSQL("select Id, Amount from Money order by Id");
        ds.setUpdateSQL("insert into Money (Amount) values (:Amount)", "update Money set Amount = :Amount where Id = :OLD_Id", "");
        ds.Open();
        for (double a : amounts) {
            ds.Append();
            ds.SetField("Amount", a);
            ds.Post();
        }
        DM->StartTransaction();
        ds.ApplyUpdates();
        DM->Commit();

        QSqlQuery raw(env.company()); // the driver's own reading: exact decimal text
        QVERIFY(raw.exec("select sum(Amount), (select Amount from Money where Id = 3) from Money where Id <= 2"));
        QVERIFY(raw.next());
        QCOMPARE(raw.value(0).toString(), QString("0.3"));
        QCOMPARE(raw.value(1).toString(), QString("1234567.8912"));
        QVERIFY(env.scalar("select sum(Amount) = 0.3 from Money where Id <= 2").toBool());
        const QVariant sum = env.scalar("select sum(Amount) from Money where Id <= 2");
        QCOMPARE(sum.typeId(), int(QMetaType::Double));
        QVERIFY(sum.toDouble() == 0.3);

        ds.Refresh();
        QCOMPARE(ds.RecordCount(), amounts.size());
        for (int i = 0; i < amounts.size(); ++i)
            QVERIFY2(ds.value(i, "Amount").toDouble() == amounts[i], qPrintable(ds.value(i, "Amount").toString()));

        env.exec("insert into Money (Amount) values (12345678901234567.8912)");
        ds.Refresh();
        QCOMPARE(ds.value(amounts.size(), "Amount"), QVariant(QString("12345678901234567.8912")));
        ds.setRecNo(int(amounts.size()));
        ds.SetField("Amount", QString("12345678901234567.8913")); // a decimal text is written as it is
        ds.Post();
        DM->StartTransaction();
        ds.ApplyUpdates();
        DM->Commit();
        QVERIFY(raw.exec("select Amount::text from Money order by Id desc limit 1"));
        QVERIFY(raw.next());
        QCOMPARE(raw.value(0).toString(), QString("12345678901234567.8913"));
    }

    // A document saved through the form's save path is stored alike on both backends, row
    // by row (Ids, numbers, amounts, dates, log and ledger rows). The bills and the foreign
    // order are typed into their forms and saved with F10 (a credit bill numbered by hand, a
    // cash bill and the order numbered by the counter), the bills with their ledger vouchers.
    void savedDocumentsAreStoredAlike_data()
    {
        QTest::addColumn<QString>("document");
        QTest::newRow("import document") << "import";
        QTest::newRow("bill brought forward") << "forward";
        QTest::newRow("credit bill") << "credit";
        QTest::newRow("cash bill") << "cash";
        QTest::newRow("foreign order") << "order";
    }
    void savedDocumentsAreStoredAlike()
    {
        QFETCH(QString, document);
        auto saveOn = [&](const QString& server) {
            TestEnv env(TestEnv::Data::Demo, kToday, server);
            if (document == "credit" || document == "cash" || document == "order")
                return savedByKeys(env, document);
            InboundRules::SaveResult res;
            if (document == "forward") {
                CachedDataSet hd;
                hd.setSQL(InboundSql::header(true));
                hd.setUpdateSQL(InboundSql::headerInsert(), InboundSql::headerModify(), InboundSql::HeaderDelete);
                hd.setParam("GetNo", QString());
                hd.Open();
                hd.Append();
                hd.SetField("ImDate", "2026-01-01 00:00:00");
                hd.SetField("FrVendor", 2);
                hd.SetField("Currency", 2);
                hd.SetField("ExchangeRate", 34.1234);
                hd.SetField("Total", 5000.55);
                hd.SetField("Remark", QString("ยกมา 'quoted'"));
                hd.Post();
                InboundRules::SaveInput in;
                in.header = &hd;
                in.autoRun = true;
                in.beginBalance = true;
                in.beginLotId = 3;
                res = InboundRules::Save(in);
            } else {
                res = ImportDoc::saveSample(7);
            }
            return storedDocument(env.company(), "Im", res.id);
        };
        const QStringList files = saveOn(QString::fromLatin1(TestEnv::Embedded));
        const QStringList server = saveOn(QString());
        QVERIFY(files.size() >= (document == "forward" ? 14 : document == "import" ? 20 : document == "order" ? 12 : 16));
        QCOMPARE(server, files);
    }

    // A company outgrows its files: migrate copies it to the server with its configuration
    // rows, checked; a second company joins the server's configuration; a copy that fails
    // leaves nothing behind.
    void companyMovesToTheServer()
    {
        QTemporaryDir dir;
        DbAdmin::createDemo(dir.path(), kToday);
        DbAdmin::createCompanyDatabase(dir.path(), "ACME");
        const ServerLocation server = TestEnv::freshServerLocation();
        const QStringList report = DbMigrate::copyCompany(dir.path(), "DEMO", server);
        QVERIFY2(report.contains("imdt: 5 rows, 14 sums agree"), qPrintable(report.join('\n')));
        QVERIFY(report.contains("KOV_CONFIG copied to the server"));
        QVERIFY(report.contains("menuright: 33 rows, 3 sums agree"));
        {
            SqliteFile files(dir.filePath("DEMO.sqlite"));
            const QSqlDatabase moved = Connection::open("moved", "DEMO", Connection::serverNameOf(server), dir.path());
            for (const char* table : {"ImHd", "ImDt", "ImDuty", "accountperiod", "glhd", "Product"}) {
                const QString sql = QString("select * from %1 order by 1").arg(table);
                QCOMPARE(rowsOf(moved, sql), rowsOf(files.db(), sql));
            }
            // The server has counted the copied tables.
            QVERIFY(Db::scalar(moved, "select count(*) from pg_stat_user_tables where relname = 'imdt' and last_analyze is not null").toInt() == 1);
            // New rows continue after the copied Ids.
            const int next = Db::scalar(moved, "insert into Misc (GroupCode, Code) values ('CITY', 'HKT') returning Id").toInt();
            QCOMPARE(next, 21);
        }
        QSqlDatabase::removeDatabase("moved");

        {
            SqliteFile cfg(dir.filePath("KOV_CONFIG.sqlite"));
            cfg.query("insert into Company (Id, Code, NameThai) values (2, 'ACME', 'บริษัท แอคมี')");
            cfg.query("insert into DatabaseList (Company, DatabaseName) values (2, 'ACME')");
            cfg.query("insert into CompanyConfig (Company, PicturePath) values (2, '/srv/acme')");
        }
        const QStringList second = DbMigrate::copyCompany(dir.path(), "ACME", server);
        QVERIFY2(second.contains("KOV_CONFIG on the server: company ACME and database ACME added; users, menus and rights "
                                 "are those of the server"),
                 qPrintable(second.join('\n')));
        {
            const QSqlDatabase cfg = Connection::open("movedcfg", "KOV_CONFIG", Connection::serverNameOf(server), dir.path());
            QCOMPARE(Db::scalar(cfg, "select C.Code from DatabaseList L inner join Company C on C.Id = L.Company "
                                     "inner join CompanyConfig G on G.Company = C.Id where L.DatabaseName = 'ACME'")
                         .toString(),
                     QString("ACME"));
        }
        QSqlDatabase::removeDatabase("movedcfg");
        QVERIFY_THROWS_EXCEPTION(NkError, DbMigrate::copyCompany(dir.path(), "DEMO", server));

        {
            SqliteFile files(dir.filePath("DEMO.sqlite"));
            files.query("update ImDt set Total = 'ten' where ID = 1");
        }
        const ServerLocation other = TestEnv::freshServerLocation();
        QVERIFY_THROWS_EXCEPTION(NkError, DbMigrate::copyCompany(dir.path(), "DEMO", other));
        QVERIFY(!DbAdmin::databaseExists(other, "DEMO"));
        QVERIFY(!DbAdmin::databaseExists(other, "KOV_CONFIG"));
        for (const char* name : {"DEMO", "ACME", "KOV_CONFIG"})
            DbAdmin::dropDatabase(server, name);
    }

    // Twenty work forms open on a server of eight connection slots: each gives back what it
    // does not use (the configuration connection once start-up has read it, the company
    // connection when idle), so all open, stay open and save, one after another. A server with
    // no free slot is named as such in the user's language, and the form keeps the document
    // for the next try; the program started then says it in both languages.
    void manyFormsShareFewConnectionSlots()
    {
        const int slotCount = 8, forms = 20;
        TestServer server(slotCount);
        TestEnv env(TestEnv::Data::Demo, kToday, server.name());
        const QString full = "เซิร์ฟเวอร์ฐานข้อมูลรับการเชื่อมต่อเพิ่มไม่ได้ เพราะมีการเชื่อมต่อครบจำนวนที่ตั้งไว้แล้ว";
        const QString fullEnglish = "The database server takes no more connections: all its connection slots are in use.";
        std::vector<std::unique_ptr<QProcess>> procs;
        auto ask = [](QProcess& p, const QByteArray& command) {
            if (!command.isEmpty())
                p.write(command + '\n');
            while (!p.canReadLine())
                if (!p.waitForReadyRead(120000))
                    return "no answer: " + QString::fromUtf8(p.readAllStandardError());
            return QString::fromUtf8(p.readLine()).trimmed();
        };
        // The server's own count of the program's connections besides the test's one.
        QSqlDatabase watch = Connection::open("watch", "KOV_CONFIG", env.serverName(), env.folder());
        auto inUse = [&] {
            DM->CloseConnection();
            DMConfig->CloseConnection();
            return Db::scalar(watch, "select count(*) from pg_stat_activity where application_name = 'namkhao' "
                                     "and pid <> pg_backend_pid()")
                .toInt();
        };
        for (int i = 0; i < forms; ++i) {
            procs.push_back(std::make_unique<QProcess>());
            procs.back()->start(QCoreApplication::applicationFilePath(), {kFormSwitch, env.folder()});
            QCOMPARE(ask(*procs.back(), {}), QString("shown"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(inUse(), 0, 60000);
        QStringList numbers;
        for (const auto& p : procs) {
            QCOMPARE(p->state(), QProcess::Running);
            QCOMPARE(ask(*p, "fill"), QString("filled"));
            const QString answer = ask(*p, "save");
            QVERIFY2(answer.startsWith("saved "), qPrintable(answer));
            numbers << answer.mid(6);
        }
        numbers.removeDuplicates();
        QCOMPARE(numbers.size(), forms);
        QCOMPARE(env.count("ImHd", "BeginBalance = 'Y' and Total = 5000"), forms);

        // Every slot taken: the save is refused in plain words, the bill stays on the form.
        QProcess& last = *procs.back();
        QCOMPARE(ask(last, "fill"), QString("filled"));
        QTRY_COMPARE_WITH_TIMEOUT(inUse(), 0, 60000);
        QStringList held;
        for (;;) {
            try {
                Connection::open(QString("held%1").arg(held.size()), "KOV_CONFIG", env.serverName(), env.folder());
                held << QString("held%1").arg(held.size());
            } catch (const NkError& e) {
                QCOMPARE(int(e.kind()), int(NkError::Kind::ServerFull));
                break;
            }
            QVERIFY(held.size() < slotCount);
        }
        const QString refused = ask(last, "save");
        QVERIFY2(refused.startsWith("refused " + full) && refused.endsWith(" | total 5000"), qPrintable(refused));
        {
            QTemporaryDir logDir;
            QProcess program;
            QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
            pe.insert("NK_MESSAGE_LOG", logDir.filePath("messages.jsonl"));
            program.setProcessEnvironment(pe);
            program.setWorkingDirectory(env.folder());
            program.start(qEnvironmentVariable("NK_TEST_BIN_DIR") + "/namkhao",
                          {"1", "1", "DEMO", "-", "INBOUND", kToday.toString("dd/MM/yyyy")});
            QVERIFY(program.waitForFinished(60000));
            QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                     program.readAllStandardError().constData());
            QFile log(logDir.filePath("messages.jsonl"));
            QVERIFY(log.open(QIODevice::ReadOnly));
            const QString text = QJsonDocument::fromJson(log.readLine()).object().value("text").toString();
            QVERIFY2(text.startsWith(full) && text.contains(fullEnglish), qPrintable(text));
        }
        for (const QString& name : held)
            QSqlDatabase::removeDatabase(name);
        const QString again = ask(last, "save");
        QVERIFY2(again.startsWith("saved "), qPrintable(again));

        for (const auto& p : procs) {
            p->write("quit\n");
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        watch = QSqlDatabase();
        QSqlDatabase::removeDatabase("watch");
    }
};

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], kFormSwitch) == 0)
        return runWorkForm(argc, argv);
    QApplication app(argc, argv);
    TstPgBackend tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_pgbackend.moc"
