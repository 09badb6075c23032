#pragma once
#include "forms/purchase/PurchaseTotals.h"

#include <QWidget>

class CachedDataSet;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TDbEdit;
class TDbNumberEdit;

// The footer every purchase document shows under its lines: the three end-of-bill
// discounts with their sum (GbDiscount), the totals (GbTotal: deposit deducted on bills,
// taxed and untaxed goods, amount, tax, total) and the tax-adjustment box. It keeps the
// amounts computed through PurchaseTotals: leaving a discount, the deposit amount or the tax
// recomputes; the owner calls CalculateAll after its own changes (lines, price basis, tax
// code, opening, saving). The owning form places GbDiscount, GbTotal and TaxAdjusted.
class TFaPurchaseTotals : public QObject {
    Q_OBJECT
public:
    TFaPurchaseTotals(QWidget* parent, PurchaseTotals::Kind kind, bool withDeposit);

    void bind(CachedDataSet* header, CachedDataSet* lines);

    QGroupBox* GbDiscount = nullptr;
    QGroupBox* GbTotal = nullptr;
    QLabel* LbDiscName = nullptr;
    QLabel* LbDiscRate = nullptr;
    QLabel* LbDiscAmt = nullptr;
    TDbEdit* DiscName[3] = {};
    TDbNumberEdit* DiscRate[3] = {};
    TDbNumberEdit* DiscAmt[3] = {};
    QLabel* LbSumDiscount = nullptr;
    QLineEdit* SumDiscount = nullptr;
    QLabel* LbPrepaidAmount = nullptr;
    TDbNumberEdit* PrepaidAmount = nullptr; // bills only
    QLabel* LbTaxAmt = nullptr;
    TDbNumberEdit* TaxAmt = nullptr;
    QLabel* LbNoTaxAmt = nullptr;
    TDbNumberEdit* NoTaxAmt = nullptr;
    QLabel* LbAmountProduct = nullptr;
    QLineEdit* AmountProduct = nullptr;
    QLabel* LbTaxTotal = nullptr;
    TDbNumberEdit* TaxTotal = nullptr;
    QLabel* LbTotal = nullptr;
    TDbNumberEdit* Total = nullptr;
    QCheckBox* TaxAdjusted = nullptr;

    // Every line and the document; false after a discount text that is not a number or a
    // deposit above the goods it comes off: the user was told, refused() named the place,
    // and the amounts stay as they were.
    bool CalculateAll();
    // The user left the tax field.
    void TaxTotalExit();
    // The adjustment state of a document just opened, from its stored tax and computed tax.
    void RefreshAdjusted();
    // Back to a new document: no adjustment, the two displays at 0.
    void Reset();
    void applyLanguage();

    const PurchaseTotals::Result& last() const { return m_last; }
    bool taxAdjusted() const { return m_adjusted; }

signals:
    void calculated();
    // The calculation was refused because of this line's field (row -1: a header field such
    // as PrepaidAmount): the line frame tells the user and puts the cursor there.
    void refused(int row, const QString& field, const QString& message);

private:
    void show(const PurchaseTotals::Result& r);
    void showAdjusted(bool adjusted, double taxCal);

    PurchaseTotals::Kind m_kind;
    CachedDataSet* m_hd = nullptr;
    CachedDataSet* m_dt = nullptr;
    PurchaseTotals::Result m_last;
    bool m_adjusted = false;
    bool m_busy = false;
};
