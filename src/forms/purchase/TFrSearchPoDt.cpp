#include "forms/purchase/TFrSearchPoDt.h"

#include "data/TDM.h"
#include "search/PickList.h"
#include "search/SearchQuery.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TFrSearchPoDt::TFrSearchPoDt(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrSearchPoDt"));
    setWindowTitle(tr("ค้นหารายการสินค้าตามใบสั่งซื้อ"));
    resize(640, 420);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QHd = new SearchQuery(this);
    QHd->addColumn(QStringLiteral("PoNo"), tr("เลขที่ PO"), 90, right);
    QHd->addColumn(QStringLiteral("PoDate"), tr("วันที่"), 80);
    QHd->addColumn(QStringLiteral("Code"), tr("รหัส"), 60);
    QHd->addColumn(QStringLiteral("Name"), tr("ชื่อ"), 150);
    QHd->addColumn(QStringLiteral("ShipDate"), tr("วันที่ส่งสินค้า"), 90);
    QHd->addColumn(QStringLiteral("Total"), tr("รวมเงิน"), 80, right, QStringLiteral("#,##0.00"));
    QHd->addColumn(QStringLiteral("Reference"), tr("อ้างถึง"), 100);
    QDt = new SearchQuery(this);
    QDt->addColumn(QStringLiteral("ProductCode"), tr("รหัส"), 80);
    QDt->addColumn(QStringLiteral("ProductName"), tr("ชื่อ"), 200);
    QDt->addColumn(QStringLiteral("BackOrder"), tr("จำนวน"), 70, right, QStringLiteral("#,##0.###"));
    QDt->addColumn(QStringLiteral("UnitName"), tr("หน่วยนับ"), 70);
    QDt->addColumn(QStringLiteral("Price"), tr("ราคา"), 80, right, QStringLiteral("#,##0.00"));
    QDt->addColumn(QStringLiteral("Total"), tr("รวมเงิน"), 90, right, QStringLiteral("#,##0.00"));
    DgHd = PickList::makeGrid(this, QHd);
    DgHd->setObjectName(QStringLiteral("DgHd"));
    DgDt = PickList::makeGrid(this, QDt);
    DgDt->setObjectName(QStringLiteral("DgDt"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel(tr("ใบสั่งซื้อ"), this));
    lay->addWidget(DgHd, 1);
    lay->addWidget(new QLabel(tr("รายการสินค้า"), this));
    lay->addWidget(DgDt, 1);
    lay->addLayout(PickList::chooseButtons(this, DgDt, BtOk, BtCancel));
    connect(DgHd, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(DgHd->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { OpenLines(); });
    installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(DgHd), static_cast<QWidget*>(DgDt)})
        w->installEventFilter(this);
}

QStringList TFrSearchPoDt::HeaderStatement()
{
    return {QStringLiteral("SELECT H.Id, H.DelFlag, H.PoNo, H.PoDate, H.ShipDate, H.Reference, H.Total,"),
            QStringLiteral("H.Clear, V.Code, V.Name"),
            QStringLiteral("FROM PoHd H"),
            QStringLiteral("Inner Join Vendor V On  (H.Vendor = V.ID)"),
            QStringLiteral("Where (H.Vendor = :GetId) And (DelFlag = 'N') And (Clear <> 'Y') And (H.PoType = :GetType)"),
            QStringLiteral("Order By H.PoDate, H.PoNo")};
}

QStringList TFrSearchPoDt::LineStatement()
{
    return {QStringLiteral("SELECT D.Id, D.Product, D.TaxCode, D.TaxRate, D.ProductUnits, D.ShipDate,"),
            QStringLiteral("D.Warehouse, D.LotNo, D.Quantity, D.Received, D.BackOrder, D.Fraction, D.Price,"),
            QStringLiteral("D.Discount, D.DiscountAmt, D.ProductAmount, D.Total,D.MemoLine,H.Project,"),
            QStringLiteral("D.Clear, P.Id PId, P.Code ProductCode, P.ThaiName ProductName, P.ProductType,"),
            QStringLiteral("P.LotControl, P.UseSerial,D.ProjectItemHd,PJ.Code ProjectItemCode,"),
            QStringLiteral("U.UnitName, U.BarCode, V.PurchaseCode, V.PurchaseName, W.Code WhCode,"),
            QStringLiteral("P.DefaultWh, X.Code WareHouseCode"),
            QStringLiteral("FROM PoDt D"),
            QStringLiteral("Inner Join Product P ON (D.Product = P.Id)"),
            QStringLiteral("Inner Join ProductUnits U ON (D.ProductUnits = U.Id)"),
            QStringLiteral("Left Join ProjectItemHd PJ On PJ.Id=D.ProjectItemHd"),
            QStringLiteral("Inner Join PoHd H On (H.Id = D.PoHd)"),
            QStringLiteral("Left Outer Join Warehouse W On (D.Warehouse = W.Id)"),
            QStringLiteral("Left Outer Join Warehouse X On (X.Id = P.DefaultWh)"),
            QStringLiteral("Left Outer Join PartSource V On (V.Vendor = H.Vendor) And (V.ProductUnits = U.Id)"),
            QStringLiteral("WHERE (D.PoHd = :Id) And (D.Clear <> 'Y')")};
}

void TFrSearchPoDt::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    ResultId = 0;
    ResultPoNo.clear();
    m_chosenRow = -1;
    QDt->Close();
    QHd->Close();
    QHd->SQL = HeaderStatement();
    QDt->SQL = LineStatement();
    QHd->setParam(QStringLiteral("GetId"), VendorId);
    QHd->setParam(QStringLiteral("GetType"), PoType);
    QHd->Open(DM->DMdata());
    PickList::applyWidths(DgHd, QHd);
    if (!QHd->IsEmpty())
        DgHd->selectRow(0);
    OpenLines();
    DgHd->setFocus();
}

void TFrSearchPoDt::OpenLines()
{
    const int row = DgHd->currentIndex().isValid() ? DgHd->currentIndex().row() : 0;
    QDt->Close();
    if (!QHd->Active() || QHd->IsEmpty())
        return;
    QDt->setParam(QStringLiteral("Id"), QHd->value(row, QStringLiteral("Id")));
    QDt->Open(DM->DMdata());
    PickList::applyWidths(DgDt, QDt);
    if (!QDt->IsEmpty())
        DgDt->selectRow(0);
}

QVariant TFrSearchPoDt::LineValue(const QString& field) const
{
    return m_chosenRow >= 0 ? QDt->value(m_chosenRow, field) : QVariant();
}

void TFrSearchPoDt::done(int r)
{
    if (r == QDialog::Accepted && QDt->Active() && !QDt->IsEmpty()) {
        m_chosenRow = PickList::currentOrFirst(DgDt);
        ResultId = QDt->value(m_chosenRow, QStringLiteral("Id")).toInt();
        ResultPoNo = QHd->value(PickList::currentOrFirst(DgHd), QStringLiteral("PoNo")).toString();
    } else {
        m_chosenRow = -1;
        ResultId = 0;
        ResultPoNo.clear();
        r = QDialog::Rejected;
    }
    QDialog::done(r);
}

bool TFrSearchPoDt::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}
