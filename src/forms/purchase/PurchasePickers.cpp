#include "forms/purchase/PurchasePickers.h"

#include "app/MessageService.h"
#include "forms/import/InboundPickers.h"
#include "forms/purchase/TFrLastPrice.h"
#include "forms/purchase/TFrMemoLine.h"
#include "forms/purchase/TFrPurcHistory.h"
#include "forms/purchase/TFrSearchEmployee.h"
#include "forms/purchase/TFrSearchPoDt.h"
#include "forms/purchase/TFrSearchPoNo.h"
#include "forms/purchase/TFrSearchPoRQNo.h"
#include "search/SearchQuery.h"
#include "search/TFrSearchProductService.h"

#include <QPointer>
#include <QSqlRecord>

namespace PurchasePickers {

namespace {
Overrides& overrides()
{
    static Overrides o;
    return o;
}

// A dialog created on first use and kept for the rest of the run.
template <class D>
D* kept(QPointer<D>& p, QWidget* parent)
{
    if (!p)
        p = new D(parent);
    return p;
}
} // namespace

void setOverrides(const Overrides& o)
{
    overrides() = o;
}

QString pickProduct(QWidget* parent, const QString& productType)
{
    if (overrides().product)
        return overrides().product(productType);
    TFrSearchProductService dlg(parent);
    dlg.ProductType = productType;
    dlg.IncludeBlocked = false;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

QString pickUnit(QWidget* parent, int productId)
{
    if (overrides().unit)
        return overrides().unit(productId);
    // The same kept unit search as the import document's.
    return InboundPickers::pickUnit(parent, productId);
}

QString pickPoNo(QWidget* parent, const QString& poType, int vendorId, const QString& outstanding)
{
    if (overrides().poNo)
        return overrides().poNo(poType, vendorId, outstanding);
    TFrSearchPoNo dlg(parent);
    dlg.TableName = QStringLiteral("PoHd");
    dlg.PoType = poType;
    dlg.ID = vendorId > 0 ? vendorId : 0;
    dlg.Outstanding = outstanding;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

std::optional<PoLine> pickPoLine(QWidget* parent, int vendorId, const QString& poType)
{
    if (overrides().poLine)
        return overrides().poLine(vendorId, poType);
    TFrSearchPoDt dlg(parent);
    dlg.VendorId = vendorId;
    dlg.PoType = poType;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted || dlg.ResultId == 0)
        return std::nullopt;
    PoLine line;
    line.id = dlg.ResultId;
    line.poNo = dlg.ResultPoNo;
    const QSqlRecord& rec = dlg.QDt->record();
    for (int i = 0; i < rec.count(); ++i)
        line.values.insert(rec.fieldName(i), dlg.LineValue(rec.fieldName(i)));
    return line;
}

std::optional<double> lastPriceAll(QWidget* parent, int productId, int unitId)
{
    if (overrides().priceAll)
        return overrides().priceAll(productId, unitId);
    static QPointer<TFrLastPriceAll> dlg;
    TFrLastPriceAll* d = kept(dlg, parent);
    d->ProductId = productId;
    d->UnitId = unitId;
    if (MessageService::execDialog(d) != QDialog::Accepted)
        return std::nullopt;
    return d->Price;
}

std::optional<double> lastPriceOfVendor(QWidget* parent, int vendorId, int productId, int unitId, bool importDocuments)
{
    if (overrides().priceVendor)
        return overrides().priceVendor(vendorId, productId, unitId);
    static QPointer<TFrLastPriceListVendor> dlg;
    TFrLastPriceListVendor* d = kept(dlg, parent);
    d->useImportDocuments(importDocuments);
    d->VendorId = vendorId;
    d->ProductId = productId;
    d->UnitId = unitId;
    if (MessageService::execDialog(d) != QDialog::Accepted)
        return std::nullopt;
    return d->Price;
}

std::optional<double> purchaseHistory(QWidget* parent, const QString& caption, int productId, int vendorId)
{
    if (overrides().history)
        return overrides().history(caption, productId, vendorId);
    static QPointer<TFrPurcHistory> dlg;
    TFrPurcHistory* d = kept(dlg, parent);
    d->setWindowTitle(caption);
    d->ProductId = productId;
    d->VendorId = vendorId;
    if (MessageService::execDialog(d) != QDialog::Accepted)
        return std::nullopt;
    return d->Price;
}

bool editMemo(QWidget* parent, CachedDataSet* lines, const QString& field)
{
    if (overrides().memo)
        return overrides().memo(lines, field);
    TFrMemoLine dlg(parent);
    dlg.bind(lines, field);
    return MessageService::execDialog(&dlg) == QDialog::Accepted;
}

QString pickEmployee(QWidget* parent)
{
    if (overrides().employee)
        return overrides().employee();
    static QPointer<TFrSearchEmployee> dlg;
    TFrSearchEmployee* d = kept(dlg, parent);
    if (MessageService::execDialog(d) != QDialog::Accepted)
        return {};
    return d->ResultValue;
}

QString pickFrPoNo(QWidget* parent, const QString& poType, int vendorId)
{
    // One search of foreign orders for the order form and the import document.
    return InboundPickers::pickFrPo(parent, vendorId, poType);
}

QString pickPoRQNo(QWidget* parent)
{
    if (overrides().requestNo)
        return overrides().requestNo();
    TFrSearchPoRQNo dlg(parent);
    dlg.TableName = QStringLiteral("PoRQHd");
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

QString pickWarehouse(QWidget* parent)
{
    return InboundPickers::pickWarehouse(parent);
}

} // namespace PurchasePickers
