#pragma once
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

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
        const int unit = Db::scalar(DM->DMdata(), "select Id from ProductUnits where Product = 1 and SmallUnitFlag = 'Y'").toInt();
        ImportDoc d;
        d.newHeader();
        d.line(1, unit, 1 + seed % 5, 100.25 + seed, 1);
        d.line(1, unit, 2, 0.1, 2);
        d.line(1, unit, 3, 0.2, 1);
        d.group(150.5);
        d.group(0.3);
        if (!InboundRules::CheckComplete(d.dt, d.duty, true, true).ok)
            throw NkError(QStringLiteral("the sample document is incomplete"));
        d.hd.SetField(QStringLiteral("Total"), InboundRules::CalculateAll(d.dt));
        d.hd.Post();
        InboundRules::SaveInput in = d.input(true);
        in.docCode = docCode;
        return InboundRules::Save(in);
    }

    // A workstation of its own, run as a child process started with SaverSwitch: saves `count`
    // sample documents on company DEMO of the working folder `folder` (its Server.Dat) and
    // prints their numbers, then on standard error the milliseconds the saves took (after
    // connecting). Returns the process's exit status.
    static constexpr const char* SaverSwitch = "--save-imports";
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
    static int runSaver(const QString& folder, int count, const QString& docCode = QStringLiteral("IMPORT"))
    {
        startWorkstation(folder);
        QTextStream out(stdout);
        int status = 0;
        try {
            DM->DMdata();
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < count; ++i)
                out << saveSample(i, docCode).number << '\n';
            std::fprintf(stderr, "%lld\n", timer.elapsed());
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
