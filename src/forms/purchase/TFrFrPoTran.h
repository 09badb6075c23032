#pragma once
#include "forms/purchase/TFrPoTran.h"

class QLabel;
class TDbEdit;
class TFaGetFrVendor;
class TFaGetMisc;
class TFaPoEstimate;

// The foreign purchase order (program code FRPO): an order with a vendor abroad in the
// vendor's currency, without Thai tax. Choosing another vendor takes its currency, credit days
// and tax code (rate 0); every opened order is priced excluding tax; the tax, price basis and
// end-of-bill discounts are not shown, nor any total but the order's.
class TFrFrPoTran : public TFrPoTran {
    Q_OBJECT
public:
    explicit TFrFrPoTran(QWidget* parent = nullptr);

    static QString defaultCaption() { return tr("สั่งซื้อจากต่างประเทศ"); }

    TFaGetFrVendor* FaGetFrVendor = nullptr;
    TFaGetMisc* FaGetMisc = nullptr; // the currency
    QLabel* LbProformaNo = nullptr;
    TDbEdit* ProformaNo = nullptr;
    TFaPoEstimate* FaPoEstimate = nullptr; // the page of the estimated landed cost

    void AcNewExecute() override;
    void PoNoExit() override;
    void FaGetFrVendorVendorExit();

protected:
    TFaPicker* vendorPicker() const override;
    QString pickOrderNo() override;
    void applyLanguage(bool thai) override;
};
