#include "forms/import/InboundPickers.h"
#include "app/MessageService.h"
#include "forms/purchase/TFrSearchFrPoNo.h"
#include "search/SimpleSearch.h"
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

QString pickProduct(QWidget*)
{
    if (overrides().product)
        return overrides().product();
    // Goods only, never blocked products or master codes.
    if (!SimpleSearch(QStringLiteral("ค้นหาสินค้า"), QStringLiteral("Code"), QStringLiteral("Product"),
                      QStringLiteral("(ProductType = 'P') And (Blocked = 'N') And (MasterCode = 'N')"),
                      QStringLiteral("ThaiName")))
        return {};
    return SimpleSearchDialog()->ResultValue;
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

QString pickUnit(QWidget*, int productId)
{
    if (overrides().unit)
        return overrides().unit(productId);
    // The product's purchase units; the Id is a number the program holds, never typed text.
    if (!SimpleSearch(QStringLiteral("ค้นหาหน่วยนับ"), QStringLiteral("UnitName"), QStringLiteral("ProductUnits"),
                      QStringLiteral("(Product = %1) And (PurcFlag = 'Y')").arg(productId), QStringLiteral("UnitName")))
        return {};
    return SimpleSearchDialog()->ResultValue;
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

QString pickFrPo(QWidget* parent, int vendorId, const QString& poType)
{
    if (overrides().frPo)
        return overrides().frPo(vendorId, poType);
    TFrSearchFrPoNo dlg(parent);
    dlg.TableName = QStringLiteral("FrPoHd");
    dlg.PoType = poType;
    dlg.ID = vendorId > 0 ? vendorId : 0;
    if (MessageService::execDialog(&dlg) != QDialog::Accepted)
        return {};
    return dlg.ResultValue;
}

} // namespace InboundPickers
