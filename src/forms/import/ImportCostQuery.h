#pragma once
#include "data/DbUtil.h"
#include "forms/import/ImportCostCalc.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>

// The statements of the import cost: they read, for one import lot, the products with their
// quantities, values and duty, the lot's expenses, its currency and its code. Read only; the
// lot id is always a bound parameter.
namespace ImportCostQuery {

// Statement texts (parameter :GetId / :Getid / :getid = the import lot id). The cost rows'
// statement is spelled for the engine that runs it.
QString CostSql(Db::Backend backend);
// The expense documents of the lot, one row each: credit bills, cash bills and foreign
// miscellaneous payments that are not deleted, with what is needed to tell what each adds.
QString DocumentsSql();
QString CurrencySql();
QString LotSql();
// Per product of the lot: the quantity in small units and the product's weights and sizes,
// for the split bases other than value.
QString MeasureSql();

// One row per product of the lot, ordered by product code. Lines of cancelled import
// documents do not count.
QVector<ImportCostQueryRow> CostRows(const QSqlDatabase& db, qint64 lotId);
// Expense bills (credit and cash) and foreign miscellaneous payments of the lot that are not
// deleted, oldest first, each with what it adds to the landed cost.
QVector<LotExpenseDocument> LotDocuments(const QSqlDatabase& db, qint64 lotId);
// What those documents add together; 0 when there are none.
double LotExpense(const QSqlDatabase& db, qint64 lotId);
// Trimmed currency code of the first import document of the lot that is not cancelled;
// empty when there is none.
QString LotCurrency(const QSqlDatabase& db, qint64 lotId);

struct LotInfo {
    bool Found = false;
    QString Code;
    QString Description;
};
LotInfo Lot(const QSqlDatabase& db, qint64 lotId);
// Fills the stock quantity, weights and sizes of the rows (matched by product id).
void ReadMeasures(const QSqlDatabase& db, qint64 lotId, QVector<ImportCostQueryRow>& rows);

// What the result form shows: the cost rows, and when there are any, the expenses and the
// currency of the lot (neither is read for a lot without rows). The measures are read only
// for a basis other than value, which needs them.
struct Input {
    QVector<ImportCostQueryRow> Rows;
    QVector<LotExpenseDocument> Documents;
    double LotExpense = 0; // what Documents add
    QString Currency;
};
Input Read(const QSqlDatabase& db, qint64 lotId, CostBasis basis = CostBasis::Value);

} // namespace ImportCostQuery
