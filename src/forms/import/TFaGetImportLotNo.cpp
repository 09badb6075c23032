#include "forms/import/TFaGetImportLotNo.h"

#include "search/SimpleSearch.h"

#include <QLabel>
#include <QToolButton>

TFaGetImportLotNo::TFaGetImportLotNo(QWidget* parent)
    : TFaCodeLookup(parent)
{
    setObjectName(QStringLiteral("FaGetImportLotNo1"));
    Caption->setText(QStringLiteral("Import Lot No."));
    BtSearch->setToolTip(QStringLiteral("ค้นหา Lot นำเข้าต่างประเทศ"));
    LookupTable = QStringLiteral("ImportLotNo");
    IdField = QStringLiteral("Id");
    CodeField = QStringLiteral("Code");
    DescField = QStringLiteral("Description");
    AllowNull = false;
}

void TFaGetImportLotNo::BtSearchClick()
{
    if (SimpleSearch(QStringLiteral("ค้นหา ") + Caption->text(), QStringLiteral("Code"),
                     QStringLiteral("ImportLotNo"), QString(), QStringLiteral("Description")))
        takeChosenCode(SimpleSearchDialog()->ResultValue);
}
