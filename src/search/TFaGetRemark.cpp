#include "search/TFaGetRemark.h"

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

// ---- remark --------------------------------------------------------------------------------

TFaGetRemark::TFaGetRemark(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetRemark"));
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    Caption = new QLabel(tr("หมายเหตุ"), this);
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
    dlg->setWindowTitle(tr("ค้นหาหมายเหตุ"));
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
