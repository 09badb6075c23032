#include "forms/purchase/TFaPurchaseTotals.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/NumberFormat.h"
#include "widgets/DbEdits.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace PurchaseTotals;

namespace {
QString money(double v)
{
    return FormatFloat(QStringLiteral(",0.00;-,0.00"), v);
}
TDbNumberEdit* readOnlyNumber(QWidget* parent, const char* name)
{
    auto* e = new TDbNumberEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}
} // namespace

TFaPurchaseTotals::TFaPurchaseTotals(QWidget* parent, Kind kind, bool withDeposit)
    : QObject(parent)
    , m_kind(kind)
{
    GbDiscount = new QGroupBox(parent);
    GbDiscount->setObjectName(QStringLiteral("GbDiscount"));
    auto* dg = new QGridLayout(GbDiscount);
    dg->setContentsMargins(4, 4, 4, 4);
    dg->setVerticalSpacing(2);
    LbDiscName = new QLabel(GbDiscount);
    LbDiscRate = new QLabel(GbDiscount);
    LbDiscAmt = new QLabel(GbDiscount);
    dg->addWidget(LbDiscName, 0, 0);
    dg->addWidget(LbDiscRate, 0, 1);
    dg->addWidget(LbDiscAmt, 0, 2);
    for (int i = 0; i < 3; ++i) {
        DiscName[i] = new TDbEdit(GbDiscount);
        DiscName[i]->setObjectName(QStringLiteral("DiscName%1").arg(i + 1));
        DiscRate[i] = new TDbNumberEdit(GbDiscount);
        DiscRate[i]->setObjectName(QStringLiteral("DiscRate%1").arg(i + 1));
        DiscRate[i]->setDisplayFormat(QStringLiteral(",0.00"));
        DiscRate[i]->setMaximumWidth(80);
        DiscAmt[i] = new TDbNumberEdit(GbDiscount);
        DiscAmt[i]->setObjectName(QStringLiteral("DiscAmt%1").arg(i + 1));
        DiscAmt[i]->setDisplayFormat(QStringLiteral(",0.00"));
        DiscAmt[i]->setMaximumWidth(100);
        dg->addWidget(DiscName[i], i + 1, 0);
        dg->addWidget(DiscRate[i], i + 1, 1);
        dg->addWidget(DiscAmt[i], i + 1, 2);
        for (TDbEdit* e : {static_cast<TDbEdit*>(DiscRate[i]), static_cast<TDbEdit*>(DiscAmt[i])})
            connect(e, &TDbEdit::committed, this, [this] { CalculateAll(); });
    }
    LbSumDiscount = new QLabel(GbDiscount);
    SumDiscount = new QLineEdit(GbDiscount);
    SumDiscount->setObjectName(QStringLiteral("SumDiscount"));
    SumDiscount->setReadOnly(true);
    SumDiscount->setFocusPolicy(Qt::NoFocus);
    SumDiscount->setAlignment(Qt::AlignRight);
    SumDiscount->setMaximumWidth(100);
    dg->addWidget(LbSumDiscount, 4, 1, Qt::AlignRight);
    dg->addWidget(SumDiscount, 4, 2);

    GbTotal = new QGroupBox(parent);
    GbTotal->setObjectName(QStringLiteral("GbTotal"));
    auto* tg = new QGridLayout(GbTotal);
    tg->setContentsMargins(4, 4, 4, 4);
    tg->setVerticalSpacing(2);
    int row = 0;
    auto add = [&](QLabel*& label, QWidget* field) {
        label = new QLabel(GbTotal);
        tg->addWidget(label, row, 0);
        tg->addWidget(field, row, 1);
        ++row;
    };
    if (withDeposit) {
        PrepaidAmount = new TDbNumberEdit(GbTotal);
        PrepaidAmount->setObjectName(QStringLiteral("PrepaidAmount"));
        PrepaidAmount->setReadOnly(true); // editable once a deposit is chosen
        connect(PrepaidAmount, &TDbEdit::committed, this, [this] { CalculateAll(); });
        add(LbPrepaidAmount, PrepaidAmount);
    }
    TaxAmt = readOnlyNumber(GbTotal, "TaxAmt");
    add(LbTaxAmt, TaxAmt);
    NoTaxAmt = readOnlyNumber(GbTotal, "NoTaxAmt");
    add(LbNoTaxAmt, NoTaxAmt);
    AmountProduct = new QLineEdit(GbTotal);
    AmountProduct->setObjectName(QStringLiteral("AmountProduct"));
    AmountProduct->setReadOnly(true);
    AmountProduct->setFocusPolicy(Qt::NoFocus);
    AmountProduct->setAlignment(Qt::AlignRight);
    add(LbAmountProduct, AmountProduct);
    TaxTotal = new TDbNumberEdit(GbTotal);
    TaxTotal->setObjectName(QStringLiteral("TaxTotal"));
    connect(TaxTotal, &TDbEdit::committed, this, [this] { TaxTotalExit(); });
    add(LbTaxTotal, TaxTotal);
    Total = readOnlyNumber(GbTotal, "Total");
    add(LbTotal, Total);

    TaxAdjusted = new QCheckBox(parent);
    TaxAdjusted->setObjectName(QStringLiteral("TaxAdjusted"));
    TaxAdjusted->setFocusPolicy(Qt::NoFocus);
    // The box shows the state; a click does not change it.
    connect(TaxAdjusted, &QCheckBox::clicked, this, [this] { TaxAdjusted->setChecked(m_adjusted); });
    applyLanguage();
    Reset();
}

void TFaPurchaseTotals::bind(CachedDataSet* header, CachedDataSet* lines)
{
    m_hd = header;
    m_dt = lines;
    for (int i = 0; i < 3; ++i) {
        DiscName[i]->bind(header, QStringLiteral("DiscName%1").arg(i + 1));
        DiscRate[i]->bind(header, QStringLiteral("DiscRate%1").arg(i + 1));
        DiscAmt[i]->bind(header, QStringLiteral("DiscAmt%1").arg(i + 1));
    }
    if (PrepaidAmount)
        PrepaidAmount->bind(header, QStringLiteral("PrepaidAmount"));
    TaxAmt->bind(header, QStringLiteral("TaxAmt"));
    NoTaxAmt->bind(header, QStringLiteral("NoTaxAmt"));
    TaxTotal->bind(header, QStringLiteral("TaxTotal"));
    Total->bind(header, QStringLiteral("Total"));
}

void TFaPurchaseTotals::applyLanguage()
{
    LbDiscName->setText(tr("รายละเอียด"));
    LbDiscRate->setText(tr("ส่วนลด(%)"));
    LbDiscAmt->setText(tr("ส่วนลด(บาท)"));
    LbSumDiscount->setText(tr("รวมส่วนลด"));
    if (LbPrepaidAmount)
        LbPrepaidAmount->setText(tr("หักมัดจำ"));
    LbTaxAmt->setText(tr("รวมสินค้ามีภาษี"));
    LbNoTaxAmt->setText(tr("รวมสินค้าไม่มีภาษี"));
    LbAmountProduct->setText(tr("ยอดรวม"));
    LbTaxTotal->setText(tr("ภาษี"));
    LbTotal->setText(tr("รวมเงิน"));
}

void TFaPurchaseTotals::showAdjusted(bool adjusted, double taxCal)
{
    m_adjusted = adjusted;
    // The caption is the same in both languages.
    TaxAdjusted->setText(TaxAdjustedCaption(adjusted, taxCal));
    TaxAdjusted->setChecked(adjusted);
    TaxTotal->setStyleSheet(adjusted ? QStringLiteral("QLineEdit { color: red; }") : QString());
}

void TFaPurchaseTotals::show(const Result& r)
{
    SumDiscount->setText(money(r.sumDiscount));
    AmountProduct->setText(money(r.amountProduct));
    showAdjusted(r.taxAdjusted, r.taxCal);
}

void TFaPurchaseTotals::Reset()
{
    m_last = Result();
    showAdjusted(false, 0);
    SumDiscount->setText(money(0));
    AmountProduct->setText(money(0));
}

bool TFaPurchaseTotals::CalculateAll()
{
    if (m_busy || !m_hd || !m_dt || !m_hd->Active() || m_hd->RecNo() < 0 || !m_dt->Active())
        return false;
    m_busy = true;
    QVector<Line> lines = ReadLines(*m_dt);
    const Result r = PurchaseTotals::CalculateAll(m_kind, ReadHeader(*m_hd, m_adjusted), lines);
    const bool thai = DMConfig ? DMConfig->ThaiLanguage : true;
    if (r.badLine >= 0) {
        // Nothing is written: the stored total must never disagree with the stored lines.
        m_busy = false;
        emit refused(r.badLine, QStringLiteral("Discount"), BadDiscountMessage(r.badLine + 1, r.badDiscount, r.badPiece, thai));
        return false;
    }
    if (r.prepaidTooLarge) {
        m_busy = false;
        emit refused(-1, QStringLiteral("PrepaidAmount"), PrepaidTooLargeMessage(r.maxPrepaid, thai));
        return false;
    }
    if (r.mixedDiscountsCleared)
        MessageService::information(MixedDiscountMessage());
    WriteLines(*m_dt, lines);
    WriteHeader(*m_hd, r);
    m_last = r;
    show(r);
    m_busy = false;
    emit calculated();
    return true;
}

void TFaPurchaseTotals::TaxTotalExit()
{
    if (m_busy || !m_hd || !m_hd->Active() || m_hd->RecNo() < 0)
        return;
    const double typed = m_hd->FieldByName(QStringLiteral("TaxTotal")).toDouble();
    const Result r = AdjustTax(m_kind, m_last, typed);
    if (!r.taxAdjusted) {
        // Back to the computed tax: a full calculation puts it in place.
        m_adjusted = false;
        CalculateAll();
        return;
    }
    m_busy = true;
    WriteHeader(*m_hd, r);
    m_busy = false;
    m_last = r;
    show(r);
    emit calculated();
}

void TFaPurchaseTotals::RefreshAdjusted()
{
    if (!m_hd || !m_hd->Active() || m_hd->RecNo() < 0)
        return;
    const double taxTotal = m_hd->FieldByName(QStringLiteral("TaxTotal")).toDouble();
    const double taxCal = m_hd->FieldByName(QStringLiteral("TaxCal")).toDouble();
    m_adjusted = QString::number(taxTotal, 'g', 15) != QString::number(taxCal, 'g', 15);
    showAdjusted(m_adjusted, taxCal);
}
