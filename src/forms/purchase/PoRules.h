#pragma once
#include "forms/purchase/PoSql.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

class CachedDataSet;

// The rules of the purchase order that need no widget: the walk over the lines before a
// save, the outstanding quantity of a line, the saving, deleting and approving transactions
// and the copy of another order. The form calls them; tests call them directly.
namespace PoRules {

struct CheckResult {
    bool ok = false;
    int row = -1;   // the line the walk stopped on
    QString field;  // and the column to correct there
};
// Walks the lines from the first: a line without product is removed (the next one becomes
// current, nothing counted); a line needs a unit and a quantity above 0, and with
// warehouseRequired a goods line its warehouse. The walk stops at the first line that fails.
// True when nothing failed and at least one line was counted.
CheckResult CheckLines(CachedDataSet& lines, bool warehouseRequired);

// What a line still waits for, in small units, when its order is saved. A line of a new order
// (or a line added to a saved one) waits for all it orders; a line of a saved order keeps what
// it waited for as read, changed by the change of its ordered quantity since it was read, and
// never below 0.
double BackOrderAtSave(bool newOrder, const QVariant& backOrderAsRead, double quantity, double fraction,
                       const QVariant& quantityAsRead, const QVariant& fractionAsRead);

struct SaveInput {
    PoSql::Config config;
    CachedDataSet* header = nullptr;
    CachedDataSet* lines = nullptr;
    bool autoRun = false;
    bool newDocument = true;
    QString approvedSetting; // Config.PO_Approved: what a new order stores in Approved
    // Runs inside the transaction after the lines are written, with the order's Id.
    std::function<void(int id)> afterLines;
};
struct SaveResult {
    int id = 0;
    QString number;
    QDateTime date;
};
// One transaction: the number (drawn, or the typed one refused when in use), the header,
// the user log, the lines (linked, numbered, dated, their received and outstanding
// quantities), commit. On failure: rollback and rethrow with every cached change kept for
// another try (an automatic number drawn inside is cleared again).
SaveResult Save(const SaveInput& in);

// Soft delete: DelFlag "Y", the user log, every line removed (and a foreign order's
// estimate). On failure: rollback, the order
// stays as it was opened.
void Delete(const PoSql::Config& config, CachedDataSet& header, CachedDataSet& lines);

// Approved "Y" on the stored order, in its own transaction.
void Approve(const PoSql::Config& config, int id);

// Copy of another order into the new one: every header column but the number and the Id
// (Approved as the company's setting), then the other order's lines in place of the new
// order's (every column but the Id).
void CopyHeader(const CachedDataSet& source, CachedDataSet& header, const QString& approvedSetting);
void CopyLines(const CachedDataSet& source, CachedDataSet& lines);

} // namespace PoRules
