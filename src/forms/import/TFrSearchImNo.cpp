#include "forms/import/TFrSearchImNo.h"

#include "data/CachedDataSet.h"
#include "forms/import/TFaGetFrVendor.h"
#include "search/SearchQuery.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QStringList TFrSearchImNo::Statement()
{
    return {QStringLiteral("SELECT H.Id,H.DelFlag, H.ImNo, H.ImDate, H.Reference,"),
            QStringLiteral("  I.Code, V.Name, H.Total, C.Description"),
            QStringLiteral("FROM ImHd H"),
            QStringLiteral("Inner Join ImportLotNo I On (H.ImportLotNo = I.Id)"),
            QStringLiteral("Inner Join FrVendor V On (H.FrVendor = V.ID)"),
            QStringLiteral("Inner Join Misc C On (H.Currency = C.Id)"),
            QStringLiteral("WHERE (H.ImNo Like :GetNo) And (V.Code Like :GetCode) And BeginBalance <> :GetBegin"),
            QStringLiteral("Order By H.ImNo Desc")};
}

TFrSearchImNo::TFrSearchImNo(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchImNo"));
    setWindowTitle(tr("ค้นหาใบนำเข้าสินค้าจากต่างประเทศ"));
    LbCode->setText(tr("เลขที่"));

    QNullTable = new CachedDataSet(this, QStringLiteral("QNullTable"));
    QNullTable->setSQL(QStringLiteral("Select 0 Id From NullTable"));

    FaGetFrVendor = new TFaGetFrVendor(this);
    // An empty vendor here means every vendor.
    FaGetFrVendor->Vendor->setAllowEmpty(true);
    if (auto* lay = qobject_cast<QVBoxLayout*>(layout())) {
        auto* row = new QWidget(this);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(6, 0, 6, 6);
        rowLayout->addWidget(FaGetFrVendor, 1);
        lay->insertWidget(1, row);
    }

    QSearch->SQL = Statement();
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QSearch->addColumn(QStringLiteral("ImNo"), tr("เลขที่"), 100, right);
    QSearch->addColumn(QStringLiteral("ImDate"), tr("วันที่"), 80);
    QSearch->addColumn(QStringLiteral("Name"), tr("เจ้าหนี้"), 200);
    QSearch->addColumn(QStringLiteral("Code"), QStringLiteral("Import LotNo"), 99);
    QSearch->addColumn(QStringLiteral("Total"), tr("รวมเงิน"), 100, right, QStringLiteral("#,##0.00"));
    QSearch->addColumn(QStringLiteral("Description"), tr("สกุลเงิน"), 100);
}

void TFrSearchImNo::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("ImNo");
    // The vendor filter starts empty on a fresh scratch row.
    QNullTable->OpenEditRow();
    FaGetFrVendor->bind(QNullTable, QStringLiteral("Id"));
    Code->clear();
    Code->setFocus();
}

void TFrSearchImNo::BtSearchClick()
{
    // The typed number matches the end of the stored number; the vendor code is a prefix.
    QSearch->setParam(QStringLiteral("GetNo"), QStringLiteral("%") + Code->text());
    QSearch->setParam(QStringLiteral("GetCode"), FaGetFrVendor->text() + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("GetBegin"),
                      BeginBalance.trimmed() == QLatin1String("Y") ? QStringLiteral("N") : QStringLiteral("Y"));
    TFrSearch::BtSearchClick();
}
