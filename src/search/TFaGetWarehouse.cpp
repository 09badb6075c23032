#include "search/TFaGetWarehouse.h"

#include "app/MessageService.h"
#include "search/TF_SearchWareHouse.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QToolButton>
#include <memory>

TFaGetWarehouse::TFaGetWarehouse(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetWarehouse"));
    Caption->setText(tr("คลังสินค้า"));
    Warehouse = Edit;
    Warehouse->setObjectName(QStringLiteral("Warehouse"));
    Warehouse->setLookup(QStringLiteral("Warehouse"), QStringLiteral("Id"), QStringLiteral("Code"),
                         QStringLiteral("Name"));
    Warehouse->setAllowEmpty(false);
    BtSearchWarehouse = BtSearch;
    BtSearchWarehouse->setObjectName(QStringLiteral("BtSearchWarehouse"));
    BtSearchWarehouse->setToolTip(tr("ค้นหารหัสคลังสินค้า"));
    WarehouseName = DescLabel;
    WarehouseName->setObjectName(QStringLiteral("WarehouseName"));
}

bool TFaGetWarehouse::runSearch(QString& code)
{
    auto dlg = std::make_unique<TF_SearchWareHouse>(window());
    dlg->ActiveOnly = ActiveOnly;
    if (MessageService::execDialog(dlg.get()) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return false;
    code = dlg->ResultCode;
    return true;
}
