#include "forms/receipt/TFrSearchVenAttrCode.h"

#include "search/SearchQuery.h"

#include <QLabel>

TFrSearchVenAttrCode::TFrSearchVenAttrCode(QWidget* parent)
    : TFrSearchProdAttrCode(parent)
{
    setObjectName(QStringLiteral("FrSearchVenAttrCode"));
    setWindowTitle(tr("ค้นหาคุณสมบัติเจ้าหนี้"));
    LbDesc->setText(tr("ค้นหารายละเอียด"));
    CodeTable = QStringLiteral("VenAttrCode");
    GroupColumn = QStringLiteral("VenAttrGroup");
    QCode->clearColumns();
    QCode->addColumn(QStringLiteral("DESCRIPTION"), tr("รายละเอียด"), 280);
    QCode->addColumn(QStringLiteral("CODE"), tr("รหัส"), 100);
}
