#include "search/TFaGetTaxCode.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/TFaGetProvince.h"
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

// ---- tax code ------------------------------------------------------------------------------

TFaGetTaxCode::TFaGetTaxCode(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetTaxCode"));
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    Caption = new QLabel(tr("อัตราภาษี"), this);
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
