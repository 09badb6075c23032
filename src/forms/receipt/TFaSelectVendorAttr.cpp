#include "forms/receipt/TFaSelectVendorAttr.h"

#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "forms/receipt/TFrSearchVenAttrCode.h"
#include "widgets/TDataGrid.h"


TFaSelectVendorAttr::TFaSelectVendorAttr(QWidget* parent)
    : TFaSelectProdAttr(parent)
{
    setObjectName(QStringLiteral("FaSelectVendorAttr"));
    QAttr->setSQL(QStringLiteral("SELECT G.Id, G.Code, G.Description, C.Id BeginAttrId, C.Code BeginAttrCode, "
                                 "C.Id EndAttrId, C.Code EndAttrCode, G.Code || C.Code BeginGroupCode, "
                                 "G.Code || C.Code EndGroupCode\n"
                                 "FROM VenAttrGroup G Left Outer Join VenAttrCode C On (C.VenAttrGroup = G.Id) "
                                 "And (C.Id = 0)\n"
                                 "ORDER By G.Description"));
    if (DgAttr->gridModel()) {
        DgAttr->gridModel()->column(0).title = tr("คุณสมบัติ");
        DgAttr->gridModel()->column(0).widthChars = 16;
    }
}

void TFaSelectVendorAttr::OpenGroups()
{
    TFaSelectProdAttr::OpenGroups(QString());
    DgAttr->setEnabled(!QAttr->IsEmpty());
}

QString TFaSelectVendorAttr::endOfGroup(const QString& groupCode)
{
    return groupCode + QChar(0xFFFF);
}

QList<TFaSelectProdAttr::Range> TFaSelectVendorAttr::Ranges() const
{
    QList<Range> out;
    if (!QAttr->Active())
        return out;
    for (int r = 0; r < QAttr->RecordCount(); ++r) {
        const QString begin = QAttr->value(r, QStringLiteral("BeginAttrCode")).toString().trimmed();
        const QString end = QAttr->value(r, QStringLiteral("EndAttrCode")).toString().trimmed();
        if (begin.isEmpty() && end.isEmpty())
            continue;
        const QString group = QAttr->value(r, QStringLiteral("Code")).toString().trimmed();
        out.append({group + begin, end.isEmpty() ? endOfGroup(group) : group + end});
    }
    return out;
}

TFrSearchProdAttrCode* TFaSelectVendorAttr::newCodeSearch(QWidget* parent) const
{
    return new TFrSearchVenAttrCode(parent);
}
