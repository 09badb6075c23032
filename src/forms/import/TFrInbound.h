#pragma once
#include "forms/base/TFrHdDtTransaction.h"
#include "forms/import/InboundRules.h"

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
    int ImportNoLength = 0;
    int FrPoNoLength = 0;
    bool ImportAutoRun = false;
    QStringList TEMPIM;      // foreign orders loaded into this document
    // The order lines the lines took over, as read when they were taken over or the
    // document was opened: what the save may receive without a question.
    InboundRules::OrdersSeen OrdersSeen;

    CachedDataSet* QDuty = nullptr;
    CachedDataSet* QFrPo = nullptr;

    TFaGetImportLotNo* FaGetImportLotNo1 = nullptr;
    QLabel* LbTransportNo = nullptr;
    TDbEdit* TransportNo = nullptr;
    TFaGetFrVendor* FaGetFrVendor1 = nullptr;
    TFaGetMisc* FaGetMisc1 = nullptr;
    QLabel* LbExchangeRate = nullptr;
    TDbNumberEdit* ExchangeRate = nullptr;
    TFaGetWarehouse* FaGetWarehouse1 = nullptr;
    TFaGetRemark* FaGetRemark1 = nullptr;
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
    void OpenQuery(const QString& number);
    bool CheckComplete();
    void FaGetDocNoBtSearchClick();
    void BtLoadFrPoClick();
    void FaGetFrVendor1VendorExit();
    void FaGetDate1DocDateExit();
    void FaGetImportLotNo1CodeEnter();

    // ---- lines and duties --------------------------------------------------------------
    void SetDgDtColumn();
    void SetDutyColumns();
    void AssignProduct(const QString& code, int unit);
    void ClearLineProduct();
    void ProductCodeCustomDlg();
    void WhCodeCustomDlg();
    void UnitNameCustomDlg();
    void LotCodeCustomDlg();
    void WhCodeExit();
    void UnitNameExit();
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
    void enableAfterLookup(bool found);
    // A save refused because its number is in use: the message, and (numbers typed by hand)
    // the number field opens again for another number; the document stays as it is.
    // False for any other error.
    bool refuseTakenNumber(const NkError& error);
    QDateTime docDate() const;

    int m_dutyLimit = 1;
    TFrSearchImNo* m_search = nullptr;
    bool m_inAssign = false;
    bool m_renumber = false; // the number field reopened after a refused number
};
