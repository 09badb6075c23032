#include "forms/base/TFaGetDocNo.h"
#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "widgets/DbEdits.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

TFaGetDocNo::TFaGetDocNo(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetDocNo"));
    setFixedWidth(196);
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(4);
    Caption = new QLabel(tr("เลขที่"), this);
    DocNo = new TDbEdit(this);
    DocNo->setObjectName(QStringLiteral("DocNo"));
    DocNo->setUpperCase(true);
    BtSearch = new QToolButton(this);
    BtSearch->setObjectName(QStringLiteral("BtSearch"));
    BtSearch->setText(QStringLiteral("..."));
    BtSearch->setAutoRaise(true);
    BtSearch->setToolTip(tr("ค้นหาเลขที่เอกสาร"));
    BtSearch->setFocusPolicy(Qt::NoFocus);
    BtSearch->setEnabled(false);
    lay->addWidget(Caption);
    lay->addWidget(DocNo, 1);
    lay->addWidget(BtSearch);
    DocNo->installEventFilter(this);
    connect(BtSearch, &QToolButton::clicked, this, [this] {
        if (BtSearchClick)
            BtSearchClick();
    });
    connect(qApp, &QApplication::focusChanged, this, &TFaGetDocNo::onFocusChanged);
}

void TFaGetDocNo::bind(CachedDataSet* header, const QString& numberField)
{
    m_header = header;
    DocNo->bind(header, numberField);
}

bool TFaGetDocNo::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == DocNo && e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_F5 && BtSearch->isEnabled()) {
            BtSearch->click();
            return true;
        }
    }
    return QWidget::eventFilter(obj, e);
}

void TFaGetDocNo::onFocusChanged(QWidget*, QWidget* now)
{
    // A window that is closing or hidden does not react: its owner may be half destroyed.
    if (!window()->isVisible() || window()->testAttribute(Qt::WA_WState_Hidden))
        return;
    const bool inside = now && (now == this || isAncestorOf(now));
    // A focus change to another window (a search dialog, a message) or to none (the window
    // went to the back) is not leaving: the field is left when another control of this
    // window takes the focus.
    if (!inside && (!now || now->window() != window()))
        return;
    if (inside == m_inside)
        return;
    m_inside = inside;
    if (inside) {
        BtSearch->setEnabled(true);
        return;
    }
    if (DocNoExit)
        DocNoExit();
    FrameExit();
}

bool TFaGetDocNo::showRefusals()
{
    if (!m_header || !m_header->Active() || m_header->RecNo() < 0)
        return false;
    bool shown = false;
    auto check = [&](const char* column, const QString& text) {
        if (m_header->hasField(QLatin1String(column))
            && m_header->FieldByName(QLatin1String(column)).toString() == QLatin1String("Y")) {
            MessageService::information(text);
            shown = true;
        }
    };
    check("DelFlag", tr("เอกสารถูกยกเลิกแล้ว"));
    check("Posted", tr("เอกสารถูกปิดบัญชีแล้ว"));
    check("Imported", tr("เอกสารถูกถ่ายโอนมาจากระบบอื่น"));
    return shown;
}

void TFaGetDocNo::FrameExit()
{
    BtSearch->setEnabled(false);
    if (!showRefusals())
        return;
    // The user cannot open such a document: the number is emptied and looked up again.
    setEnabled(true);
    DocNo->setEnabled(true);
    BtSearch->setEnabled(true);
    DocNo->setText(QString());
    if (DocNoExit)
        DocNoExit();
    showRefusals();
}
