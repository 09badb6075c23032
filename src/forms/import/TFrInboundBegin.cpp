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
    setWindowTitle(QStringLiteral("บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน"));
    QHd->setSQL(InboundSql::header(true));

    FaGetImportLotNo1->hide();
    BtLoadFrPo->hide();
    PageControl1->hide();
    PnFooter->hide();

    auto* label = new QLabel(QStringLiteral("รวมเงิน"), PnHeader);
    GetTotal = new TDbNumberEdit(PnHeader);
    GetTotal->setObjectName(QStringLiteral("GetTotal"));
    GetTotal->setDisplayFormat(QStringLiteral(",0.00"));
    GetTotal->bind(QHd, QStringLiteral("Total"));
    GetTotal->setFixedWidth(180);
    HeaderGrid->addWidget(label, 5, 1, Qt::AlignRight);
    HeaderGrid->addWidget(GetTotal, 5, 2);
    setTabOrder(FaGetRemark1->Remark, GetTotal);
    fitHeight();
}

void TFrInboundBegin::fitHeight()
{
    // 220 pixels, or what the header's rows need when its texts are larger.
    setFixedSize(width(), qMax(220, sizeHint().height()));
}

int TFrInboundBegin::EnsureBeginLot()
{
    const QSqlDatabase db = DM->DMdata();
    // "if not exists" is spelled as an insert that selects nothing when the lot is there.
    Db::exec(db, QStringLiteral("insert into importlotno (code,description,effectivedate,active) "
                                "select 'BEGIN','Lot เริ่มต้นระบบ',") + Db::nowSql(db)
                 + QStringLiteral(",'Y' where not exists (select id from importlotno where code='BEGIN')"));
    return Db::scalar(db, QStringLiteral("select  id\nfrom importlotno\nwhere code='BEGIN'")).toInt();
}

void TFrInboundBegin::FormShow()
{
    TFrInbound::FormShow();
    fitHeight();
    BeginLotId = EnsureBeginLot();
}

void TFrInboundBegin::FaGetDocNoDocNoExit()
{
    // What the user typed, before the lookup shows the document's own number (empty while
    // numbers are drawn at save).
    const QString typed = FaGetDocNo->DocNo->text().trimmed();
    TFrInbound::FaGetDocNoDocNoExit();
    FaGetFrVendor1->setEnabled(true);
    if (typed.isEmpty()) {
        MessageService::information(QStringLiteral("ท่านยังไม่ได้เลขที่เอกสาร\nกรุณาป้อนเลขที่เอกสาร"));
        FaGetDocNo->DocNo->setEnabled(true);
        FaGetDocNo->DocNo->setFocus();
    }
}

void TFrInboundBegin::AcSaveExecute()
{
    if (!AcSave->isEnabled())
        return;
    if (!DM->ConfirmDlg(DMConfig ? DMConfig->SaveConfirmText : QStringLiteral("จัดเก็บข้อมูล ?")))
        return;
    try {
        if (BeginLotId <= 0)
            BeginLotId = EnsureBeginLot();
        InboundRules::SaveInput in;
        in.header = QHd;
        in.autoRun = ImportAutoRun;
        in.typedNumber = ImportAutoRun ? QString() : QHd->AsString(QStringLiteral("ImNo"));
        in.beginBalance = true;
        in.beginLotId = BeginLotId;
        InboundRules::Save(in);
    } catch (const NkError& e) {
        if (QHd->state() == CachedDataSet::State::Browse && QHd->RecNo() >= 0)
            QHd->Edit();
        if (!refuseTakenNumber(e))
            ReportError(e);
        return;
    }
    AcNewExecute();
}

void TFrInboundBegin::AcDelExecute()
{
    if (!AcDel->isEnabled() || QHd->IsEmpty())
        return;
    if (!DM->ConfirmDlg(DMConfig ? DMConfig->DeleteConfirmText : QStringLiteral("ลบข้อมูล ?")))
        return;
    const int id = QHd->AsInteger(QStringLiteral("ID"));
    const QString number = QHd->AsString(QStringLiteral("ImNo"));
    try {
        DM->StartTransaction();
        try {
            QHd->Delete();
            QHd->ApplyUpdates();
            DM->AddUserLog(3, id, number);
            DM->Commit();
        } catch (...) {
            DM->Rollback();
            QHd->CancelUpdates();
            if (QHd->RecNo() >= 0)
                QHd->Edit();
            throw;
        }
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    QHd->CommitUpdates();
    AcNewExecute();
}
