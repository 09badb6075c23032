#include "search/TFaGetMisc.h"

#include "app/MessageService.h"
#include "search/TFrSearchMisc.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>

TFaGetMisc::TFaGetMisc(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetMisc"));
    EditLabel = Caption;
    Edit->setLookup(QStringLiteral("Misc"), QStringLiteral("Id"), QStringLiteral("Code"),
                    QStringLiteral("Description"));
    Edit->setAllowEmpty(false);
    Edit->setFilter(QStringLiteral("GroupCode="));
}

void TFaGetMisc::setMiscGroup(const QString& group)
{
    // The group is a name fixed by the program; it is quoted here as a literal of the filter.
    MiscGroup = group;
    QString quoted = group;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    Edit->setFilter(QStringLiteral("GroupCode='") + quoted + QLatin1Char('\''));
}

bool TFaGetMisc::runSearch(QString& code)
{
    TFrSearchMisc* dlg = SearchMiscDialog();
    dlg->setWindowTitle(tr("ค้นหา") + EditLabel->text());
    dlg->SearchGroup = MiscGroup;
    dlg->ReturnColumn = Edit->codeField();
    if (MessageService::execDialog(dlg) != QDialog::Accepted || dlg->ResultValue.isEmpty())
        return false;
    code = dlg->ResultValue;
    return true;
}
