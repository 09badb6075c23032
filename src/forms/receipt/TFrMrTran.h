#pragma once
#include "forms/base/TFrForm.h"
#include "forms/purchase/PurchaseLineEntry.h"
#include "forms/receipt/ReceiptSql.h"

#include <QDateTime>
#include <QPointer>
#include <QStringList>
#include <memory>

class CachedDataSet;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class TDataGrid;
class TDbDateEdit;
class TDbEdit;
class TDbNumberEdit;
class TFaGetDate;
class TFaGetDepartment;
class TFaGetDocNo;
class TFaGetImportLotNo;
class TFaGetProject;
class TFaGetRemark;
class TFaGetTaxCode;
class TFaGetVendor;
class TFaPurchaseLines;
class TFaPurchaseTotals;
class TLookupEdit;

// The vendor bill: a header and lines of goods or services received from a vendor, with
// tax, end-of-bill discounts, a deposit deducted and the payable total. Its configuration
// (MrType, MrDocCode, PayType) is set by start-up before the form is shown: PayType "D"
// writes credit bills (MrHd/MrDt), anything else cash bills (PcHd/PcDt). The rules that
// need no widget live in ReceiptRules, the amounts in the shared PurchaseTotals, the line
// entry in PurchaseLineEntry and the dialogs behind PurchasePickers / ReceiptPickers.
class TFrMrTran : public TFrForm {
    Q_OBJECT
public:
    explicit TFrMrTran(QWidget* parent = nullptr);
    ~TFrMrTran() override;

    static QString versionText() { return QStringLiteral(" [S12.02.09]"); }
    static QString defaultCaption() { return QStringLiteral("รับสินค้าเงินเชื่อ"); }

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
    int DocNoLength = 0;
    int PoNoLength = 0;
    bool AutoRun = false;
    QStringList TMPPo; // purchase orders loaded into this document

    // ---- data -----------------------------------------------------------------------------
    CachedDataSet* QHd = nullptr;
    CachedDataSet* QDt = nullptr;
    CachedDataSet* QPoHd = nullptr;
    std::unique_ptr<PurchaseLineEntry> Entry;

    // ---- header ---------------------------------------------------------------------------
    QWidget* PnHeader = nullptr;
    TFaGetDocNo* FaGetDocNo1 = nullptr;
    QLabel* LbEntryType = nullptr;
    QComboBox* EntryType = nullptr;
    TFaGetDate* FaGetDate1 = nullptr;
    TFaGetImportLotNo* FaGetImportLotNo1 = nullptr;
    QLabel* LbPoHd = nullptr;
    TLookupEdit* PoHd = nullptr;
    QToolButton* BtSearchPoNo = nullptr;
    QPushButton* BtLoadPo = nullptr;
    TFaGetVendor* FaGetVendor1 = nullptr;
    TFaGetTaxCode* FaGetTaxCode1 = nullptr;
    QCheckBox* CanUseTax = nullptr;
    QLabel* LbMrTaxNo = nullptr;
    TDbEdit* MrTaxNo = nullptr;
    QLabel* LbMrTaxDate = nullptr;
    TDbDateEdit* MrTaxDate = nullptr;
    QLabel* LbMrPrintTaxDate = nullptr;
    TDbDateEdit* MrPrintTaxDate = nullptr;
    QLabel* LbPriceIE = nullptr;
    QComboBox* Price_IE = nullptr;
    QLabel* LbDueDays = nullptr;
    TDbNumberEdit* DueDays = nullptr;
    QLabel* LbDueDate = nullptr;
    TDbDateEdit* DueDate = nullptr;
    QLabel* LbReference = nullptr;
    TDbEdit* Reference = nullptr;
    QLabel* LbPrepaid = nullptr;
    TDbEdit* PrepaidNo = nullptr;
    QToolButton* BtSearchPrepaid = nullptr;
    QLabel* LbPrePaidBalance = nullptr;
    TDbNumberEdit* PrePaidBalance = nullptr;
    TFaGetRemark* FaGetRemark1 = nullptr;
    TFaGetProject* FaGetProject1 = nullptr;
    TFaGetDepartment* FaGetDepartment1 = nullptr;

    // ---- lines and footer -----------------------------------------------------------------
    QTabWidget* PageControl1 = nullptr;
    TDataGrid* DgDt = nullptr;
    QGroupBox* GbDetail = nullptr;
    QPushButton* BtDeleteLine = nullptr;
    QPushButton* BtDisc = nullptr;
    TFaPurchaseTotals* Totals = nullptr;
    TFaPurchaseLines* Lines = nullptr;
    QMenu* PopLastPrice = nullptr;
    QMenu* PopDetail = nullptr;

    // ---- the document's life (Parts named after their handlers) ---------------------------
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    void OpenQuery(const QString& number);
    void MrNoExit();
    void BtSearchMrNoClick();
    bool CheckComplete();
    void FaGetVendor1Exit();
    void DueDaysExit();
    void FaGetDate1DocDateExit();
    void MrTaxNoExit();
    void Price_IEExit();
    void TaxCodeExit();
    void RefreshScreen();

    // ---- lines ----------------------------------------------------------------------------
    void SetDgDtColumn();
    void DgDtEnter();
    void DgDtExit();
    void ProductCodeCustomDlg();
    void UnitNameCustomDlg();
    void PoNoCustomDlg();
    void LastPriceClick();
    void LastPriceVendorClick();
    void ShowPurchaseHistory();
    void MenuItem1Click();
    void BtDeleteLineClick();
    void GetTotalExit(double typedTotal);
    bool CalculateAll(); // false when refused (the user was told where)

    // ---- purchase orders and deposit ------------------------------------------------------
    void PoHdExit();
    void BtSearchPoNoClick();
    void BtLoadPoClick();
    void AddPoToReceipt(int poId, const QString& poNo);
    void FaGetPrepaidBtSearchClick();
    void FaGetPrepaidDocNoExit();

    // Header values by their role in the name map.
    QDateTime docDate() const;
    int vendorId() const;
    bool credit() const { return PayType == QLatin1String("D"); }
    QString caption() const;

protected:
    void FormShow() override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool askExit() override;
    // The import-expense forms carry the import lot: it must be chosen before anything is
    // saved, and a bill without one is not theirs to open.
    bool ImportExpense = false;
    bool beforeSave();
    // Builds the statements and bindings for the current PayType (at show).
    void configure();
    void enableHeader(bool on);
    void setLineField(const QString& field, const QVariant& v);
    void lineChanged(const QString& field);
    void afterServiceEntered();
    QString lineDisplayColumn() const;

    void refreshHeaderControls();
    // Purchase orders: the open lines of one order of the bill's type (false when none), its
    // date against the bill's, and taking its header values and lines over.
    bool openOrder(int poId);
    bool orderDateAccepted();
    bool takeOverOrder(bool replaceLines, const QString& poNo, bool setPurchaseCode);

    bool m_inLines = false;
    PurchaseLineEntry::SavedUnit m_savedUnit;
    bool m_configured = false;
    QString m_poTextAtEnter;
    QString m_dueDaysAtEnter;
};
