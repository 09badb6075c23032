#include "search/TFaSelectProdAttr.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "search/TFrSearchProdAttrCode.h"
#include "widgets/TDataGrid.h"

#include <QVBoxLayout>
#include <memory>

TFaSelectProdAttr::TFaSelectProdAttr(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaSelectProdAttr"));
    QAttr = new CachedDataSet(this, QStringLiteral("QAttr"));
    // The begin and end codes start empty: the join on C.Id = 0 finds no code.
    QAttr->setSQL(QStringLiteral("SELECT G.Id, G.Code, G.Description,\n"
                                 "  C.Id BeginAttrId, C.Code BeginAttrCode,\n"
                                 "  C.Id EndAttrId, C.Code EndAttrCode,\n"
                                 "  LTrim(RTrim(G.Code)) || LTrim(RTrim(C.Code)) BeginGroupCode,\n"
                                 "  LTrim(RTrim(G.Code)) || LTrim(RTrim(C.Code)) EndGroupCode\n"
                                 "FROM ProdAttrGroup G\n"
                                 "Left Outer Join ProdAttrCode C On (C.ProdAttrGroup = G.Id)  And (C.Id = 0)\n"
                                 "Where (G.ProductType = :GetType)\n"
                                 "ORDER By G.Description"));
    DgAttr = new TDataGrid(this);
    DgAttr->setObjectName(QStringLiteral("DgAttr"));
    DgAttr->allowAppend = false;
    DgAttr->allowDelete = false;
    GridColumn desc;
    desc.field = QStringLiteral("Description");
    desc.title = tr("คุณสมบัติสินค้า");
    desc.widthChars = 12;
    desc.readOnly = true;
    GridColumn from;
    from.field = QStringLiteral("BeginAttrCode");
    from.title = tr("เริ่มต้น");
    from.widthChars = 7;
    from.upperCase = true;
    from.hasButton = true;
    GridColumn to = from;
    to.field = QStringLiteral("EndAttrCode");
    to.title = tr("สิ้นสุด");
    DgAttr->setDataSet(QAttr, {desc, from, to});
    DgAttr->onEditButton = [this](int row, const QString& field) { PickCode(row, field); };
    connect(DgAttr, &TDataGrid::gridEntered, this, [this] {
        if (QAttr->Active() && !QAttr->IsEmpty() && DgAttr->currentFieldName() != QLatin1String("EndAttrCode"))
            DgAttr->setCurrentIndex(DgAttr->model()->index(qMax(0, QAttr->RecNo()), 1));
    });
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(DgAttr);
}

QString TFaSelectProdAttr::groupType(const QString& typeLetter)
{
    if (typeLetter == QLatin1String("A") || typeLetter == QLatin1String("P") || typeLetter == QLatin1String("R")
        || typeLetter == QLatin1String("B"))
        return QStringLiteral("P");
    return typeLetter;
}

void TFaSelectProdAttr::OpenGroups(const QString& typeLetter)
{
    QAttr->Close();
    QAttr->setParam(QStringLiteral("GetType"), groupType(typeLetter));
    QAttr->Open();
    DgAttr->applyWidths();
}

QList<TFaSelectProdAttr::Range> TFaSelectProdAttr::Ranges() const
{
    QList<Range> out;
    if (!QAttr->Active())
        return out;
    for (int r = 0; r < QAttr->RecordCount(); ++r) {
        const QString begin = QAttr->value(r, QStringLiteral("BeginAttrCode")).toString().trimmed();
        if (begin.isEmpty())
            continue;
        QString end = QAttr->value(r, QStringLiteral("EndAttrCode")).toString().trimmed();
        if (end.isEmpty())
            end = begin;
        const QString group = QAttr->value(r, QStringLiteral("Code")).toString().trimmed();
        out.append({group + begin, group + end});
    }
    return out;
}

void TFaSelectProdAttr::PickCode(int row, const QString& field)
{
    if (!QAttr->Active() || row < 0 || row >= QAttr->RecordCount())
        return;
    std::unique_ptr<TFrSearchProdAttrCode> dlg(newCodeSearch(window()));
    dlg->GroupId = QAttr->value(row, QStringLiteral("Id")).toInt();
    if (MessageService::execDialog(dlg.get()) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return;
    QAttr->setRecNo(row);
    QAttr->SetField(field, dlg->ResultCode);
}

TFrSearchProdAttrCode* TFaSelectProdAttr::newCodeSearch(QWidget* parent) const
{
    return new TFrSearchProdAttrCode(parent);
}
