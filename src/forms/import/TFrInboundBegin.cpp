#include "forms/import/TFrInboundBegin.h"
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFaGetFrVendor.h"
#include "search/TFaGetRemark.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TFrInboundBegin::TFrInboundBegin(QWidget* parent)
    : TFrInbound(parent)
{
    setObjectName(QStringLiteral("FrInboundBegin"));
    setWindowTitle(tr("บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน"));
    QHd->setSQL(InboundSql::header(true));

    FaGetImportLotNo->hide();
    BtLoadFrPo->hide();
    PageControl->hide();
    PnFooter->hide();

    auto* label = new QLabel(tr("รวมเงิน"), PnHeader);
    GetTotal = new TDbNumberEdit(PnHeader);
    GetTotal->setObjectName(QStringLiteral("GetTotal"));
    GetTotal->setDisplayFormat(QStringLiteral(",0.00"));
    GetTotal->bind(QHd, QStringLiteral("Total"));
    GetTotal->setFixedWidth(180);
    HeaderGrid->addWidget(label, 5, 1, Qt::AlignRight);
    HeaderGrid->addWidget(GetTotal, 5, 2);
    setTabOrder(FaGetRemark->Remark, GetTotal);
    fitHeight();
}

void TFrInboundBegin::fitHeight()
{
    // 220 pixels, or what the header's rows need when its texts are larger.
    setFixedSize(width(), qMax(220, sizeHint().height()));
}

void TFrInboundBegin::FormShow()
{
    TFrInbound::FormShow();
    fitHeight();
    BeginLotId = InboundRules::EnsureBeginLot();
}

void TFrInboundBegin::FaGetDocNoDocNoExit()
{
    // What the user typed, before the lookup shows the document's own number (empty while
    // numbers are drawn at save).
    const QString typed = FaGetDocNo->DocNo->text().trimmed();
    TFrInbound::FaGetDocNoDocNoExit();
    FaGetFrVendor->setEnabled(true);
    if (typed.isEmpty()) {
        MessageService::information(tr("ท่านยังไม่ได้เลขที่เอกสาร\nกรุณาป้อนเลขที่เอกสาร"));
        FaGetDocNo->DocNo->setEnabled(true);
        FaGetDocNo->DocNo->setFocus();
    }
}

void TFrInboundBegin::AcSaveExecute()
{
    if (!AcSave->isEnabled())
        return;
    if (!confirmSave())
        return;
    try {
        if (BeginLotId <= 0)
            BeginLotId = InboundRules::EnsureBeginLot();
        InboundRules::SaveInput in;
        in.header = QHd;
        in.autoRun = AutoRun;
        in.typedNumber = AutoRun ? QString() : QHd->AsString(QStringLiteral("ImNo"));
        in.beginBalance = true;
        in.beginLotId = BeginLotId;
        InboundRules::Save(in);
    } catch (const NkError& e) {
        if (QHd->state() == CachedDataSet::State::Browse && QHd->RecNo() >= 0)
            QHd->Edit();
        saveFailed(e);
        return;
    }
    AcNewExecute();
}

void TFrInboundBegin::AcDelExecute()
{
    if (!AcDel->isEnabled() || QHd->IsEmpty())
        return;
    if (!confirmDelete())
        return;
    try {
        InboundRules::DeleteBeginBalance(*QHd);
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    AcNewExecute();
}
