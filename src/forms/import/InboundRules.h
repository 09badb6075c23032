#pragma once
#include <QString>
#include <QStringList>
#include <functional>

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
SaveResult Save(const SaveInput& in);

} // namespace InboundRules
