#pragma once
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/SaveSteps.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

// An import document held in the form's own data sets (header, lines, duty groups), filled
// without widgets and saved through the form's save path.
struct ImportDoc {
    CachedDataSet hd, dt, duty;
    explicit ImportDoc(const QString& number = QString())
    {
        hd.setSQL(InboundSql::header(false));
        hd.setUpdateSQL(InboundSql::headerInsert(), InboundSql::headerModify(), InboundSql::HeaderDelete);
        hd.setParam("GetNo", number);
        hd.Open();
        const int id = hd.IsEmpty() ? 0 : hd.AsInteger("ID");
        dt.setSQL(InboundSql::Lines);
        dt.setUpdateSQL(InboundSql::lineInsert(), InboundSql::lineModify(), InboundSql::LineDelete);
        dt.setParam("GetId", id);
        dt.Open();
        duty.setSQL(InboundSql::Duty);
        duty.setUpdateSQL(InboundSql::DutyInsert, InboundSql::DutyModify, InboundSql::DutyDelete);
        duty.setParam("GetId", id);
        duty.Open();
    }
    void newHeader()
    {
        hd.Append();
        hd.SetField("ImDate", "2026-12-09 15:30:00");
        hd.SetField("ImportLotNo", 1);
        hd.SetField("FrVendor", 1);
        hd.SetField("Currency", 2);
        hd.SetField("ExchangeRate", 35.5);
        hd.SetField("Total", 0);
        hd.Post();
    }
    void line(int product, int unit, double qty, double total, const QVariant& dutyNo = QVariant())
    {
        dt.Append();
        dt.SetField("Product", product);
        dt.SetField("ProductUnits", unit);
        dt.SetField("Warehouse", 1);
        dt.SetField("Fraction", 1);
        dt.SetField("Quantity", qty);
        dt.SetField("Total", total);
        dt.SetField("DutyNo", dutyNo);
        dt.Post();
    }
    void group(const QVariant& amount)
    {
        duty.Append();
        duty.SetField("Total", amount);
        duty.Post();
    }
    InboundRules::SaveInput input(bool autoRun, const QString& typed = QString())
    {
        InboundRules::SaveInput in;
        in.header = &hd;
        in.lines = &dt;
        in.duty = &duty;
        in.autoRun = autoRun;
        in.typedNumber = typed;
        in.runGL = DM->ConfigText("AutoGenGL") == "Y";
        return in;
    }

    // A document of three lines of product 1 in two duty groups, the first line's amount
    // varied by `seed`, checked and saved with its number drawn from `docCode` (the form's
    // order of work).
    static InboundRules::SaveResult saveSample(int seed, const QString& docCode = QStringLiteral("IMPORT"))
    {
        ImportDoc d;
        return d.saveAsSample(seed, docCode);
    }
    // This (new, empty) document filled as the sample and saved; a save that fails leaves it
    // pending, so calling again retries it.
    InboundRules::SaveResult saveAsSample(int seed, const QString& docCode)
    {
        if (hd.IsEmpty()) {
            // Read once per company: a saver's documents measure the save, not this lookup.
            static QHash<QString, int> units;
            const QString company = DM->DMdata().databaseName();
            if (!units.contains(company))
                units.insert(company, Db::scalar(DM->DMdata(), "select Id from ProductUnits where Product = 1 and SmallUnitFlag = 'Y'").toInt());
            const int unit = units.value(company);
            newHeader();
            line(1, unit, 1 + seed % 5, 100.25 + seed, 1);
            line(1, unit, 2, 0.1, 2);
            line(1, unit, 3, 0.2, 1);
            group(150.5);
            group(0.3);
            if (!InboundRules::CheckComplete(dt, duty, true, true).ok)
                throw NkError(QStringLiteral("the sample document is incomplete"));
            hd.SetField(QStringLiteral("Total"), InboundRules::CalculateAll(dt));
            hd.Post();
        }
        InboundRules::SaveInput in = input(true);
        in.docCode = docCode;
        return InboundRules::Save(in);
    }

    // Document codes IMP1..IMPn numbering series of their own (prefix I1-, I2-, ...), copies of
    // IMPORT's for `year`, for savers that do not share one.
    static void addOwnCodes(const QSqlDatabase& db, int count, int year)
    {
        for (int k = 1; k <= count; ++k)
            Db::exec(db,
                     QStringLiteral("INSERT INTO DocumentNo (Code, DocYear, Description, Prefix, LastNo, DocumentLength, "
                                    "AutoRun) SELECT :code, DocYear, Description, :prefix, 0, DocumentLength, AutoRun "
                                    "FROM DocumentNo WHERE Code = 'IMPORT' AND DocYear = :year"),
                     {{QStringLiteral("code"), QStringLiteral("IMP%1").arg(k)},
                      {QStringLiteral("prefix"), QStringLiteral("I%1-").arg(k)},
                      {QStringLiteral("year"), year}});
    }

    // Workstations saving at once: `processes` child processes of `program` (which must run
    // runSaver for SaverSwitch) save `each` sample documents on company DEMO of `folder`, all
    // numbered from code IMPORT or each from a code of its own (addOwnCodes). Documents per
    // second from the first save to the last one of the slowest process; 0 when a saver
    // failed (its words on standard error). Every saver starts and connects first and all
    // begin saving together, so no saver's start-up runs beside another's saves.
    static double saversThroughput(const QString& program, const QString& folder, int processes, int each, bool ownCodes)
    {
        std::vector<std::unique_ptr<QProcess>> savers;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(StartTogether), QStringLiteral("1"));
        for (int i = 0; i < processes; ++i) {
            savers.push_back(std::make_unique<QProcess>());
            savers.back()->setProcessEnvironment(env);
            savers.back()->start(program, {SaverSwitch, folder, QString::number(each),
                                           ownCodes ? QStringLiteral("IMP%1").arg(i + 1) : QStringLiteral("IMPORT")});
        }
        QElapsedTimer starting;
        starting.start();
        for (const auto& p : savers)
            while (!p->canReadLine() && p->state() != QProcess::NotRunning && starting.elapsed() < 120000)
                p->waitForReadyRead(1000);
        // Written through at once: QProcess otherwise sends only while waiting on that process.
        for (const auto& p : savers) {
            p->readLine(); // "ready"
            p->write("go\n");
            p->waitForBytesWritten(1000);
        }
        QElapsedTimer all;
        all.start();
        bool failed = false;
        for (const auto& p : savers) {
            if (!p->waitForFinished(600000) || p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0) {
                std::fprintf(stderr, "a saver failed: %s\n", p->readAllStandardError().constData());
                failed = true;
            }
        }
        const double elapsed = double(all.nsecsElapsed()) / 1e6;
        return failed || elapsed <= 0 ? 0 : processes * each * 1000.0 / elapsed;
    }

    // A workstation of its own, run as a child process started with SaverSwitch: saves `count`
    // sample documents on company DEMO of the working folder `folder` (its Server.Dat) and
    // prints their numbers (the one who started it times the saves). With `failEvery`, every failEvery-th save first fails once after its number
    // was drawn (at the log, or at the commit) and is saved again, as a user would after the
    // message; each such failure prints a line "!" + step. Returns the process's exit status.
    static constexpr const char* SaverSwitch = "--save-imports";
    // Set in a saver's environment: once connected, it says "ready" on standard output and
    // waits for a line on standard input before its first save.
    static constexpr const char* StartTogether = "NK_SAVERS_START_TOGETHER";
    // The start of a program whose children save (saversThroughput): when its command line
    // asks for a saver (SaverSwitch FOLDER COUNT [CODE [FAIL_EVERY]]), runs it and gives its
    // exit status; -1 otherwise.
    static int saverMain(int argc, char** argv)
    {
        if (argc < 4 || qstrcmp(argv[1], SaverSwitch) != 0)
            return -1;
        QCoreApplication app(argc, argv);
        return runSaver(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(),
                        argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("IMPORT"),
                        argc > 5 ? QByteArray(argv[5]).toInt() : 0);
    }
    // The data modules of a workstation of its own on company DEMO of the working folder
    // `folder`, for user 1 on menu 1, questions scripted.
    static void startWorkstation(const QString& folder)
    {
        QDir::setCurrent(folder);
        MessageService::setScripted(true);
        DM = new TDM;
        DM->setDatabaseName(QStringLiteral("DEMO"));
        DMConfig = new TDMConfig;
        DMConfig->UserId = 1;
        DMConfig->MenuId = 1;
    }
    static int runSaver(const QString& folder, int count, const QString& docCode = QStringLiteral("IMPORT"),
                        int failEvery = 0)
    {
        startWorkstation(folder);
        QTextStream out(stdout);
        int status = 0;
        try {
            DM->DMdata();
            if (qEnvironmentVariableIsSet(StartTogether)) {
                out << "ready\n";
                out.flush();
                char go[16];
                if (!std::fgets(go, sizeof go, stdin))
                    throw NkError(QStringLiteral("the saver was not told to start"));
            }
            for (int i = 0; i < count; ++i) {
                const bool fault = failEvery > 0 && i % failEvery == failEvery - 1;
                const SaveSteps::Step at = i % 2 ? SaveSteps::Step::Commit : SaveSteps::Step::Log;
                bool armed = fault, numberDrawn = false;
                SaveSteps::setHook([&](SaveSteps::Step s) {
                    numberDrawn = numberDrawn || s == SaveSteps::Step::Number;
                    if (armed && numberDrawn && s == at) {
                        armed = false;
                        out << '!' << int(at) << '\n';
                        throw NkError(QStringLiteral("injected failure after the number was drawn"));
                    }
                });
                ImportDoc d;
                QString number;
                try {
                    number = d.saveAsSample(i, docCode).number;
                } catch (const NkError&) {
                    if (!fault)
                        throw;
                    number = d.saveAsSample(i, docCode).number;
                }
                out << number << '\n';
            }
            SaveSteps::setHook({});
        } catch (const NkError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            status = 4;
        }
        out.flush();
        delete DM;
        delete DMConfig;
        return status;
    }
};
