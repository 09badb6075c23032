// The purchase order, second half: the line grid, its editors and dialogs.
#include "forms/purchase/TFrPoTran.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/PurchaseTotals.h"
#include "forms/purchase/TFaPurchaseLines.h"
#include "search/TFaGetTaxCode.h"
#include "search/TFaPicker.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>

namespace {
constexpr auto column = &TFaPurchaseLines::column;
} // namespace

void TFrPoTran::SetDgDtColumn()
{
    if (!QDt->Active() || !m_configured)
        return;
    StatusInfo->clear();
    m_savedUnit = Entry->CurrentUnit();
    const bool row = QDt->RecNo() >= 0;
    const QString type = row ? QDt->AsString(QStringLiteral("ProductType")) : QString();
    const int entry = EntryType->currentIndex();
    QVector<GridColumn> cols;
    if (!Cfg.foreign && PoType == QLatin1String("A"))
        cols << column("ProductType", 6, false, false, tr("ชนิด"));
    if (entry == 1)
        cols << column("BarCode", 14, false, false, QStringLiteral("BAR CODE"));
    else if (entry == 2)
        cols << column("PurchaseCode", 14, false, false, tr("รหัสสินค้า", "vendor's code"));
    else
        cols << column("ProductCode", 14, false, true, tr("รหัสสินค้า"));
    cols << column(entry == 2 ? "PurchaseName" : "ProductName", Cfg.foreign ? 35 : 24, true, false, tr("ชื่อสินค้า"));
    GridColumn ship = column("ShipDate", 15, false, false, tr("วันที่ส่ง"));
    ship.isDate = true;
    cols << ship << column("WhCode", 8, type != QLatin1String("P"), true, tr("คลัง"));
    if (!Cfg.foreign)
        cols << column("LotCode", 8, QDt->AsString(QStringLiteral("LotControl")) == QLatin1String("N") || type != QLatin1String("P"),
                       true, QStringLiteral("Lot No."));
    GridColumn qty = column("Quantity", 7, false, false, tr("จำนวน"));
    qty.displayFormat = QStringLiteral(",0.000");
    qty.alignment = Qt::AlignRight | Qt::AlignVCenter;
    cols << qty << column("UnitName", 9, false, true, tr("หน่วย"));
    if (Cfg.foreign) {
        // What the imports received of the line and what is still to come, in its unit.
        for (GridColumn c : {column("ReceivedQty", 7, true, false, tr("รับแล้ว")),
                             column("BackOrderQty", 7, true, false, tr("ค้างรับ"))}) {
            c.displayFormat = qty.displayFormat;
            c.alignment = qty.alignment;
            cols << c;
        }
    }
    // The line total is typed only where the line has no price; the price is then derived.
    QVector<GridColumn> amounts = TFaPurchaseLines::amountColumns(9, !row || !Entry->PriceEmpty(), tr("รวม"));
    amounts[0].widthChars = 7;
    amounts[1].title = tr("ส่วนลด");
    cols << amounts;
    Lines->setColumns(QDt, cols);
    if (!m_gridWired && DgDt->selectionModel()) {
        connect(DgDt->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& now) {
            if (now.isValid() && DgDt->gridModel()->columns().value(now.column()).field == QLatin1String("ShipDate"))
                shipDateEnter();
        });
        m_gridWired = true;
    }
}

void TFrPoTran::lineChanged(const QString& field)
{
    if (m_inLines || Entry->assigning())
        return;
    using F = PurchaseLineEntry::Field;
    const PurchaseLineEntry::FieldResult r = Entry->FieldExit(field, m_savedUnit);
    switch (r.kind) {
    case F::Code:
    case F::Unit:
        showReceived(QDt->RecNo());
        SetDgDtColumn();
        StatusInfo->setText(Entry->StatusText);
        CalculateAll();
        break;
    case F::Amount:
        CalculateAll();
        SetDgDtColumn(); // the total may be typed while there is no price
        break;
    case F::Quantity:
        showReceived(QDt->RecNo());
        CalculateAll();
        break;
    case F::Total:
        ReCalculatePrice();
        break;
    case F::Warehouse:
    case F::Other:
        break;
    }
}

void TFrPoTran::showReceived(int row)
{
    if (!Cfg.foreign || row < 0 || !QDt->hasField(QStringLiteral("BackOrderQty")))
        return;
    const double f = QDt->value(row, QStringLiteral("Fraction")).toDouble();
    const double fraction = f > 0 ? f : 1.0;
    const double received = QDt->value(row, QStringLiteral("Received")).toDouble();
    const double ordered = QDt->value(row, QStringLiteral("Quantity")).toDouble() * fraction;
    QDt->assign(row, QStringLiteral("ReceivedQty"), received / fraction);
    QDt->assign(row, QStringLiteral("BackOrderQty"), qMax(0.0, ordered - received) / fraction);
}

void TFrPoTran::shipDateEnter()
{
    // An empty line date takes the order's; a typed one stays.
    if (!QDt->Active() || QDt->RecNo() < 0 || !headerRow())
        return;
    const QDateTime own = Db::dateFromValue(QDt->FieldByName(QStringLiteral("ShipDate")));
    const QDateTime ship = Db::dateFromValue(QHd->FieldByName(QStringLiteral("ShipDate")));
    if ((own.isValid() && !Db::isEmptyDate(own)) || !ship.isValid() || Db::isEmptyDate(ship))
        return;
    m_inLines = true;
    QDt->SetField(QStringLiteral("ShipDate"), Db::dateToText(QDateTime(ship.date(), QTime(0, 0))));
    m_inLines = false;
}

void TFrPoTran::ReCalculatePrice()
{
    if (!Entry->PriceEmpty())
        return;
    const auto d = PurchaseTotals::PriceForTypedTotal(QDt->AsFloat(QStringLiteral("Quantity")),
                                                      QDt->AsFloat(QStringLiteral("Total")));
    if (!d)
        return;
    m_inLines = true;
    QDt->SetField(QStringLiteral("Price"), d->price);
    QDt->SetField(QStringLiteral("Discount"), d->discount != 0 ? QString::number(d->discount, 'f', 2) : QString());
    m_inLines = false;
    CalculateAll();
    SetDgDtColumn();
}

void TFrPoTran::DgDtEnter()
{
    KeyPreview = false;
    if (vendorId() < 1 || !QDt->Active())
        return;
    if (QHd->FieldByName(QStringLiteral("TaxCode")).toInt() < 1) {
        MessageService::information(tr("ยังไม่ได้ระบุรหัสภาษี"));
        KeyPreview = true;
        // The foreign order hides the tax code list: the focus stays where it is.
        if (FaGetTaxCode->isVisible())
            FaGetTaxCode->TaxCode->setFocus();
        return;
    }
    FaGetTaxCode->setEnabled(false);
    if (QDt->IsEmpty())
        QDt->Append();
    CalculateAll();
    const QModelIndex cur = DgDt->currentIndex();
    if (!cur.isValid())
        DgDt->setCurrentIndex(DgDt->gridModel()->index(qMax(0, QDt->RecNo()), 0));
}

void TFrPoTran::WhCodeCustomDlg()
{
    const QString code = PurchasePickers::pickWarehouse(this);
    if (code.isEmpty())
        return;
    DgDt->setFocus();
    setLineField(QStringLiteral("WhCode"), code);
}

void TFrPoTran::LastPriceClick()
{
    // A foreign vendor's last prices are those of its import documents, in its currency.
    const auto price = PurchasePickers::lastPriceOfVendor(this, vendorId(), QDt->AsInteger(QStringLiteral("Product")),
                                                          QDt->AsInteger(QStringLiteral("ProductUnits")), Cfg.foreign);
    if (!price)
        return;
    setLineField(QStringLiteral("Price"), *price);
    focusLine(QDt->RecNo(), QStringLiteral("Price"));
}

void TFrPoTran::LastPriceAllClick()
{
    const auto price = PurchasePickers::lastPriceAll(this, QDt->AsInteger(QStringLiteral("Product")),
                                                     QDt->AsInteger(QStringLiteral("ProductUnits")));
    if (!price)
        return;
    setLineField(QStringLiteral("Price"), *price);
    focusLine(QDt->RecNo(), QStringLiteral("Price"));
}

void TFrPoTran::BtDeleteLineClick()
{
    if (!QDt->Active() || QDt->RecNo() < 0 || QDt->AsInteger(QStringLiteral("Product")) < 1)
        return;
    QDt->Delete(); // recalculates
    DgDt->setFocus();
}
