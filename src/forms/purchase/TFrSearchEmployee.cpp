#include "forms/purchase/TFrSearchEmployee.h"

#include "data/DbUtil.h"
#include "search/SearchQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QValidator>

TFrSearchEmployee::TFrSearchEmployee(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchEmployee"));
    setWindowTitle(QStringLiteral("ค้นหารายชื่อพนักงาน"));
    LbCode->setText(QStringLiteral("ชื่อพนักงาน"));
    // A name is typed as it is written, not in upper case.
    Code->setValidator(nullptr);
    Code->setFixedWidth(180);
    QSearch->SQL = Statement();
    QSearch->addColumn(QStringLiteral("code"), QStringLiteral("รหัส"), 90);
    QSearch->addColumn(QStringLiteral("Name"), QStringLiteral("ชื่อ"), 260);
}

QStringList TFrSearchEmployee::Statement()
{
    return {QStringLiteral("select code,Name"),
            QStringLiteral("from Employee"),
            QStringLiteral("where Name  like :getdesc") + QLatin1String(Db::LikeEscape),
            QStringLiteral("order by code")};
}

void TFrSearchEmployee::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("CODE");
    QSearch->SQL = Statement();
    BtSearchClick();
    Code->setFocus();
}

void TFrSearchEmployee::BtSearchClick()
{
    QSearch->setParam(QStringLiteral("getdesc"), QStringLiteral("%") + Db::likeText(Code->text()) + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}
