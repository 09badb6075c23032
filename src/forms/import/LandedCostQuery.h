#pragma once
#include "forms/import/LandedCostEstimate.h"

#include <QSqlDatabase>

// The statements of the landed cost estimates: the defaults an order's estimate is made
// from (the latest import document's rate, the latest costed lots' expenses, each product's
// duty in its latest costed lot), the estimate stored with the order, and what a lot's
// imports received of estimated order lines. Read statements bind every value they are
// given; a failure is thrown as NkError.
//
// A lot counts as costed once it holds a live import document (not cancelled, not a bill
// brought forward) and a live expense document (a credit or cash expense bill or a foreign
// miscellaneous payment): before its first bill its sheet would show goods and duty without
// expenses. The latest lot is the one whose latest such import document is dated last.
namespace LandedCostQuery {

// True when the company has the estimate tables (namkhao-db upgrade adds them).
bool Available(const QSqlDatabase& db);

// The company's setting for the expected expenses (FrPoEstSetting; 3 lots of the vendor when
// there is no row). Fewer than 1 lot counts as 1.
struct Setting {
    int Lots = 3;
    bool VendorOnly = true;
};
Setting ReadSetting(const QSqlDatabase& db);

// The rate of the latest live import document (by date, then by Id) in the currency whose
// rate is above 0.
LandedCostEstimate::RateSource ExpectedRate(const QSqlDatabase& db, int currency);
// The costed lots, latest first; with vendor > 0 only those holding a live import document of
// that foreign vendor.
struct CostedLot {
    qint64 Lot = 0;
    QString Code;
    QDate Arrived; // the date of its latest live import document
};
QVector<CostedLot> CostedLots(const QSqlDatabase& db, int vendor);
// A lot's goods value in baht as its cost sheet totals it: each product's value rounded to
// 2 decimals, summed.
double LotBaht(const QSqlDatabase& db, qint64 lot);
// The expense share averaged over the latest costed lots as the setting says: each lot's
// expenses and goods value as its cost sheet computes them. Of the vendor's lots when the
// setting asks for them and the vendor has any, else of every vendor's.
LandedCostEstimate::ExpenseSource ExpectedExpenses(const QSqlDatabase& db, int vendor, const Setting& setting);
// Each product's goods value and duty in every one of the lots that held it.
QVector<LandedCostEstimate::ProductInLot> ProductLots(const QSqlDatabase& db, const QList<int>& products,
                                                      const QVector<CostedLot>& lots);
// Takes every default the estimate still lacks: the rate (for the order's currency), the
// expense share (for its vendor) and the duty shares of the lines not looked up yet. Values
// the user typed stay.
void TakeDefaults(const QSqlDatabase& db, LandedCostEstimate& estimate, bool rate, bool expenses);

// ---- stored with the order ----------------------------------------------------------------

// The order's stored estimate: false when it has none. Lines come keyed by their order line
// (FrPoDt.Id), with their duty shares and sources; the amounts are computed again.
bool Load(const QSqlDatabase& db, int order, LandedCostEstimate::Header& header,
          QHash<qint64, LandedCostEstimate::Line>& lines);
// Replaces the order's stored estimate by this one (every line must carry its OrderLine),
// inside the caller's transaction.
void Store(const QSqlDatabase& db, int order, const LandedCostEstimate& estimate);
// Removes the order's stored estimate, inside the caller's transaction.
void Remove(const QSqlDatabase& db, int order);

// ---- estimate against actual --------------------------------------------------------------

// Per import line of the lot: the small units received and the figures of the estimated order
// line it took over (a line without an estimate counts its units only). The lines are those
// the cost sheet counts.
QVector<LandedCostEstimate::Receipt> Receipts(const QSqlDatabase& db, qint64 lot);

// Statement texts, for the benchmark.
QString ReceiptsSql();
QString ProductLotsSql(const QList<int>& products, const QVector<CostedLot>& lots);
QString ProductDutySql(const QList<int>& products, const QVector<CostedLot>& lots);

} // namespace LandedCostQuery
