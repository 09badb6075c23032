#include "forms/purchase/TFrPoShip.h"

#include "data/CachedDataSet.h"
#include "search/TFaGetCustomerShip.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

TFrPoShip::TFrPoShip(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrPoShip"));
    setWindowTitle(tr("ป้อนข้อมูลสถานที่ส่ง"));
    FaGetCustomerShip = new TFaGetCustomerShip(this);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 6, 6, 6);
    lay->addWidget(FaGetCustomerShip);
    resize(460, 240);
}

void TFrPoShip::bind(CachedDataSet* ship)
{
    m_ship = ship;
    FaGetCustomerShip->setDataSet(ship);
}

void TFrPoShip::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || !m_ship || !m_ship->Active())
        return;
    if (m_ship->IsEmpty())
        m_ship->Append();
    else if (m_ship->state() == CachedDataSet::State::Browse)
        m_ship->Edit();
    FaGetCustomerShip->UseShipAddrClick();
    FaGetCustomerShip->UseShipAddr->setFocus();
}

void TFrPoShip::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e); // Escape closes
}
