#pragma once
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QtGlobal>

// An in-memory database holding just the tables the import cost statements read, with the
// columns they use. Amount columns are NUMERIC as in the company schema, so the engine keeps
// whole amounts as integers: the statements must still divide as real numbers.
namespace ImportCostTestDb {

inline QSqlDatabase create()
{
    static int n = 0;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cost%1").arg(++n));
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open())
        qFatal("cannot open the test database");
    const char* ddl[] = {
        "create table ImportLotNo (Id integer primary key, Code text, Description text, Active text)",
        "create table Misc (Id integer primary key, GroupCode text collate nocase, Code text, Description text)",
        "create table ProductView (Id integer primary key, Code text, ThaiName text)",
        "create table ImHd (Id integer primary key, DelFlag text, ImportLotNo integer, Currency integer, "
        "ExchangeRate numeric)",
        "create table ImDuty (Id integer primary key, ImHd integer, DutyNo integer, Total numeric)",
        "create table ImDt (Id integer primary key, ImHd integer, Product integer, ImDuty integer, "
        "Quantity numeric, Total numeric)",
        "create table ImDtDuty (ImportLotNo integer, Product integer, Duty numeric)",
        // Expense bills: a bill's lines decide what it adds (goods after discounts, VAT only
        // when it cannot be reclaimed); the defaults make a bill of untaxed goods.
        "create table Vendor (Id integer primary key, Code text, Name text)",
        "create table FrVendor (Id integer primary key, Code text, Name text)",
        "create table MrHd (Id integer primary key, ImportLotNo integer, DelFlag text, Total numeric, MrNo text, "
        "MrDate text, Vendor integer, Price_IE text default 'E', TaxRate numeric default 0, CanUseTax text default 'Y', "
        "DiscAmt1 numeric default 0, DiscAmt2 numeric default 0, DiscAmt3 numeric default 0, TaxCal numeric default 0, "
        "TaxTotal numeric default 0)",
        "create table MrDt (Id integer primary key, MrHd integer, TaxRate numeric default 0, Total numeric)",
        "create table PcHd (Id integer primary key, ImportLotNo integer, DelFlag text, Total numeric, PcNo text, "
        "PcDate text, Vendor integer, Price_IE text default 'E', TaxRate numeric default 0, CanUseTax text default 'Y', "
        "DiscAmt1 numeric default 0, DiscAmt2 numeric default 0, DiscAmt3 numeric default 0, TaxCal numeric default 0, "
        "TaxTotal numeric default 0)",
        "create table PcDt (Id integer primary key, PcHd integer, TaxRate numeric default 0, Total numeric)",
        "create table FrMiscPdHd (Id integer primary key, ImportLotNo integer, DelFlag text, FrMiscPdNo text, "
        "FrMiscPdDate text, FrVendor integer)",
        "create table FrMiscPdDt (Id integer primary key, FrMiscPdHd integer, PaidAmount numeric, TaxAmount numeric)",
    };
    QSqlQuery q(db);
    for (const char* s : ddl)
        if (!q.exec(QString::fromLatin1(s)))
            qFatal("%s", qPrintable(q.lastError().text()));
    return db;
}

inline bool exec(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

// An expense bill of untaxed goods worth `total` in one line ("MrHd" or "PcHd").
inline bool addBill(const QSqlDatabase& db, const char* table, int id, int lot, const char* delFlag, double total)
{
    const QString hd = QLatin1String(table);
    const QString dt = hd.left(2) + QStringLiteral("Dt");
    return exec(db, QStringLiteral("insert into %1 (Id, ImportLotNo, DelFlag, Total) values (%2, %3, '%4', %5)")
                        .arg(hd).arg(id).arg(lot).arg(QLatin1String(delFlag)).arg(total))
           && exec(db, QStringLiteral("insert into %1 (%2, Total) values (%3, %4)").arg(dt, hd).arg(id).arg(total));
}

} // namespace ImportCostTestDb
