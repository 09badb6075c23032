#include "search/TFaGetRemark.h"

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

// ---- remark --------------------------------------------------------------------------------

TFaGetRemark::TFaGetRemark(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetRemark"));
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    Caption = new QLabel(QStringLiteral("หมายเหตุ"), this);
    Remark = new TDbEdit(this);
    Remark->setObjectName(QStringLiteral("Remark"));
    BtSearch = new QToolButton(this);
    BtSearch->setText(QStringLiteral("..."));
    BtSearch->setFocusPolicy(Qt::NoFocus);
    BtSearch->setEnabled(false);
    lay->addWidget(Caption);
    lay->addWidget(Remark, 1);
    lay->addWidget(BtSearch);
    setFocusProxy(Remark);
    Remark->installEventFilter(this);
    connect(BtSearch, &QToolButton::clicked, this, &TFaGetRemark::BtSearchClick);
}

void TFaGetRemark::bind(CachedDataSet* ds, const QString& field)
{
    Remark->bind(ds, field);
}

void TFaGetRemark::BtSearchClick()
{
    TFrSearchMisc* dlg = SearchMiscDialog();
    dlg->setWindowTitle(QStringLiteral("ค้นหาหมายเหตุ"));
    dlg->SearchGroup = RemarkGroup;
    dlg->ReturnColumn = QStringLiteral("Description");
    if (MessageService::execDialog(dlg) != QDialog::Accepted || dlg->ResultValue.isEmpty())
        return;
    Remark->setText(dlg->ResultValue);
    Remark->commit();
    Remark->setFocus();
}

bool TFaGetRemark::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == Remark) {
        if (e->type() == QEvent::FocusIn)
            BtSearch->setEnabled(true);
        else if (e->type() == QEvent::FocusOut
                 && static_cast<QFocusEvent*>(e)->reason() != Qt::ActiveWindowFocusReason)
            BtSearch->setEnabled(false);
        else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F5) {
            BtSearchClick();
            return true;
        }
    }
    return QWidget::eventFilter(obj, e);
}

// ---- tax code ------------------------------------------------------------------------------

TFaGetTaxCode::TFaGetTaxCode(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetTaxCode"));
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    Caption = new QLabel(QStringLiteral("อัตราภาษี"), this);
    TaxCode = new QComboBox(this);
    TaxCode->setObjectName(QStringLiteral("TaxCode"));
    TaxCode->setMinimumWidth(140);
    lay->addWidget(Caption);
    lay->addWidget(TaxCode, 1);
    setFocusProxy(TaxCode);
    TaxCode->installEventFilter(this);
    connect(TaxCode, &QComboBox::activated, this, [this] { TaxCodeExit(); });
}

void TFaGetTaxCode::reload()
{
    if (!DM)
        return;
    TaxCode->blockSignals(true);
    TaxCode->clear();
    QSqlQuery q = Db::exec(DM->DMdata(), QStringLiteral("Select Id, Code, Rate From Tax Order By Code"));
    while (q.next()) {
        TaxCode->addItem(q.value(1).toString() + QStringLiteral("  ") + QString::number(q.value(2).toDouble(), 'f', 2),
                         q.value(0));
        TaxCode->setItemData(TaxCode->count() - 1, q.value(2), Qt::UserRole + 1);
    }
    TaxCode->blockSignals(false);
    m_loaded = true;
}

void TFaGetTaxCode::bind(CachedDataSet* ds, const QString& field)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = ds;
    m_field = field;
    if (ds) {
        connect(ds, &CachedDataSet::reset, this, &TFaGetTaxCode::refresh);
        connect(ds, &CachedDataSet::currentChanged, this, &TFaGetTaxCode::refresh);
    }
    refresh();
}

void TFaGetTaxCode::refresh()
{
    if (!m_loaded)
        reload();
    if (!m_loaded)
        return;
    QVariant id;
    if (m_ds && m_ds->Active() && m_ds->RecNo() >= 0 && m_ds->hasField(m_field))
        id = m_ds->FieldByName(m_field);
    TaxCode->blockSignals(true);
    TaxCode->setCurrentIndex(id.isNull() ? -1 : TaxCode->findData(id.toInt()));
    TaxCode->blockSignals(false);
}

void TFaGetTaxCode::TaxCodeExit()
{
    if (!m_ds || !m_ds->Active() || m_ds->RecNo() < 0 || TaxCode->currentIndex() < 0)
        return;
    const QVariant id = TaxCode->currentData();
    if (m_ds->hasField(m_field) && m_ds->FieldByName(m_field).toString() != id.toString())
        m_ds->SetField(m_field, id);
    if (!RateField.trimmed().isEmpty() && m_ds->hasField(RateField))
        m_ds->SetField(RateField, TaxCode->currentData(Qt::UserRole + 1));
}

bool TFaGetTaxCode::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == TaxCode && e->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
        TaxCodeExit();
    return QWidget::eventFilter(obj, e);
}

// ---- delivery address ----------------------------------------------------------------------

TFaGetCustomerShip::TFaGetCustomerShip(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetCustomerShip"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    UseShipAddr = new QCheckBox(QStringLiteral("ส่งสินค้าตามที่อยู่ด้านล่าง"), this);
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
    auto* addrLabel = new QLabel(QStringLiteral("ที่อยู่"), this);
    Labels << addrLabel;
    grid->addWidget(addrLabel, 1, 0);
    addEdit(Address1, QStringLiteral("Address1"), QString(), 1, 0, 3);
    addEdit(Address2, QStringLiteral("Address2"), QString(), 2, 0, 3);
    addEdit(Address3, QStringLiteral("Address3"), QString(), 3, 0, 3);
    Province = new TFaGetProvince(this);
    grid->addWidget(Province, 4, 0, 1, 4);
    addEdit(ZipCode, QStringLiteral("ZipCode"), QStringLiteral("รหัสไปรษณีย์"), 5, 0, 1);
    addEdit(Telephone, QStringLiteral("Telephone"), QStringLiteral("โทรศัพท์"), 6, 0, 1);
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
