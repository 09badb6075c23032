#include "forms/import/TFrSearchFrVendor.h"

#include "search/SearchQuery.h"

#include <QLabel>
#include <QLineEdit>

QStringList TFrSearchFrVendor::Statement()
{
    return {QStringLiteral("SELECT V.Name, V.Code, M.Description Country, C.Description Currency"),
            QStringLiteral("FROM FrVendor V"),
            QStringLiteral("Inner Join Misc M On (V.Country = M.Id)"),
            QStringLiteral("Inner Join Misc C On (V.Currency = C.Id)"),
            QStringLiteral("WHERE (V.Name Like :GetCode)"),
            QStringLiteral("Order By V.Name")};
}

TFrSearchFrVendor::TFrSearchFrVendor(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchFrVendor"));
    setWindowTitle(QStringLiteral("ค้นหาเจ้าหนี้ต่างประเทศ"));
    LbCode->setText(QStringLiteral("ชื่อ"));
    QSearch->SQL = Statement();
    QSearch->addColumn(QStringLiteral("Name"), QStringLiteral("ชื่อ"), 200);
    QSearch->addColumn(QStringLiteral("Code"), QStringLiteral("รหัส"), 100);
    QSearch->addColumn(QStringLiteral("Country"), QStringLiteral("ประเทศ"), 120);
    QSearch->addColumn(QStringLiteral("Currency"), QStringLiteral("สกุลเงิน"), 120);
}

void TFrSearchFrVendor::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("Code");
}

void TFrSearchFrVendor::BtSearchClick()
{
    QSearch->setParam(QStringLiteral("GetCode"), QStringLiteral("%") + Code->text() + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}
