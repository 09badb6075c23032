#pragma once
#include "forms/base/TFrHdDtTransaction.h"
#include "forms/import/InboundRules.h"
#include "forms/purchase/PurchaseLineEntry.h"

#include <memory>

#include <QStringList>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDbEdit;
class TDbNumberEdit;
class TFaGetFrVendor;
class TFaGetImportLotNo;
class TFaGetMisc;
class TFaGetRemark;
class TFaGetWarehouse;
class TFrSearchImNo;
class NkError;

// Import of goods from abroad: the shipment's arrival with its foreign vendor, currency and
// exchange rate, import lot, product lines and duty groups.
class TFrInbound : public TFrHdDtTransaction {
    Q_OBJECT
public:
    explicit TFrInbound(QWidget* parent = nullptr);
    ~TFrInbound() override;

    QString PoType;          // "P" for program code INBOUND; empty for bills brought forward
    int FrPoNoLength = 0;
    QStringList LoadedOrders;      // foreign orders loaded into this document
    // The order lines the lines took over, as read when they were taken over or the
    // document was opened: what the save may receive without a question.
    InboundRules::OrdersSeen OrdersSeen;

    CachedDataSet* QDuty = nullptr;
    CachedDataSet* QFrPo = nullptr;
    std::unique_ptr<PurchaseLineEntry> Entry;

    TFaGetImportLotNo* FaGetImportLotNo = nullptr;
    QLabel* LbTransportNo = nullptr;
    TDbEdit* TransportNo = nullptr;
    TFaGetFrVendor* FaGetFrVendor = nullptr;
    TFaGetMisc* FaGetMisc = nullptr;
    QLabel* LbExchangeRate = nullptr;
    TDbNumberEdit* ExchangeRate = nullptr;
    TFaGetWarehouse* FaGetWarehouse = nullptr;
    TFaGetRemark* FaGetRemark = nullptr;
    QPushButton* BtLoadFrPo = nullptr;
    TDataGrid* DgDuty = nullptr;
    QLabel* LbTotal = nullptr;
    TDbNumberEdit* Total = nullptr;
    // The header below number and date: pickers on the left, label and field on the right.
    QGridLayout* HeaderGrid = nullptr;

    // ---- the document's life ---------------------------------------------------------
    void FormShow() override;
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    virtual void FaGetDocNoDocNoExit();
    void openNumber() override { FaGetDocNoDocNoExit(); }
    void searchNumber() override { FaGetDocNoBtSearchClick(); }
    QList<CachedDataSet*> documentDataSets() const override;
    void OpenQuery(const QString& number);
    bool CheckComplete();
    void FaGetDocNoBtSearchClick();
    void BtLoadFrPoClick();
    void FaGetFrVendorVendorExit();
    void FaGetDateDocDateExit();
    void FaGetImportLotNoCodeEnter();

    // ---- lines and duties --------------------------------------------------------------
    void SetDgDtColumn();
    void SetDutyColumns();
    void ProductCodeExit();
    void ProductCodeCustomDlg();
    void WhCodeCustomDlg();
    void UnitNameCustomDlg();
    void LotCodeCustomDlg();
    void LotCodeExit();
    void BtDeleteLineClick();
    void CalculateAll();
    void QDutyAfterPost();
    void LoadFrPo(const QString& number);

protected:
    virtual bool beginBalance() const { return false; }
    void applyLanguage();
    void alignCaptions();
    // Builds the print step after a save; the bills brought forward have none.
    virtual void printAfterSave(const QString& number, int year);
    // A save refused because its number is in use: the message, and (numbers typed by hand)
    // the number field opens again for another number; the document stays as it is.
    // False for any other error.
    bool refuseTakenNumber(const NkError& error);

    int m_dutyLimit = 1;
    TFrSearchImNo* m_search = nullptr;
    bool m_inAssign = false;
    bool m_renumber = false; // the number field reopened after a refused number
};
