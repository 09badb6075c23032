#include "search/TFrSearchProject.h"
#include "search/SearchQuery.h"

#include <QLabel>
#include <QLineEdit>

TFrSearchProject::TFrSearchProject(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchProject"));
    setWindowTitle(tr("ค้นหา หน่วยงานโครงการ"));
    LbCode->setText(tr("ชื่อโครงการ"));
    QSearch->setSQL(QStringLiteral("select id,code,description from project\n"
                                   "where description like :getdesc\n"
                                   "order by code"));
    QSearch->addColumn(QStringLiteral("code"), tr("รหัสโครงการ"), 120);
    QSearch->addColumn(QStringLiteral("description"), tr("รายละเอียด"), 360);
}

void TFrSearchProject::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("CODE");
    BtSearchClick();
}

void TFrSearchProject::BtSearchClick()
{
    QSearch->setParam(QStringLiteral("getdesc"), QStringLiteral("%") + Code->text() + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}
