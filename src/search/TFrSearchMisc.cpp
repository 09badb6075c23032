#include "search/TFrSearchMisc.h"
#include "search/SearchQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

TFrSearchMisc::TFrSearchMisc(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchMisc"));
    LbCode->setText(tr("รายละเอียด"));
    QSearch->setSQL(QStringLiteral("Select Id,GroupCode,Code,Description From Misc\n"
                                   "Where (GroupCode = :GetGroup) And (Description Like :GetCode)\n"
                                   "Order By Description"));
    QSearch->addColumn(QStringLiteral("Description"), tr("รายละเอียด"), 400);
    QSearch->addColumn(QStringLiteral("Code"), tr("รหัส"), 100);
}

void TFrSearchMisc::FormShow()
{
    TFrSearch::FormShow();
    ResultField = ReturnColumn.trimmed().isEmpty() ? QStringLiteral("Code") : ReturnColumn;
    BtSearchClick();
    Code->setFocus();
}

void TFrSearchMisc::BtSearchClick()
{
    QSearch->setParam(QStringLiteral("GetGroup"), SearchGroup);
    QSearch->setParam(QStringLiteral("GetCode"), QStringLiteral("%") + Code->text().trimmed() + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}

TFrSearchMisc* SearchMiscDialog()
{
    static QPointer<TFrSearchMisc> dlg;
    if (!dlg)
        dlg = new TFrSearchMisc(nullptr);
    return dlg;
}
