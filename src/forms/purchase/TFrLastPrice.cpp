#include "forms/purchase/TFrLastPrice.h"

#include "data/DbUtil.h"
#include "data/Rounding.h"
#include "data/TDM.h"
#include "search/PickList.h"
#include "search/SearchQuery.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

TFrLastPrice::TFrLastPrice(QWidget* parent, const QString& heading)
    : QDialog(parent)
{
    resize(460, 280);
    QPrice = new SearchQuery(this);
    Heading = new QLabel(heading, this);
    Heading->setAlignment(Qt::AlignCenter);
    Heading->setAutoFillBackground(true);
    Heading->setStyleSheet(QStringLiteral("QLabel { background-color: #000080; color: white; font-weight: bold; padding: 4px; }"));
    DgPrice = PickList::makeGrid(this, QPrice);
    DgPrice->setObjectName(QStringLiteral("DgPrice"));
    DgPrice->setToolTip(QStringLiteral("Double Click For Get Value !"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(Heading);
    lay->addWidget(DgPrice, 1);
    connect(DgPrice, &QTableView::doubleClicked, this, &QDialog::accept);
    DgPrice->installEventFilter(this);
    installEventFilter(this);
}

void TFrLastPrice::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    Price = 0;
    QPrice->SQL = Statement;
    QPrice->setParam(QStringLiteral("GVEN"), VendorId);
    QPrice->setParam(QStringLiteral("GPRODUCT"), ProductId);
    QPrice->setParam(QStringLiteral("GUNIT"), UnitId);
    QPrice->Close();
    QPrice->Open(DM->DMdata());
    PickList::applyWidths(DgPrice, QPrice);
    if (!QPrice->IsEmpty())
        DgPrice->selectRow(0);
    DgPrice->setFocus();
}

void TFrLastPrice::done(int r)
{
    if (r == QDialog::Accepted && QPrice->Active() && !QPrice->IsEmpty()) {
        Price = QPrice->value(PickList::currentOrFirst(DgPrice), QStringLiteral("Price")).toDouble();
    } else {
        Price = 0;
        r = QDialog::Rejected;
    }
    QDialog::done(r);
}

bool TFrLastPrice::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true; // swallowed: only a double click takes a price
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

// ---- any vendor ----------------------------------------------------------------------------

TFrLastPriceAll::TFrLastPriceAll(QWidget* parent)
    : TFrLastPrice(parent, QStringLiteral("Last Price Purchase All !"))
{
    setObjectName(QStringLiteral("FrLastPriceAll"));
    setWindowTitle(tr("ราคาล่าสุดไม่ระบุผู้ขาย !"));
    Statement = DefaultStatement();
    QPrice->addColumn(QStringLiteral("MrDate"), tr("วันที่ชื้อ"), 80);
    QPrice->addColumn(QStringLiteral("MrNo"), tr("เลขที่ใบชื้อ"), 100);
    QPrice->addColumn(QStringLiteral("Name"), tr("ผู้จำหน่าย"), 170);
    QPrice->addColumn(QStringLiteral("Price"), tr("ราคาชื้อ"), 80, Qt::AlignRight | Qt::AlignVCenter,
                      QStringLiteral("#,##0.00"));
}

QStringList TFrLastPriceAll::DefaultStatement()
{
    // The ten most recent bills, newest first.
    return {QStringLiteral("Select H.MrNo,H.MrDate,Price,V.Code,V.Name"),
            QStringLiteral("From MrDt D"),
            QStringLiteral("Inner Join MrHd H On (H.Id = D.MrHd)"),
            QStringLiteral("Inner JOin Vendor V On (V.Id = H.Vendor)"),
            QStringLiteral("Where (H.DelFlag = 'N')"),
            QStringLiteral("AND (D.Product =:GPRODUCT)"),
            QStringLiteral("AND (D.ProductUnits =:GUNIT)"),
            QStringLiteral("Order By H.MrDate Desc, H.Id Desc"),
            QStringLiteral("Limit 10")};
}

// ---- this vendor ---------------------------------------------------------------------------

TFrLastPriceListVendor::TFrLastPriceListVendor(QWidget* parent)
    : TFrLastPrice(parent, QStringLiteral("Last Price Purchase !"))
{
    setObjectName(QStringLiteral("FrLastPriceListVendor"));
    setWindowTitle(tr("ราคาชื้อล่าสุด !"));
    Statement = DefaultStatement();
    QPrice->addColumn(QStringLiteral("MrNo"), tr("เลขที่ใบชื้อ"), 110);
    QPrice->addColumn(QStringLiteral("MrDate"), tr("วันที่ชื้อ"), 90);
    QPrice->addColumn(QStringLiteral("Price"), tr("ราคาชื้อ"), 90, Qt::AlignRight | Qt::AlignVCenter,
                      QStringLiteral("#,##0.00"));
}

QStringList TFrLastPriceListVendor::DefaultStatement()
{
    return {QStringLiteral("Select H.MrNo,H.MrDate,Price"),
            QStringLiteral("From MrDt D"),
            QStringLiteral("Inner Join MrHd H On (H.Id = D.MrHd)"),
            QStringLiteral("Where (H.DelFlag = 'N') AND (H.Vendor =:GVEN)"),
            QStringLiteral("AND (D.Product =:GPRODUCT)"),
            QStringLiteral("AND (D.ProductUnits =:GUNIT)"),
            QStringLiteral("Order By H.MrDate Desc, H.Id Desc"),
            QStringLiteral("Limit 10")};
}

QStringList TFrLastPriceListVendor::ImportStatement()
{
    // The same columns, so the grid and the price taken stay as they are.
    return {QStringLiteral("Select H.ImNo MrNo,H.ImDate MrDate,D.Total / D.Quantity Price"),
            QStringLiteral("From ImDt D"),
            QStringLiteral("Inner Join ImHd H On (H.Id = D.ImHd)"),
            QStringLiteral("Where (H.DelFlag = 'N') AND (H.BeginBalance = 'N') AND (H.FrVendor =:GVEN)"),
            QStringLiteral("AND (D.Product =:GPRODUCT)"),
            QStringLiteral("AND (D.ProductUnits =:GUNIT) AND (D.Quantity <> 0)"),
            QStringLiteral("Order By H.ImDate Desc, H.Id Desc"),
            QStringLiteral("Limit 10")};
}

std::optional<double> TFrLastPriceListVendor::LastImportPrice(int vendorId, int currencyId, int productId, int unitId)
{
    if (vendorId < 1 || productId < 1 || unitId < 1)
        return std::nullopt;
    const QString sql = QStringLiteral(
        "Select D.Total * 1.0 / D.Quantity From ImDt D Inner Join ImHd H On (H.Id = D.ImHd) "
        "Where (H.DelFlag = 'N') And (H.BeginBalance = 'N') And (H.FrVendor = :v) And (H.Currency = :c) "
        "And (D.Product = :p) And (D.ProductUnits = :u) And (D.Quantity <> 0) Order By H.ImDate Desc, H.Id Desc Limit 1");
    QSqlRecord row;
    if (!Db::readFirst(DM->DMdata(), sql,
                       {{QStringLiteral("v"), vendorId}, {QStringLiteral("c"), currencyId},
                        {QStringLiteral("p"), productId}, {QStringLiteral("u"), unitId}},
                       row))
        return std::nullopt;
    return RoundDecimal(row.value(0).toDouble(), 4, 15);
}

void TFrLastPriceListVendor::useImportDocuments(bool on)
{
    Statement = on ? ImportStatement() : DefaultStatement();
    QPrice->setColumnTitle(QStringLiteral("MrNo"), on ? tr("เลขที่ใบนำเข้า") : tr("เลขที่ใบชื้อ"));
    QPrice->setColumnTitle(QStringLiteral("MrDate"), on ? tr("วันที่นำเข้า") : tr("วันที่ชื้อ"));
}
