#include "search/TFaGetProvince.h"

#include "app/MessageService.h"
#include "search/TF_SearchMisc.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QPointer>

TFaGetProvince::TFaGetProvince(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetProvince"));
    Caption->setText(tr("จังหวัด"));
    Edit->setLookup(QStringLiteral("MISC"), QStringLiteral("ID"), QStringLiteral("CODE"), QStringLiteral("Description"));
    Edit->setFilter(QStringLiteral("GroupCode='CITY'"));
    Edit->setAllowEmpty(true);
}

bool TFaGetProvince::runSearch(QString& code)
{
    // Kept for the whole process once created.
    static QPointer<TF_SearchMisc> dlg;
    if (!dlg)
        dlg = new TF_SearchMisc(nullptr);
    dlg->setWindowTitle(tr("ค้นหา รายชื่อจังหวัด"));
    dlg->SearchGroup = QStringLiteral("CITY");
    if (MessageService::execDialog(dlg) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return false;
    code = dlg->ResultCode;
    return true;
}
