#pragma once
#include "forms/purchase/TFrPurchaseDocument.h"
#include "forms/receipt/ReceiptSql.h"

#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TDbDateEdit;
class TDbEdit;
class TDbNumberEdit;
class TFaGetImportLotNo;
class TFaGetVendor;
class TLookupEdit;

// The vendor bill: a header and lines of goods or services received from a vendor, with
// tax, end-of-bill discounts, a deposit deducted and the payable total. Its configuration
// (MrType, MrDocCode, PayType) is set by start-up before the form is shown: PayType "D"
// writes credit bills (MrHd/MrDt), anything else cash bills (PcHd/PcDt). The rules that
// need no widget live in ReceiptRules, the amounts in the shared PurchaseTotals, the line
// entry in PurchaseLineEntry and the dialogs behind PurchasePickers / ReceiptPickers.
class TFrMrTran : public TFrPurchaseDocument {
    Q_OBJECT
public:
    explicit TFrMrTran(QWidget* parent = nullptr);
    ~TFrMrTran() override;

    static QString versionText() { return QStringLiteral(" [S12.02.09]"); }
    static QString defaultCaption() { return tr("รับสินค้าเงินเชื่อ"); }

    // ---- configuration (set before the form is shown) -------------------------------------
    QString MrType = QStringLiteral("S");
    QString MrDocCode = QStringLiteral("MR-S");
    QString PayType = QStringLiteral("D");

    // ---- state ----------------------------------------------------------------------------
    ReceiptSql::Names Names;
    bool DocumentIsNew = true;
    double TotalAtLoad = 0;
    QString PrepaidNoAtLoad;
    int PrepaidIdAtLoad = 0;
    int PoNoLength = 0; // of the purchase orders' code
    QStringList LoadedOrders; // purchase orders loaded into this document

    // ---- data -----------------------------------------------------------------------------
    CachedDataSet* QPoHd = nullptr;

    // ---- header ---------------------------------------------------------------------------
    TFaGetImportLotNo* FaGetImportLotNo = nullptr;
    QLabel* LbPoHd = nullptr;
    TLookupEdit* PoHd = nullptr;
    QToolButton* BtSearchPoNo = nullptr;
    QPushButton* BtLoadPo = nullptr;
    TFaGetVendor* FaGetVendor = nullptr;
    QLabel* LbMrTaxNo = nullptr;
    TDbEdit* MrTaxNo = nullptr;
    QLabel* LbMrTaxDate = nullptr;
    TDbDateEdit* MrTaxDate = nullptr;
    QLabel* LbMrPrintTaxDate = nullptr;
    TDbDateEdit* MrPrintTaxDate = nullptr;
    QLabel* LbDueDays = nullptr;
    TDbNumberEdit* DueDays = nullptr;
    QLabel* LbDueDate = nullptr;
    TDbDateEdit* DueDate = nullptr;
    QLabel* LbPrepaid = nullptr;
    TDbEdit* PrepaidNo = nullptr;
    QToolButton* BtSearchPrepaid = nullptr;
    QLabel* LbPrePaidBalance = nullptr;
    TDbNumberEdit* PrePaidBalance = nullptr;

    // ---- the document's life (Parts named after their handlers) ---------------------------
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    void OpenQuery(const QString& number);
    void MrNoExit();
    void BtSearchMrNoClick();
    void openNumber() override { MrNoExit(); }
    void searchNumber() override { BtSearchMrNoClick(); }
    bool CheckComplete();
    void FaGetVendorExit();
    void DueDaysExit();
    void FaGetDateDocDateExit();
    void MrTaxNoExit();
    void Price_IEExit();
    void TaxCodeExit() override;
    void RefreshScreen();

    // ---- lines ----------------------------------------------------------------------------
    void SetDgDtColumn() override;
    void DgDtEnter() override;
    void PoNoCustomDlg();
    void LastPriceClick();
    void LastPriceVendorClick();
    void ShowPurchaseHistory();
    void BtDeleteLineClick() override;
    void GetTotalExit(double typedTotal);

    // ---- purchase orders and deposit ------------------------------------------------------
    void PoHdExit();
    void BtSearchPoNoClick();
    void BtLoadPoClick();
    void AddPoToReceipt(int poId, const QString& poNo);
    void FaGetPrepaidBtSearchClick();
    void FaGetPrepaidDocNoExit();

    bool credit() const { return PayType == QLatin1String("D"); }
    QString caption() const;

protected:
    void FormShow() override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    bool numberTaken(const QString& number) const override;
    QString productSearchType() const override;
    // The import-expense forms carry the import lot: it must be chosen before anything is
    // saved, and a bill without one is not theirs to open.
    bool ImportExpense = false;
    bool beforeSave();
    // Builds the statements and bindings for the current PayType (at show).
    void configure();
    void enableHeader(bool on);
    void lineChanged(const QString& field) override;
    void afterServiceEntered();
    // Purchase orders: the open lines of one order of the bill's type (false when none), its
    // date against the bill's, and taking its header values and lines over.
    bool openOrder(int poId);
    bool orderDateAccepted();
    bool takeOverOrder(bool replaceLines, const QString& poNo, bool setPurchaseCode);

    QString m_poTextAtEnter;
    QString m_dueDaysAtEnter;
};
