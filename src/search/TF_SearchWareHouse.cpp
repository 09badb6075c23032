#include "search/TF_SearchWareHouse.h"
#include "search/PickList.h"

#include "data/Session.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TF_SearchWareHouse::TF_SearchWareHouse(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("F_SearchWareHouse"));
    setWindowTitle(tr("ค้นหาคลังสินค้า"));
    resize(444, 273);
    QSearch = new SearchQuery(this);
    DgSearch = PickList::makeGrid(this, QSearch);
    DgSearch->setObjectName(QStringLiteral("DgSearch"));
    auto* buttons = PickList::chooseButtons(this, DgSearch, BtOk, BtCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DgSearch, 1);
    lay->addLayout(buttons);
    DgSearch->installEventFilter(this);
}

void TF_SearchWareHouse::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TF_SearchWareHouse::FormShow()
{
    setWindowTitle(tr("ค้นหาคลังสินค้า"));
    BtOk->setText(tr("เลือก"));
    BtCancel->setText(tr("ไม่เลือก"));
    QSearch->clearColumns();
    QSearch->addColumn(QStringLiteral("code"), tr("รหัสคลังสินค้า"), 110);
    QSearch->addColumn(QStringLiteral("name"),
                       tr("ชื่อคลังสินค้า"), 290);
    QSearch->setSQL(ActiveOnly ? QStringLiteral("select code,name from warehouse where blocked = 'N' order by code")
                               : QStringLiteral("select code,name from warehouse order by code"));
    QSearch->Close();
    QSearch->Open(DM->DMdata());
    for (int i = 0; i < QSearch->columns().size(); ++i)
        DgSearch->setColumnWidth(i, QSearch->columns()[i].width);
    DgSearch->setFocus();
    if (QSearch->RecordCount() > 0)
        DgSearch->selectRow(0);
}

void TF_SearchWareHouse::done(int r)
{
    const QModelIndex i = DgSearch->currentIndex();
    if (r == QDialog::Accepted && QSearch->Active() && !QSearch->IsEmpty())
        ResultCode = QSearch->value(i.isValid() ? i.row() : 0, QStringLiteral("code")).toString();
    else
        ResultCode.clear();
    QSearch->Close();
    QDialog::done(ResultCode.isEmpty() ? QDialog::Rejected : r);
}

bool TF_SearchWareHouse::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == DgSearch && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}
