#include "search/TFrSearchUnit.h"
#include "search/PickList.h"

#include "data/Session.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

using namespace PickList;

// ---- units ---------------------------------------------------------------------------------

TFrSearchUnit::TFrSearchUnit(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrSearchUnit"));
    resize(460, 240);
    QUnit = new SearchQuery(this);
    QUnit->SQL = {QStringLiteral("SELECT U.UnitName, U.Fraction, U.Barcode, (select pp.Price from productprice Pp "
                                 "Where Pp.Productunits = U.id And pp.pricetype = 19 limit 1) SalePrice"),
                  QStringLiteral("FROM ProductUnits U"),
                  QStringLiteral("Where (U.Product = :GetPart) And"),
                  QStringLiteral("      ((U.PurcFlag Like :ForPurc) Or (U.SaleFlag Like :ForSale) Or"),
                  QStringLiteral("       (U.StockUnitFlag Like :ForStock) Or (U.SmallUnitFlag Like :ForSmall))"),
                  QStringLiteral("Order By U.Fraction")};
    DgUnit = makeGrid(this, QUnit);
    DgUnit->setObjectName(QStringLiteral("DgUnit"));
    auto* buttons = chooseButtons(this, DgUnit, BtOk, BtCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DgUnit, 1);
    lay->addLayout(buttons);
    DgUnit->installEventFilter(this);
}

void TFrSearchUnit::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFrSearchUnit::FormShow()
{
    setWindowTitle(tr("ค้นหาหน่วยนับ"));
    BtOk->setText(tr("เลือก"));
    BtCancel->setText(tr("ไม่เลือก"));
    QUnit->clearColumns();
    QUnit->addColumn(QStringLiteral("UnitName"), tr("หน่วยนับ"), 100);
    QUnit->addColumn(QStringLiteral("Barcode"), tr("Barcode"), 120);
    QUnit->addColumn(QStringLiteral("SalePrice"), tr("ราคาขาย"), 80, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("#,##0.00"));
    QUnit->addColumn(QStringLiteral("Fraction"),
                     tr("อัตราส่วนหน่วยย่อย"), 110,
                     Qt::AlignRight | Qt::AlignVCenter);
    const auto flag = [](bool on) { return on ? QStringLiteral("Y%") : QStringLiteral("X%"); };
    QUnit->setParam(QStringLiteral("GetPart"), ProductId);
    QUnit->setParam(QStringLiteral("ForPurc"), flag(ForPurc));
    QUnit->setParam(QStringLiteral("ForSale"), flag(ForSale));
    QUnit->setParam(QStringLiteral("ForStock"), flag(ForStock));
    QUnit->setParam(QStringLiteral("ForSmall"), flag(ForSmall));
    QUnit->Close();
    QUnit->Open(DM->DMdata());
    applyWidths(DgUnit, QUnit);
    DgUnit->setFocus();
    if (!QUnit->IsEmpty())
        DgUnit->selectRow(0);
}

void TFrSearchUnit::done(int r)
{
    if (r == QDialog::Accepted && QUnit->Active() && !QUnit->IsEmpty()) {
        ResultUnitName = QUnit->value(currentOrFirst(DgUnit), QStringLiteral("UnitName")).toString();
    } else {
        ResultUnitName.clear();
        r = QDialog::Rejected; // choosing from an empty list is a cancel
    }
    QDialog::done(r);
}

bool TFrSearchUnit::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == DgUnit && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}
