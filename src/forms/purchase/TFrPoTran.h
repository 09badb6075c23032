#pragma once
#include "forms/purchase/PoSql.h"
#include "forms/purchase/TFrPurchaseDocument.h"

#include <functional>

class CachedDataSet;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QToolButton;
class TDbDateEdit;
class TDbEdit;
class TDbNumberEdit;
class TFaPicker;
class TFrPoShip;

// The purchase order: the header (vendor, dates, credit, tax basis, payment kind, request
// reference), the ordered lines and the totals. It holds the order's whole life: new, open by
// number, the completeness check, save, delete, copy of another order (F6) and approval (F9).
// The configuration (ForeignOrder, PoType) is set before the form is shown and decides the
// tables, the vendor and the document code (PoSql::Config). The rules without widgets live in
// PoRules, the amounts in the shared PurchaseTotals, the line entry in PurchaseLineEntry and
// the dialogs behind PurchasePickers. The foreign order (TFrFrPoTran) adds its vendor,
// currency and proforma number; the domestic order's delivery address, request conversion
// and credit check are its configuration's switches and are not built.
class TFrPoTran : public TFrPurchaseDocument {
    Q_OBJECT
public:
    explicit TFrPoTran(QWidget* parent = nullptr);
    ~TFrPoTran() override;

    static QString defaultCaption() { return tr("ใบสั่งซื้อสินค้า"); }

    // ---- configuration (set before the form is shown) -------------------------------------
    bool ForeignOrder = false;
    QString PoType = QStringLiteral("P");
    PoSql::Config Cfg;
    // The dialog of the delivery place, created by start-up beside the form.
    TFrPoShip* FrPoShip = nullptr;

    // ---- state ----------------------------------------------------------------------------
    bool NewDocument = true;
    double TotalAtLoad = 0;
    QString VendorCodeOnEnter;

    // What a configuration adds to the order's life: run inside the save's transaction after
    // the lines are written (with the order's Id), and after another order was copied (F6).
    std::function<void(int id)> SaveExtras;
    std::function<void(const CachedDataSet& header, const CachedDataSet& lines)> Copied;

    // ---- toolbar --------------------------------------------------------------------------
    QAction* AcApprove = nullptr;
    QToolButton* BApprove = nullptr;

    // ---- header ---------------------------------------------------------------------------
    QGridLayout* HeaderGrid = nullptr;
    QLabel* LbPurcReqNo = nullptr;
    TDbEdit* PurcReqNo = nullptr;
    QToolButton* BtPurcReqNo = nullptr;
    QLabel* LbPurcReqDate = nullptr;
    TDbDateEdit* PurcReqDate = nullptr;
    QLabel* LbPaidType = nullptr;
    QComboBox* PaidType = nullptr;
    QLabel* LbShipDate = nullptr;
    TDbDateEdit* ShipDate = nullptr;
    QLabel* LbCreditDays = nullptr;
    TDbNumberEdit* CreditDays = nullptr;
    QLabel* LbDays = nullptr;

    // ---- the document's life --------------------------------------------------------------
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    void AcPrintExecute() override;
    void AcCopyExecute() override;
    void AcApproveExecute();
    void OpenQuery(const QString& number);
    virtual void PoNoExit();
    virtual void BtSearchNoClick();
    void openNumber() override { PoNoExit(); }
    void searchNumber() override { BtSearchNoClick(); }
    bool CheckComplete();
    void BtPurcReqNoClick();
    void Price_IEExit();
    void TaxCodeExit() override;
    void RefreshScreen();

    // ---- lines ----------------------------------------------------------------------------
    void SetDgDtColumn() override;
    void DgDtEnter() override;
    void WhCodeCustomDlg();
    void LastPriceClick(); // the vendor's last prices
    void LastPriceAllClick();        // any vendor's
    void BtDeleteLineClick() override;
    void ReCalculatePrice();

protected:
    void FormShow() override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    bool numberTaken(const QString& number) const override;
    QString productSearchType() const override;

    // What the configurations add: the vendor picker, the order search, English texts.
    virtual TFaPicker* vendorPicker() const { return nullptr; }
    // The number of another order of this kind, chosen by the user (empty: none).
    virtual QString pickOrderNo();
    virtual void applyLanguage(bool thai);
    // Fields that only a new order may change.
    virtual void enableHeader(bool on);
    void VendorEnter();
    // The vendor code differs from the one on entering: the configuration takes its terms.
    virtual void VendorChanged() {}

    void configure();
    void refreshHeaderControls() override;
    void lineChanged(const QString& field) override;
    void shipDateEnter();
    // The line's received and outstanding quantities in its unit, after its quantity or unit
    // changed.
    void showReceived(int row);

    bool m_gridWired = false;
    CachedDataSet* QCopyHd = nullptr; // the chosen order of a copy
    CachedDataSet* QCopyDt = nullptr;
};
