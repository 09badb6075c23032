#include "search/TFaGetDepartment.h"

#include "app/MessageService.h"
#include "search/TF_SearchMisc.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QPointer>
#include <memory>

TFaGetDepartment::TFaGetDepartment(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetDepartment"));
    Caption->setText(tr("แผนก"));
    Edit->setLookup(QStringLiteral("MISC"), QStringLiteral("ID"), QStringLiteral("CODE"), QStringLiteral("Description"));
    Edit->setFilter(QStringLiteral("GroupCode='DEPARTMENT'"));
    Edit->setAllowEmpty(true);
}

bool TFaGetDepartment::runSearch(QString& code)
{
    auto dlg = std::make_unique<TF_SearchMisc>(window());
    dlg->setWindowTitle(tr("ค้นหา แผนก"));
    dlg->SearchGroup = QStringLiteral("DEPARTMENT");
    if (MessageService::execDialog(dlg.get()) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return false;
    code = dlg->ResultCode;
    return true;
}
