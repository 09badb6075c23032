#pragma once
#include "forms/import/ImportCostCalc.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

// The landed cost a foreign order's goods are expected to have, worked out when the order is
// placed from what earlier lots cost, and, once a lot whose imports took over such orders is
// costed, the estimate set against the actual cost with the difference split into its causes.
// No database and no widget: the order's page, the import cost form and the tests call it.
//
// Estimate of a line: goods = round2(line amount x expected rate); duty = round2(goods x duty
// share / 100) where the product's share is known, none otherwise; expenses = round2(goods x
// expense share / 100); landed cost = goods + duty + expenses; per unit = round4(landed cost /
// quantity). Shares are percentages to 4 decimals.
class LandedCostEstimate {
public:
    // ---- defaults and where they came from ----------------------------------------------

    // The latest saved import document in the order's currency.
    struct RateSource {
        bool Found = false;
        double Rate = 0;
        qint64 ImHd = 0;
        QString DocNo;
        QDate DocDate;
    };
    // One costed lot as its cost sheet gives it: the lot's expenses and goods value in baht.
    struct LotFigures {
        qint64 Lot = 0;
        QString Code;
        double Expense = 0;
        double Baht = 0;
    };
    struct ExpenseSource {
        bool Found = false;
        double Share = 0;          // mean of the lots' shares, 4 decimals
        QString Lots;              // the lots averaged, latest first: "LOT-B 8.0000%, LOT-A 10.0000%"
        bool VendorOnly = false;   // the lots of the order's vendor (else of every vendor)
        bool VendorHadNone = false; // the vendor's lots were asked for and there were none
    };
    // The expenses as a share of the goods' baht value, averaged over the first `count` lots
    // (latest first) that have a baht value; lots worth 0 baht give no share and are passed.
    static ExpenseSource AverageExpenseShare(const QVector<LotFigures>& latestFirst, int count);

    // A product in one costed lot: its goods value and duty in baht as the lot's cost sheet
    // has them (2 decimals), and when the lot arrived (the date of its latest document).
    struct ProductInLot {
        int Product = 0;
        qint64 Lot = 0;
        QString LotCode;
        QDate Arrived;
        double Baht = 0;
        double Duty = 0;
    };
    struct DutySource {
        bool Found = false;
        double Share = 0; // duty x 100 / baht value, 4 decimals
        qint64 Lot = 0;
        QString LotCode;
    };
    // Per product, the share of the latest lot in which its goods had a baht value (a later
    // lot in which they were worth 0 gives no share and is passed).
    static QHash<int, DutySource> DutyShares(const QVector<ProductInLot>& rows);

    // ---- the estimate of one order ------------------------------------------------------

    struct Header {
        QDate EstDate;            // when the defaults were taken
        int Vendor = 0;
        int Currency = 0;
        bool HasRate = false;
        double Rate = 0;
        bool RateTyped = false;
        RateSource RateFrom;      // where the rate came from when not typed
        bool HasExpenseShare = false;
        double ExpenseShare = 0;
        bool ExpenseTyped = false;
        ExpenseSource ExpenseFrom; // where the share came from when not typed
    };
    struct Line {
        // The order line.
        qint64 OrderLine = 0; // FrPoDt.Id, 0 until the line is saved
        int Product = 0;
        QString Code, Name, Unit;
        double Quantity = 0, Fraction = 1, Amount = 0;
        // The duty share used.
        bool DutyLookedUp = false; // the default of Product was taken (or the share was typed)
        bool HasDutyShare = false;
        double DutyShare = 0;
        bool DutyTyped = false;
        DutySource DutyFrom;       // where the share came from when not typed
        // Computed.
        bool HasCost = false;      // false without an expected rate
        double GoodsBaht = 0, Duty = 0, Expense = 0, LandedCost = 0;
        bool HasUnitCost = false;  // false also for a quantity of 0
        double UnitCost = 0;
    };

    Header header;
    QVector<Line> lines;

    // Takes the defaults (the rate, the expense share, and each line's duty share not looked
    // up yet); a value the user typed stays.
    void applyRate(const RateSource& source);
    void applyExpenseShare(const ExpenseSource& source);
    void applyDutyShares(const QHash<int, DutySource>& shares);
    // Values the user typed (`has` false: none); a typed value is kept until the defaults are
    // taken again.
    void typeRate(bool has, double rate);
    void typeExpenseShare(bool has, double share);
    void typeDutyShare(int line, bool has, double share);

    // Each line's amounts and the order's total.
    void compute();
    bool hasTotal() const { return m_hasTotal; }
    double total() const { return m_total; }

    // Products whose duty default is still to be looked up.
    QList<int> productsToLookUp() const;

    // ---- estimate against actual --------------------------------------------------------

    // What a lot's imports received of one estimated order line (or, with HasEstimate false,
    // of no estimated line): small units received and the estimate line's figures.
    struct Receipt {
        int Product = 0;
        double Received = 0;     // small units: quantity x fraction of the import lines
        bool HasEstimate = false;
        bool EstimateHasCost = false; // the estimate had a rate
        bool EstimateHasDuty = false;
        double Ordered = 0;      // small units the estimate line was for
        double Amount = 0, GoodsBaht = 0, Duty = 0, Expense = 0, LandedCost = 0;
        QString OrderNo;
    };
    // Per product of the lot, in the sheet's order, per unit of the sheet's quantity.
    struct Comparison {
        enum class Status { Compared, NoEstimate, NoQuantity };
        Status State = Status::NoEstimate;
        qint64 Product = 0;
        QString Code, Name, Orders;
        double Quantity = 0;      // the sheet's quantity
        double Estimated = 0;     // per unit, 4 decimals
        double Actual = 0;        // the sheet's cost per unit
        double Difference = 0;    // actual less estimated
        bool HasPercent = false;
        double Percent = 0;       // of the estimate, 2 decimals
        // The difference split: each step puts one actual figure in place of the estimated one.
        double Rate = 0, Price = 0, DutyPart = 0, ExpensePart = 0;
        bool EstimateWithoutDuty = false; // some estimated line had no duty share
        // Per unit, for the picture: goods, duty, expenses estimated and actual.
        double EstGoods = 0, EstDuty = 0, EstExpense = 0;
        double ActGoods = 0, ActDuty = 0, ActExpense = 0;
    };
    static QVector<Comparison> Compare(const ImportCostResult& actual, const QVector<Receipt>& receipts);
    static bool anyCompared(const QVector<Comparison>& rows);

private:
    bool m_hasTotal = false;
    double m_total = 0;
};
