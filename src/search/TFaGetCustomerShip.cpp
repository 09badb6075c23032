#include "search/TFaGetCustomerShip.h"
#include "search/TFaGetProvince.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/TFaGetDepartment.h"
#include "search/TFrSearchMisc.h"
#include "widgets/DbEdits.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QToolButton>

// ---- delivery address ----------------------------------------------------------------------

TFaGetCustomerShip::TFaGetCustomerShip(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetCustomerShip"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    UseShipAddr = new QCheckBox(tr("ส่งสินค้าตามที่อยู่ด้านล่าง"), this);
    UseShipAddr->setObjectName(QStringLiteral("UseShipAddr"));
    grid->addWidget(UseShipAddr, 0, 0, 1, 4);
    auto addEdit = [&](TDbEdit*& edit, const QString& name, const QString& caption, int row, int col, int span) {
        edit = new TDbEdit(this);
        edit->setObjectName(name);
        if (!caption.isEmpty()) {
            auto* l = new QLabel(caption, this);
            l->setBuddy(edit);
            Labels << l;
            grid->addWidget(l, row, col);
            grid->addWidget(edit, row, col + 1, 1, span);
        } else {
            grid->addWidget(edit, row, col + 1, 1, span);
        }
    };
    auto* addrLabel = new QLabel(tr("ที่อยู่"), this);
    Labels << addrLabel;
    grid->addWidget(addrLabel, 1, 0);
    addEdit(Address1, QStringLiteral("Address1"), QString(), 1, 0, 3);
    addEdit(Address2, QStringLiteral("Address2"), QString(), 2, 0, 3);
    addEdit(Address3, QStringLiteral("Address3"), QString(), 3, 0, 3);
    Province = new TFaGetProvince(this);
    grid->addWidget(Province, 4, 0, 1, 4);
    addEdit(ZipCode, QStringLiteral("ZipCode"), tr("รหัสไปรษณีย์"), 5, 0, 1);
    addEdit(Telephone, QStringLiteral("Telephone"), tr("โทรศัพท์"), 6, 0, 1);
    addEdit(Fax, QStringLiteral("Fax"), QStringLiteral("FAX"), 6, 2, 1);
    connect(UseShipAddr, &QCheckBox::clicked, this, &TFaGetCustomerShip::UseShipAddrClick);
    connect(qApp, &QApplication::focusChanged, this, &TFaGetCustomerShip::onFocusChanged);
}

void TFaGetCustomerShip::setDataSet(CachedDataSet* ds)
{
    m_ds = ds;
    Address1->bind(ds, QStringLiteral("ShipAddr1"));
    Address2->bind(ds, QStringLiteral("ShipAddr2"));
    Address3->bind(ds, QStringLiteral("ShipAddr3"));
    ZipCode->bind(ds, QStringLiteral("ZipCode"));
    Telephone->bind(ds, QStringLiteral("PhoneNo"));
    Fax->bind(ds, QStringLiteral("FaxNo"));
    Province->bind(ds, QStringLiteral("Province"));
}

void TFaGetCustomerShip::onFocusChanged(QWidget*, QWidget* now)
{
    const bool inside = now && (now == this || isAncestorOf(now));
    if (inside && !m_inside) {
        m_inside = true;
        FrameEnter();
    } else if (!inside && now && now->window() == window()) {
        m_inside = false;
    }
}

void TFaGetCustomerShip::FrameEnter()
{
    if (m_ds && m_ds->Active() && m_ds->RecNo() >= 0 && m_ds->state() == CachedDataSet::State::Browse)
        m_ds->Edit();
    Province->bind(m_ds, QStringLiteral("Province"));
    UseShipAddr->setFocus();
}

void TFaGetCustomerShip::UseShipAddrClick()
{
    const bool on = UseShipAddr->isChecked();
    for (QLabel* l : Labels)
        l->setEnabled(on);
    for (TDbEdit* e : {Address1, Address2, Address3, ZipCode, Telephone, Fax})
        e->setEnabled(on);
    Province->setEnabled(on);
}
