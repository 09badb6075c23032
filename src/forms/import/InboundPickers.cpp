#include "forms/import/InboundPickers.h"
#include "app/MessageService.h"
#include "forms/purchase/TFrSearchFrPoNo.h"
#include "search/TFrSearchProductService.h"
#include "search/TFrSearchUnit.h"
#include "search/TF_SearchWareHouse.h"
#include "search/TFrSearchLotNo.h"

#include <QPointer>

namespace InboundPickers {

namespace {
Overrides& overrides()
{
    static Overrides o;
    return o;
}
} // namespace

void setOverrides(const Overrides& o)
{
    overrides() = o;
}

QString pickProduct(QWidget* parent)
{
    if (overrides().product)
        return overrides().product();
    // Goods only, never blocked products or master codes; created and freed per use.
    TFrSearchProductService dlg(parent);
    dlg.ProductType = QStringLiteral("P");
    dlg.IncludeBlocked = false;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

QString pickWarehouse(QWidget* parent)
{
    if (overrides().warehouse)
        return overrides().warehouse();
    TF_SearchWareHouse dlg(parent);
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultCode;
}

QString pickUnit(QWidget* parent, int productId)
{
    if (overrides().unit)
        return overrides().unit(productId);
    // The product's purchase units; the dialog is kept between uses.
    static QPointer<TFrSearchUnit> dlg;
    if (!dlg)
        dlg = new TFrSearchUnit(parent);
    dlg->ProductId = productId;
    dlg->ForPurc = true;
    if (MessageService::execDialog(dlg) != QDialog::Accepted)
        return {};
    return dlg->ResultUnitName;
}

QString pickLot(QWidget* parent)
{
    if (overrides().lot)
        return overrides().lot();
    static QPointer<TFrSearchLotNo> dlg; // kept between uses
    if (!dlg)
        dlg = new TFrSearchLotNo(parent);
    if (MessageService::execDialog(dlg) != QDialog::Accepted)
        return {};
    return dlg->ResultCode;
}

QString pickFrPo(QWidget* parent, int vendorId, const QString& poType, const QString& outstanding)
{
    if (overrides().frPo)
        return overrides().frPo(vendorId, poType);
    TFrSearchFrPoNo dlg(parent);
    dlg.TableName = QStringLiteral("FrPoHd");
    dlg.PoType = poType;
    dlg.ID = vendorId > 0 ? vendorId : 0;
    dlg.Outstanding = outstanding;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

} // namespace InboundPickers
