#pragma once
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// What the foreign orders have received: an order line (FrPoDt) holds in Received the sum,
// in small units (Quantity x Fraction), of the lines of the live import documents (ImDt.PoDt,
// ImHd.DelFlag not "Y") that took it over; BackOrder is what is still to come (never below 0),
// Clear "Y" when nothing is, and the order (FrPoHd) is Clear "Y" when every line is. These
// are always computed again from the imports, one statement for a set of lines, inside the
// saving transaction of whatever changed them, so an order equals what its imports hold.
namespace OrderReceipts {

// Small differences of binary arithmetic are no quantity.
inline constexpr double Epsilon = 0.000001;

struct Line {
    int id = 0;            // FrPoDt.Id
    QString poNo;          // the order's number as stored
    int recNo = 0;         // the line's place in its order
    double fraction = 1;   // small units in the order line's unit
    double ordered = 0;    // Quantity x Fraction
    double others = 0;     // received by the live import documents other than the given one
    double mine = 0;       // held by the given document as stored
    double free() const { return ordered - others; } // what the given document may hold
};

// The order lines `ids` with what the live import documents other than `document` received
// of each and what `document` holds as stored (0 for a new one).
QHash<int, Line> Read(const QSqlDatabase& db, const QList<int>& ids, int document);
// The same after locking the lines against every other saving transaction until this one
// ends (the server locks the rows in Id order; SQLite's writing transactions queue anyway),
// so what is read stays true until the commit.
QHash<int, Line> Lock(const QSqlDatabase& db, const QList<int>& ids, int document);
// Locks every line of one order (the order form's save).
void LockOrder(const QSqlDatabase& db, int order);
// The order lines an import document's stored lines took over.
QList<int> LinesOfDocument(const QSqlDatabase& db, int document);

// Received, BackOrder and Clear of the lines `ids`, and Clear of their orders, from the
// imports as they stand in the transaction.
void Recompute(const QSqlDatabase& db, const QList<int>& ids);
// The same for every line of one order.
void RecomputeOrder(const QSqlDatabase& db, int order);
// The same for every order of the company (the upgrade); returns the number of lines.
int RecomputeAll(const QSqlDatabase& db);

} // namespace OrderReceipts
