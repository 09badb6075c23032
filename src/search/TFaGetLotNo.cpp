#include "search/TFaGetLotNo.h"

#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "search/TFrSearchLotNo.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QPointer>

TFaGetLotNo::TFaGetLotNo(QWidget* parent)
    : TFaPicker(parent)
    , ReferenceDate(Db::emptyDate())
{
    setObjectName(QStringLiteral("FaGetLotNo"));
    Caption->setText(QStringLiteral("LotNo"));
    Edit->setLookup(QStringLiteral("LotNo"), QStringLiteral("Id"), QStringLiteral("Code"),
                    QStringLiteral("Description"));
    Edit->setAllowEmpty(false);
}

void TFaGetLotNo::EditExit()
{
    TFaPicker::EditExit();
    CreateProductModules();
    if (MessageService::tell(DmProduct->ExistsLotNo(Edit->text(), ReferenceDate)))
        return;
    Edit->clear();
    Edit->lookup(); // the bound column becomes null
}

bool TFaGetLotNo::runSearch(QString& code)
{
    static QPointer<TFrSearchLotNo> dlg;
    if (!dlg)
        dlg = new TFrSearchLotNo(nullptr);
    if (MessageService::execDialog(dlg) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return false;
    code = dlg->ResultCode;
    return true;
}
