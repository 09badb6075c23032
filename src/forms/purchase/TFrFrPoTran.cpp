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

    FaGetFrVendor1 = new TFaGetFrVendor(PnHeader);
    FaGetFrVendor1->bind(QHd, QStringLiteral("FrVendor"));
    FaGetFrVendor1->VendorExit = [this] { FaGetFrVendor1VendorExit(); };
    FaGetMisc1 = new TFaGetMisc(PnHeader);
    FaGetMisc1->setObjectName(QStringLiteral("FaGetMisc1"));
    FaGetMisc1->setMiscGroup(QStringLiteral("CURRENCY"));
    FaGetMisc1->bind(QHd, QStringLiteral("Currency"));
    // The currency is the vendor's: shown, never typed.
    FaGetMisc1->Edit->setReadOnly(true);
    FaGetMisc1->Edit->setFocusPolicy(Qt::NoFocus);
    FaGetMisc1->BtSearch->hide();
    HeaderGrid->addWidget(FaGetFrVendor1, 1, 0, 1, 2);
    HeaderGrid->addWidget(FaGetMisc1, 1, 2);
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
    for (QWidget* w : {static_cast<QWidget*>(FaGetTaxCode1), static_cast<QWidget*>(LbPriceIE),
                       static_cast<QWidget*>(Price_IE), static_cast<QWidget*>(Totals->GbDiscount)})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(Totals->LbTaxAmt), static_cast<QWidget*>(Totals->TaxAmt),
                       static_cast<QWidget*>(Totals->LbNoTaxAmt), static_cast<QWidget*>(Totals->NoTaxAmt),
                       static_cast<QWidget*>(Totals->LbAmountProduct), static_cast<QWidget*>(Totals->AmountProduct),
                       static_cast<QWidget*>(Totals->LbTaxTotal), static_cast<QWidget*>(Totals->TaxTotal)})
        w->hide();
    FaGetProject1->setEnabled(false);
    FaGetDepartment1->setEnabled(false);
    // Every amount of a foreign order is in its currency: a unit the vendor has no row of its
    // own for takes the vendor's last price in that currency, never the baht price of the
    // product file.
    Entry->fallbackPrice = [this](int product, int unit) {
        const int currency = QHd->Active() && QHd->RecNo() >= 0 ? QHd->FieldByName(QStringLiteral("Currency")).toInt() : 0;
        return TFrLastPriceListVendor::LastImportPrice(vendorId(), currency, product, unit);
    };

    FaPoEstimate = new TFaPoEstimate(this);
    SaveExtras = [this](int id) { FaPoEstimate->storeWith(id); };
    Copied = [this](const CachedDataSet& hd, const CachedDataSet& dt) { FaPoEstimate->copied(hd, dt); };

    // Number, entry type, date, vendor, request, paid type, reference, proforma number, ship
    // date, credit, remark, tax reclaim, then the lines.
    const QList<QWidget*> order{FaGetDocNo1->DocNo, EntryType, FaGetDate1->DateEdit, FaGetFrVendor1->Edit, PurcReqNo,
                                PurcReqDate, PaidType, Reference, ProformaNo, ShipDate, CreditDays,
                                FaGetRemark1->Remark, CanUseTax, DgDt};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

TFaPicker* TFrFrPoTran::vendorPicker() const
{
    return FaGetFrVendor1;
}

QString TFrFrPoTran::pickOrderNo()
{
    return PurchasePickers::pickFrPoNo(this, PoType, 0);
}

void TFrFrPoTran::applyLanguage(bool thai)
{
    TFrPoTran::applyLanguage(thai);
    FaGetFrVendor1->Caption->setText(thai ? QStringLiteral("เจ้าหนี้") : QStringLiteral("Vendor"));
    FaGetMisc1->EditLabel->setText(thai ? QStringLiteral("สกุลเงิน") : QStringLiteral("Currency"));
    LbProformaNo->setText(QStringLiteral("Proforma No."));
    PaidType->setItemText(3, thai ? QStringLiteral("อื่น ๆ") : QStringLiteral("Other"));
    QFont ten = font();
    if (!thai)
        ten.setPointSize(10);
    for (QLabel* l : {FaGetFrVendor1->Caption, FaGetMisc1->EditLabel, LbProformaNo})
        l->setFont(ten);
    FaPoEstimate->applyLanguage(thai);
}

void TFrFrPoTran::AcNewExecute()
{
    TFrPoTran::AcNewExecute();
    FaGetFrVendor1->setEnabled(true);
    VendorCodeOnEnter.clear();
    FaPoEstimate->newOrder();
}

void TFrFrPoTran::PoNoExit()
{
    const bool opening = QHd->Active() && FaGetDocNo1->DocNo->isEnabled();
    TFrPoTran::PoNoExit();
    if (!opening || FaGetDocNo1->DocNo->isEnabled() || QHd->RecNo() < 0)
        return;
    FaPoEstimate->openOrder();
    // A foreign order is always priced without tax.
    if (QHd->AsString(QStringLiteral("Price_IE")).trimmed() == QLatin1String("E"))
        return;
    QHd->SetField(QStringLiteral("Price_IE"), QStringLiteral("E"));
    CalculateAll();
}

void TFrFrPoTran::FaGetFrVendor1VendorExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0 || !FaGetFrVendor1->Found() || !FaGetFrVendor1->TermsFound())
        return;
    const QString code = FaGetFrVendor1->text();
    if (code == VendorCodeOnEnter.trimmed())
        return;
    // Another vendor: its group's tax code without Thai tax, its credit days and currency.
    QHd->SetField(QStringLiteral("TaxCode"), FaGetFrVendor1->Term(QStringLiteral("TaxCode")));
    QHd->SetField(QStringLiteral("TaxRate"), 0);
    QHd->SetField(QStringLiteral("CreditDays"), FaGetFrVendor1->Term(QStringLiteral("DueDays")));
    QHd->SetField(QStringLiteral("Currency"), FaGetFrVendor1->Term(QStringLiteral("Currency")));
    VendorCodeOnEnter = code;
}
