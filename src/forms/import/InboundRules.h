#pragma once
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "data/NkError.h"
#include "data/OrderReceipts.h"
#include "data/SaveSteps.h"

class CachedDataSet;

// The rules of the import document that need no widget: the header total, the duty group
// numbering, the validation walk and the save sequence. The form calls them; tests call
// them directly.
namespace InboundRules {

// Header total: the sum of the lines' Total in grid order; the current line is kept.
double CalculateAll(CachedDataSet& lines);

// Renumbers the duty groups 1, 2, 3 ... in their current order; returns their count.
int RenumberDuty(CachedDataSet& duty);

// A line's duty number as saved: empty or 0 means group 1.
int EffectiveDutyNo(const QVariant& dutyNo);

struct CheckResult {
    enum class Focus { None, DutyAmount, ImportLot, LineDutyNo };
    bool ok = false;
    QStringList messages; // in the order they are shown
    Focus focus = Focus::None;
    int row = -1;         // the line or duty row to put the cursor on
};

// The validation walk, in its order: removes product-less lines (up to the first failing
// line), removes duty groups without an amount and renumbers the rest. A line whose duty
// number names no remaining group is refused too, so no line is ever written without a
// valid duty group.
CheckResult CheckComplete(CachedDataSet& lines, CachedDataSet& duty, bool importLotFilled, bool thai);

// Steps of the saving transaction: the step hook every document save shares (SaveSteps).
using SaveStep = SaveSteps::Step;
inline void setSaveStepHook(std::function<void(SaveStep)> hook) { SaveSteps::setHook(std::move(hook)); }
inline void reportStep(SaveStep step) { SaveSteps::report(step); }

// ---- foreign order lines taken over (ImDt.PoDt) -------------------------------------------

// The order lines a document's lines took over, as read: what the other documents had
// received of each (`others`) and what this document held as stored (`mine`).
using OrdersSeen = QHash<int, OrderReceipts::Line>;

// What the lines receive of each order line they took over, in small units, and the first
// line (row) that names it.
struct Taken {
    double quantity = 0;
    int row = -1;
};
QHash<int, Taken> TakenByLines(const CachedDataSet& lines);

// An order line that the lines would receive beyond what it had outstanding for this
// document (and beyond what the document held already), with the question naming the line
// and the excess in the line's unit.
struct OverReceipt {
    int orderLine = 0;
    int row = -1;
    double excess = 0; // small units
    QString question;
};
QList<OverReceipt> OverReceipts(const CachedDataSet& lines, const OrdersSeen& seen, bool thai);

// A save that would receive more of an order line than it has outstanding now, where the
// user did not agree to that or another document received of it since the lines were read.
// `now` holds the lines as locked in the saving transaction. Nothing when all is well.
struct Refusal {
    int row = -1;
    QString poNo;
    QString text;
};
std::optional<Refusal> CheckOrders(const CachedDataSet& lines, const OrdersSeen& now, const OrdersSeen& seen,
                                   const QSet<int>& agreed, bool thai);

// The refusal as the save throws it; the document stays as typed.
class OrderRefused : public NkError {
public:
    explicit OrderRefused(const Refusal& r)
        : NkError(r.text, Kind::General, r.text), refusal(r) {}
    Refusal refusal;
};

// Texts of the taken-over orders.
QString ReceivedInFullText(bool thai);

struct SaveInput {
    CachedDataSet* header = nullptr;
    CachedDataSet* lines = nullptr;   // null for bills brought forward
    CachedDataSet* duty = nullptr;    // null for bills brought forward
    bool autoRun = false;
    QString typedNumber;              // kept when numbering is manual
    QString docCode = QStringLiteral("IMPORT");
    bool beginBalance = false;        // bills brought forward
    int beginLotId = 0;               // the "BEGIN" lot of bills brought forward
    bool runGL = false;
    OrdersSeen orders;                // the order lines as the document saw them
    QSet<int> overAgreed;             // order lines the user agreed to receive beyond the order
    bool thai = true;
};
struct SaveResult {
    int id = 0;
    QString number;
    int year = 0;
};

// One transaction: number (refused when in use), header (its Id from its insert, its total
// that of the lines), log, duty groups, lines, GL, commit. On any failure: rollback and
// rethrow; every cached change stays for another try. The change logs are cleared only
// after the commit.
// The lines' order lines are locked and checked before the lines are written
// (CheckOrders; OrderRefused), and computed again from the imports after.
SaveResult Save(const SaveInput& in);

// Soft delete in one transaction: DelFlag "Y", the user log, and the order lines the
// document took over computed again without it. On failure: rollback and rethrow, the
// header as it was.
void Delete(CachedDataSet& header);
// A bill brought forward is removed for good, with the user log, in one transaction. On
// failure: rollback and rethrow, the header as it was, in edit.
void DeleteBeginBalance(CachedDataSet& header);
// The import lot "BEGIN" of the bills brought forward, made when missing; its Id.
int EnsureBeginLot();

} // namespace InboundRules
