#include "forms/purchase/TFrFrPoTran.h"

#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPoEstimate.h"
#include "forms/purchase/TFrLastPrice.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "search/TFaGetDate.h"
#include "search/TFaGetDepartment.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetTaxCode.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TFrFrPoTran::TFrFrPoTran(QWidget* parent)
    : TFrPoTran(parent)
{
    setObjectName(QStringLiteral("FrFrPoTran"));
    setWindowTitle(defaultCaption());
    ForeignOrder = true;
    PoType = QStringLiteral("P");

    FaGetFrVendor = new TFaGetFrVendor(PnHeader);
    FaGetFrVendor->bind(QHd, QStringLiteral("FrVendor"));
    FaGetFrVendor->VendorExit = [this] { FaGetFrVendorVendorExit(); };
    FaGetMisc = new TFaGetMisc(PnHeader);
    FaGetMisc->setObjectName(QStringLiteral("FaGetMisc"));
    FaGetMisc->setMiscGroup(QStringLiteral("CURRENCY"));
    FaGetMisc->bind(QHd, QStringLiteral("Currency"));
    // The currency is the vendor's: shown, never typed.
    FaGetMisc->Edit->setReadOnly(true);
    FaGetMisc->Edit->setFocusPolicy(Qt::NoFocus);
    FaGetMisc->BtSearch->hide();
    HeaderGrid->addWidget(FaGetFrVendor, 1, 0, 1, 2);
    HeaderGrid->addWidget(FaGetMisc, 1, 2);
    LbProformaNo = new QLabel(PnHeader);
    ProformaNo = new TDbEdit(PnHeader);
    ProformaNo->setObjectName(QStringLiteral("ProformaNo"));
    ProformaNo->bind(QHd, QStringLiteral("ProformaNo"));
    auto* proforma = new QHBoxLayout;
    proforma->setSpacing(4);
    proforma->addWidget(LbProformaNo);
    proforma->addWidget(ProformaNo, 1);
    HeaderGrid->addLayout(proforma, 4, 1);
    PaidType->addItem(QString(), QStringLiteral("X"));

    // What the foreign order does not show.
    for (QWidget* w : {static_cast<QWidget*>(FaGetTaxCode), static_cast<QWidget*>(LbPriceIE),
                       static_cast<QWidget*>(Price_IE), static_cast<QWidget*>(Totals->GbDiscount)})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(Totals->LbTaxAmt), static_cast<QWidget*>(Totals->TaxAmt),
                       static_cast<QWidget*>(Totals->LbNoTaxAmt), static_cast<QWidget*>(Totals->NoTaxAmt),
                       static_cast<QWidget*>(Totals->LbAmountProduct), static_cast<QWidget*>(Totals->AmountProduct),
                       static_cast<QWidget*>(Totals->LbTaxTotal), static_cast<QWidget*>(Totals->TaxTotal)})
        w->hide();
    FaGetProject->setEnabled(false);
    FaGetDepartment->setEnabled(false);
    // Every amount of a foreign order is in its currency: a unit the vendor has no row of its
    // own for takes the vendor's last price in that currency, never the baht price of the
    // product file.
    Entry->fallbackPrice = [this](int product, int unit) {
        const int currency = headerRow() ? QHd->FieldByName(QStringLiteral("Currency")).toInt() : 0;
        return TFrLastPriceListVendor::LastImportPrice(vendorId(), currency, product, unit);
    };

    FaPoEstimate = new TFaPoEstimate(this);
    SaveExtras = [this](int id) { FaPoEstimate->storeWith(id); };
    Copied = [this](const CachedDataSet& hd, const CachedDataSet& dt) { FaPoEstimate->copied(hd, dt); };

    // Row by row as on the screen: number, entry type, date; vendor; request and its date, paid
    // type; tax reclaim, ship date, credit; reference, proforma number; remark; then the lines.
    setEnterOrder({FaGetDocNo->DocNo, EntryType, FaGetDate->DateEdit, FaGetFrVendor->Edit, PurcReqNo, PurcReqDate,
                   PaidType, CanUseTax, ShipDate, CreditDays, Reference, ProformaNo, FaGetRemark->Remark, DgDt});
}

TFaPicker* TFrFrPoTran::vendorPicker() const
{
    return FaGetFrVendor;
}

QString TFrFrPoTran::pickOrderNo()
{
    return PurchasePickers::pickFrPoNo(this, PoType, 0);
}

void TFrFrPoTran::applyLanguage(bool thai)
{
    TFrPoTran::applyLanguage(thai);
    FaGetFrVendor->Caption->setText(tr("เจ้าหนี้"));
    FaGetMisc->EditLabel->setText(tr("สกุลเงิน"));
    LbProformaNo->setText(QStringLiteral("Proforma No."));
    PaidType->setItemText(3, tr("อื่น ๆ"));
    QFont ten = font();
    if (!thai)
        ten.setPointSize(10);
    for (QLabel* l : {FaGetFrVendor->Caption, FaGetMisc->EditLabel, LbProformaNo})
        l->setFont(ten);
    FaPoEstimate->applyLanguage(thai);
}

void TFrFrPoTran::AcNewExecute()
{
    TFrPoTran::AcNewExecute();
    FaGetFrVendor->setEnabled(true);
    VendorCodeOnEnter.clear();
    FaPoEstimate->newOrder();
}

void TFrFrPoTran::PoNoExit()
{
    const bool opening = QHd->Active() && FaGetDocNo->DocNo->isEnabled();
    TFrPoTran::PoNoExit();
    if (!opening || FaGetDocNo->DocNo->isEnabled() || QHd->RecNo() < 0)
        return;
    FaPoEstimate->openOrder();
    // A foreign order is always priced without tax.
    if (QHd->AsString(QStringLiteral("Price_IE")).trimmed() == QLatin1String("E"))
        return;
    QHd->SetField(QStringLiteral("Price_IE"), QStringLiteral("E"));
    CalculateAll();
}

void TFrFrPoTran::FaGetFrVendorVendorExit()
{
    if (!headerRow() || !FaGetFrVendor->Found() || !FaGetFrVendor->TermsFound())
        return;
    const QString code = FaGetFrVendor->text();
    if (code == VendorCodeOnEnter.trimmed())
        return;
    // Another vendor: its group's tax code without Thai tax, its credit days and currency.
    QHd->SetField(QStringLiteral("TaxCode"), FaGetFrVendor->Term(QStringLiteral("TaxCode")));
    QHd->SetField(QStringLiteral("TaxRate"), 0);
    QHd->SetField(QStringLiteral("CreditDays"), FaGetFrVendor->Term(QStringLiteral("DueDays")));
    QHd->SetField(QStringLiteral("Currency"), FaGetFrVendor->Term(QStringLiteral("Currency")));
    VendorCodeOnEnter = code;
}
