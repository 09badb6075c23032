#include "forms/receipt/TFrSearchVenAttrCode.h"

#include "search/SearchQuery.h"

#include <QLabel>

TFrSearchVenAttrCode::TFrSearchVenAttrCode(QWidget* parent)
    : TFrSearchProdAttrCode(parent)
{
    setObjectName(QStringLiteral("FrSearchVenAttrCode"));
    setWindowTitle(QStringLiteral("ค้นหาคุณสมบัติเจ้าหนี้"));
    LbDesc->setText(QStringLiteral("ค้นหารายละเอียด"));
    CodeTable = QStringLiteral("VenAttrCode");
    GroupColumn = QStringLiteral("VenAttrGroup");
    QCode->clearColumns();
    QCode->addColumn(QStringLiteral("DESCRIPTION"), QStringLiteral("รายละเอียด"), 280);
    QCode->addColumn(QStringLiteral("CODE"), QStringLiteral("รหัส"), 100);
}
