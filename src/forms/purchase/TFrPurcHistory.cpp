#include "forms/purchase/TFrPurcHistory.h"

#include "data/TDM.h"
#include "search/PickList.h"
#include "search/SearchQuery.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TFrPurcHistory::TFrPurcHistory(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrPurcHistory"));
    resize(560, 300);
    QHistory = new SearchQuery(this);
    QHistory->addColumn(QStringLiteral("docno"), tr("เลขที่เอกสาร"), 110);
    QHistory->addColumn(QStringLiteral("docdate"), tr("วันที่เอกสาร"), 90);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QHistory->addColumn(QStringLiteral("price"), tr("ราคา"), 90, right, QStringLiteral("#,##0.00"));
    QHistory->addColumn(QStringLiteral("quantity"), tr("จำนวน"), 80, right, QStringLiteral("#,##0.000"));
    QHistory->addColumn(QStringLiteral("unitname"), tr("หน่วยนับ"), 90);
    DgHistory = PickList::makeGrid(this, QHistory);
    DgHistory->setObjectName(QStringLiteral("DgHistory"));
    BtClose = new QPushButton(QStringLiteral("Close"), this);
    BtClose->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(BtClose);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DgHistory, 1);
    lay->addLayout(row);
    connect(BtClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(DgHistory, &QTableView::doubleClicked, this, &TFrPurcHistory::ChooseCurrent);
}

QStringList TFrPurcHistory::Statement()
{
    // Both halves take the same vendor and product; the embedded engine takes the halves of
    // a union without parentheses.
    return {QStringLiteral("select hd.mrno docno,dt.mrdate docdate,dt.price,dt.quantity,u.unitname"),
            QStringLiteral("from mrdt dt"),
            QStringLiteral("inner join mrhd hd on hd.id=dt.mrhd and hd.vendor=:getvendor"),
            QStringLiteral("inner join productunits u on u.id=dt.productunits and u.product=dt.product"),
            QStringLiteral("where dt.product=:getproduct"),
            QStringLiteral("union all"),
            QStringLiteral("select hd.pcno docno,dt.pcdate docdate,dt.price,dt.quantity,u.unitname"),
            QStringLiteral("from pcdt dt"),
            QStringLiteral("inner join pchd hd on hd.id=dt.pchd and hd.vendor=:getvendor"),
            QStringLiteral("inner join productunits u on u.id=dt.productunits and u.product=dt.product"),
            QStringLiteral("where dt.product=:getproduct"),
            QStringLiteral("order  by docdate,docno desc")};
}

void TFrPurcHistory::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    Price = 0;
    QHistory->SQL = Statement();
    QHistory->setParam(QStringLiteral("getproduct"), ProductId);
    QHistory->setParam(QStringLiteral("getvendor"), VendorId);
    QHistory->Close();
    QHistory->Open(DM->DMdata());
    PickList::applyWidths(DgHistory, QHistory);
    if (!QHistory->IsEmpty())
        DgHistory->selectRow(0);
}

void TFrPurcHistory::ChooseCurrent()
{
    const int row = PickList::currentOrFirst(DgHistory);
    const QVariant price = QHistory->value(row, QStringLiteral("price"));
    if (QHistory->IsEmpty() || price.isNull()) {
        reject();
        return;
    }
    Price = price.toDouble();
    accept();
}
