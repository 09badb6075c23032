#pragma once
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"

// An import document held in the form's own data sets (header, lines, duty groups, the Id
// read-back), filled without widgets and saved through the form's save path.
struct ImportDoc {
    CachedDataSet hd, dt, duty, hdId;
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
        hdId.setSQL(InboundSql::HeaderIdReadBack);
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
        in.idReadBack = &hdId;
        in.autoRun = autoRun;
        in.typedNumber = typed;
        in.runGL = DM->ConfigText("AutoGenGL") == "Y";
        return in;
    }
};
