#include "forms/import/TFrInbound.h"
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/Numbering.h"
#include "data/OrderReceipts.h"
#include "data/Rounding.h"
#include "data/TDM.h"
#include "data/product/TDmProduct.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFrSearchImNo.h"
#include "forms/import/InboundPickers.h"
#include "print/TFrDocPrintForm.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetWarehouse.h"
#include "widgets/TLookupEdit.h"
#include "search/TFaGetDate.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
bool isThai()
{
    return DMConfig ? DMConfig->ThaiLanguage : true;
}
QString T(const QString& thai, const QString& english)
{
    return isThai() ? thai : english;
}
} // namespace

TFrInbound::TFrInbound(QWidget* parent)
    : TFrHdDtTransaction(parent)
{
    setObjectName(QStringLiteral("FrInbound"));
    setWindowTitle(QStringLiteral("นำเข้าสินค้าจากต่างประเทศ"));

    QDuty = new CachedDataSet(this, QStringLiteral("QDuty"));
    QFrPo = new CachedDataSet(this, QStringLiteral("QFrPo"));

    QHd->setSQL(InboundSql::header(false));
    QHd->setUpdateSQL(InboundSql::headerInsert(), InboundSql::headerModify(), InboundSql::HeaderDelete);
    QDt->setSQL(InboundSql::Lines);
    QDt->setUpdateSQL(InboundSql::lineInsert(), InboundSql::lineModify(), InboundSql::LineDelete);
    QDuty->setSQL(InboundSql::Duty);
    QDuty->setUpdateSQL(InboundSql::DutyInsert, InboundSql::DutyModify, InboundSql::DutyDelete);
    QFrPo->setSQL(InboundSql::FrPo);

    // ---- header --------------------------------------------------------------------------
    FaGetDocNo->bind(QHd, QStringLiteral("ImNo"));
    FaGetDate1->bind(QHd, QStringLiteral("ImDate"));
    FaGetDocNo->DocNoExit = [this] { FaGetDocNoDocNoExit(); };
    FaGetDocNo->BtSearchClick = [this] { FaGetDocNoBtSearchClick(); };
    connect(FaGetDate1->DateEdit, &TDbEdit::committed, this, [this] { FaGetDate1DocDateExit(); });

    // Below the number and the date: the pickers on the left, each with room for its
    // description, and the plain fields on the right, in the order Enter walks them.
    auto* header = qobject_cast<QVBoxLayout*>(PnHeader->layout());
    HeaderGrid = new QGridLayout;
    HeaderGrid->setHorizontalSpacing(10);
    HeaderGrid->setVerticalSpacing(4);
    HeaderGrid->setColumnStretch(0, 1);
    header->addLayout(HeaderGrid);

    FaGetImportLotNo1 = new TFaGetImportLotNo(PnHeader);
    FaGetImportLotNo1->bind(QHd, QStringLiteral("ImportLotNo"));
    FaGetImportLotNo1->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetImportLotNo1->CreateAllowed = true; // a new company records its first shipment
    FaGetImportLotNo1->CodeEnter = [this] { FaGetImportLotNo1CodeEnter(); };
    LbTransportNo = new QLabel(QStringLiteral("เลขที่ใบขน"), PnHeader);
    TransportNo = new TDbEdit(PnHeader);
    TransportNo->setObjectName(QStringLiteral("TransportNo"));
    TransportNo->bind(QHd, QStringLiteral("TransportNo"));
    TransportNo->setFixedWidth(180);
    HeaderGrid->addWidget(FaGetImportLotNo1, 0, 0);
    HeaderGrid->addWidget(LbTransportNo, 0, 1, Qt::AlignRight);
    HeaderGrid->addWidget(TransportNo, 0, 2);

    FaGetFrVendor1 = new TFaGetFrVendor(PnHeader);
    FaGetFrVendor1->bind(QHd, QStringLiteral("FrVendor"));
    FaGetFrVendor1->VendorExit = [this] { FaGetFrVendor1VendorExit(); };
    HeaderGrid->addWidget(FaGetFrVendor1, 1, 0, 1, 3);

    FaGetMisc1 = new TFaGetMisc(PnHeader);
    FaGetMisc1->setObjectName(QStringLiteral("FaGetMisc1"));
    FaGetMisc1->EditLabel->setText(QStringLiteral("สกุลเงิน"));
    FaGetMisc1->setMiscGroup(QStringLiteral("CURRENCY"));
    FaGetMisc1->bind(QHd, QStringLiteral("Currency"));
    LbExchangeRate = new QLabel(QStringLiteral("อัตราแลกเปลี่ยน"), PnHeader);
    ExchangeRate = new TDbNumberEdit(PnHeader);
    ExchangeRate->setObjectName(QStringLiteral("ExchangeRate"));
    ExchangeRate->setDecimals(7);
    ExchangeRate->setDisplayFormat(QStringLiteral(",0.0000000"));
    ExchangeRate->bind(QHd, QStringLiteral("ExchangeRate"));
    ExchangeRate->setFixedWidth(180);
    HeaderGrid->addWidget(FaGetMisc1, 2, 0);
    HeaderGrid->addWidget(LbExchangeRate, 2, 1, Qt::AlignRight);
    HeaderGrid->addWidget(ExchangeRate, 2, 2);

    FaGetWarehouse1 = new TFaGetWarehouse(PnHeader);
    FaGetWarehouse1->setObjectName(QStringLiteral("FaGetWarehouse1"));
    FaGetWarehouse1->bind(QHd, QStringLiteral("Warehouse"));
    // The document warehouse is optional (each line has its own): left empty, it is no error.
    FaGetWarehouse1->Warehouse->setAllowEmpty(true);
    HeaderGrid->addWidget(FaGetWarehouse1, 3, 0, 1, 3);

    FaGetRemark1 = new TFaGetRemark(PnHeader);
    FaGetRemark1->setObjectName(QStringLiteral("FaGetRemark1"));
    FaGetRemark1->RemarkGroup = QStringLiteral("REM_PURC");
    FaGetRemark1->bind(QHd, QStringLiteral("Remark"));
    BtLoadFrPo = new QPushButton(QStringLiteral("อ้างบิลสั่งชื้ออื่นๆ"), PnHeader);
    BtLoadFrPo->setObjectName(QStringLiteral("BtLoadFrPo"));
    connect(BtLoadFrPo, &QPushButton::clicked, this, [this] { BtLoadFrPoClick(); });
    // Enter passes the button on the way from the header to the lines; Space presses it.
    BtLoadFrPo->setProperty("EnterMovesOn", true);
    HeaderGrid->addWidget(FaGetRemark1, 4, 0, 1, 2);
    HeaderGrid->addWidget(BtLoadFrPo, 4, 2);
    alignCaptions();
    // The header total follows a change of the document warehouse: the line column locks.
    connect(QHd, &CachedDataSet::rowChanged, this, [this] {
        if (QDt->Active())
            DgDt->setColumnReadOnly(QStringLiteral("WhCode"), QHd->RecNo() >= 0
                                        && QHd->FieldByName(QStringLiteral("Warehouse")).toInt() > 0);
    });

    // ---- lines ---------------------------------------------------------------------------
    DgDt->onEditButton = [this](int row, const QString& field) {
        QDt->setRecNo(row);
        const QString f = field.toUpper();
        if (f == QLatin1String("PRODUCTCODE"))
            ProductCodeCustomDlg();
        else if (f == QLatin1String("WHCODE"))
            WhCodeCustomDlg();
        else if (f == QLatin1String("UNITNAME"))
            UnitNameCustomDlg();
        else if (f == QLatin1String("LOTCODE"))
            LotCodeCustomDlg();
    };
    DgDt->editorFactory = [this](const QString& field, QWidget* parent) -> QWidget* {
        if (field.compare(QLatin1String("DutyNo"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* spin = new QSpinBox(parent);
        spin->setRange(1, qMax(1, m_dutyLimit));
        spin->setFrame(false);
        return spin;
    };
    QDt->OnFieldChange = [this](CachedDataSet&, const QString& field) {
        if (m_inAssign)
            return;
        const QString f = field.toUpper();
        if (f == QLatin1String("PRODUCTCODE"))
            AssignProduct(QDt->AsString(QStringLiteral("ProductCode")), 0);
        else if (f == QLatin1String("WHCODE"))
            WhCodeExit();
        else if (f == QLatin1String("UNITNAME"))
            UnitNameExit();
        else if (f == QLatin1String("LOTCODE"))
            LotCodeExit();
        else if (f == QLatin1String("QUANTITY") || f == QLatin1String("TOTAL"))
            CalculateAll();
    };
    connect(BtDeleteLine, &QPushButton::clicked, this, [this] { BtDeleteLineClick(); });
    disconnect(BtDeleteLine, &QPushButton::clicked, DgDt, &TDataGrid::deleteCurrentRow);

    // ---- duty groups and total -----------------------------------------------------------
    GbDiscount->setTitle(QStringLiteral("อากร"));
    auto* dl = new QVBoxLayout(GbDiscount);
    dl->setContentsMargins(4, 4, 4, 4);
    DgDuty = new TDataGrid(GbDiscount);
    DgDuty->setObjectName(QStringLiteral("DgDuty"));
    DgDuty->setFixedHeight(120); // a few groups; the rest of the height goes to the lines
    DgDuty->setMinimumWidth(280);
    dl->addWidget(DgDuty);
    QDuty->AfterDelete = [this](CachedDataSet&) { QDutyAfterPost(); };
    QDuty->OnNewRecord = [this](CachedDataSet&) { QDutyAfterPost(); };
    connect(DgDuty, &TDataGrid::gridEntered, this, [this] {
        KeyPreview = false;
        if (QDuty->Active() && QDuty->IsEmpty())
            QDuty->Append();
    });
    connect(DgDuty, &TDataGrid::gridLeft, this, [this] { KeyPreview = !focusInGrid(); });

    GbTotal->setTitle(QString());
    auto* tl = new QHBoxLayout(GbTotal);
    LbTotal = new QLabel(QStringLiteral("รวมเงิน"), GbTotal);
    Total = new TDbNumberEdit(GbTotal);
    Total->setObjectName(QStringLiteral("Total"));
    Total->setReadOnly(true);
    Total->setFocusPolicy(Qt::NoFocus);
    Total->bind(QHd, QStringLiteral("Total"));
    tl->addStretch(1);
    tl->addWidget(LbTotal);
    tl->addWidget(Total);
    GbDetail->setTitle(QString());

    // The header is filled from top to bottom, then the lines and the duty groups.
    PageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> order{FaGetDocNo->DocNo, FaGetDate1->DateEdit, FaGetImportLotNo1->Edit, TransportNo,
                                FaGetFrVendor1->Edit, FaGetMisc1->Edit, ExchangeRate, FaGetWarehouse1->Edit,
                                FaGetRemark1->Remark, BtLoadFrPo, DgDt, DgDuty};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    resize(860, 640);
    setFixedSize(size());
}

TFrInbound::~TFrInbound() = default;

QDateTime TFrInbound::docDate() const
{
    if (!QHd->Active() || QHd->RecNo() < 0)
        return {};
    return Db::dateFromValue(QHd->FieldByName(QStringLiteral("ImDate")));
}

// ---- show and new ------------------------------------------------------------------------

void TFrInbound::FormShow()
{
    TFrHdDtTransaction::FormShow();
    DM->DMdata();
    setFormCaption(windowTitle());
    StatusPanel1->setText(DMConfig ? DMConfig->CompanyNameThai : QString());
    applyLanguage();
    AcNewExecute();
}

void TFrInbound::applyLanguage()
{
    const bool thai = isThai();
    if (thai)
        return;
    QFont small = font();
    small.setPointSize(8);
    FaGetDocNo->Caption->setText(QStringLiteral("Received No."));
    FaGetDocNo->Caption->setFont(small);
    FaGetDate1->Caption->setText(QStringLiteral("Date"));
    FaGetDate1->Caption->setFont(small);
    LbTransportNo->setText(QStringLiteral("B/L No"));
    FaGetFrVendor1->Caption->setText(QStringLiteral("Vendor"));
    FaGetMisc1->EditLabel->setText(QStringLiteral("Currency"));
    LbExchangeRate->setText(QStringLiteral("Exchange Rate"));
    FaGetWarehouse1->Caption->setText(QStringLiteral("WH"));
    FaGetRemark1->Caption->setText(QStringLiteral("Remark"));
    GbDiscount->setTitle(QStringLiteral("Duty"));
    BtDeleteLine->setText(QStringLiteral("Delete Line"));
    LbTotal->setText(QStringLiteral("Total"));
    BtLoadFrPo->setText(QStringLiteral("Ref PO"));
    alignCaptions();
}

void TFrInbound::alignCaptions()
{
    // The pickers' codes start at one line below each other.
    const QList<QLabel*> captions{FaGetImportLotNo1->Caption, FaGetFrVendor1->Caption, FaGetMisc1->Caption,
                                  FaGetWarehouse1->Caption, FaGetRemark1->Caption};
    int width = 0;
    for (QLabel* c : captions) {
        c->setMinimumWidth(0);
        width = qMax(width, c->sizeHint().width());
    }
    for (QLabel* c : captions)
        c->setMinimumWidth(width);
}

void TFrInbound::AcNewExecute()
{
    m_renumber = false;
    TFrHdDtTransaction::AcNewExecute();
    FaGetDocNo->setEnabled(true);
    FaGetDocNo->DocNo->setEnabled(true);
    FaGetDocNo->BtSearch->setEnabled(false);
    FaGetFrVendor1->setEnabled(true);
    FaGetWarehouse1->setEnabled(true);

    DM->RefreshConfig();
    ImportNoLength = DM->GetDocLength(QStringLiteral("IMPORT"));
    ImportAutoRun = DM->AutoRun;
    FrPoNoLength = DM->GetDocLength(QStringLiteral("FRPO-") + PoType);
    DM->AutoRun = ImportAutoRun; // the order code's lookup does not govern the import number

    OpenQuery(QString());
    QHd->Append();
    QDt->Append();
    QDuty->Append();
    SetDgDtColumn();
    FaGetDocNo->DocNo->setFocus();
    BtLoadFrPo->setEnabled(false);
}

// ---- open by number ----------------------------------------------------------------------

void TFrInbound::OpenQuery(const QString& number)
{
    QDuty->Close();
    QDt->Close();
    QHd->Close();
    QHd->setParam(QStringLiteral("GetNo"), number);
    QHd->Open();
    BtLoadFrPo->setEnabled(QHd->IsEmpty());
    const int id = QHd->IsEmpty() ? 0 : QHd->AsInteger(QStringLiteral("ID"));
    QDt->setParam(QStringLiteral("GetId"), id);
    QDt->Open();
    QDuty->setParam(QStringLiteral("GetId"), id);
    QDuty->Open();
    m_dutyLimit = qMax(1, QDuty->RecordCount());
    SetDgDtColumn();
    SetDutyColumns();
    TEMPIM.clear();
    OrdersSeen = OrderReceipts::Read(DM->DMdata(), InboundRules::TakenByLines(*QDt).keys(), id);
}

void TFrInbound::enableAfterLookup(bool found)
{
    AcDel->setEnabled(found && DMConfig && DMConfig->DeleteRight);
    AcSave->setEnabled(DMConfig && (found ? DMConfig->ModifyRight : DMConfig->AddRight));
}

void TFrInbound::FaGetDocNoDocNoExit()
{
    const QString number = PadLeft(FaGetDocNo->DocNo->text(), ImportNoLength, QLatin1Char(' '));
    if (m_renumber) {
        // After a save refused the number: only the number changes, the document stays.
        if (number.trimmed().isEmpty())
            return;
        if (DM->DocNoTaken(QStringLiteral("ImHd"), number)) {
            MessageService::warning(TDM::DocNoTakenText(number));
            FaGetDocNo->DocNo->setFocus();
            return;
        }
        m_renumber = false;
        QHd->SetField(QStringLiteral("ImNo"), number);
        FaGetDocNo->DocNo->refresh();
        FaGetDocNo->DocNo->setEnabled(false);
        return;
    }
    OpenQuery(number);
    const bool found = !QHd->IsEmpty();
    if (!found && !ImportAutoRun && !number.trimmed().isEmpty() && DM->DocNoTaken(QStringLiteral("ImHd"), number)) {
        // The number belongs to a document of the other kind (an import document or a bill
        // brought forward): it cannot be used for a new one.
        MessageService::warning(TDM::DocNoTakenText(number));
        FaGetDocNo->DocNo->setText(QString());
        TFrInbound::FaGetDocNoDocNoExit();
        FaGetDocNo->DocNo->setEnabled(true);
        FaGetDocNo->DocNo->setFocus();
        return;
    }
    enableAfterLookup(found);
    if (found)
        QHd->Edit();
    else
        QHd->Append();
    if (!ImportAutoRun) {
        QHd->SetField(QStringLiteral("ImNo"), number);
        FaGetDocNo->DocNo->refresh();
    }
    if (!docDate().isValid() || Db::isEmptyDate(docDate()))
        QHd->SetField(QStringLiteral("ImDate"), Db::dateToText(QDate::currentDate()));
    if (found) {
        SetDgDtColumn();
        if (!QDt->IsEmpty())
            QDt->First();
        FaGetFrVendor1->setEnabled(false);
        if (!DM->CheckPeriod(docDate())) {
            AcSave->setEnabled(false);
            AcDel->setEnabled(false);
        }
    } else {
        if (QDt->IsEmpty())
            QDt->Append();
        if (QDuty->IsEmpty())
            QDuty->Append();
    }
    FaGetDocNo->DocNo->setEnabled(false);
    FaGetDocNo->BtSearch->setEnabled(false);
}

void TFrInbound::FaGetDocNoBtSearchClick()
{
    if (!m_search) {
        m_search = new TFrSearchImNo(this);
        m_search->TableName = QStringLiteral("ImHd");
    }
    m_search->BeginBalance = beginBalance() ? QStringLiteral("Y") : QString();
    if (MessageService::execDialog(m_search) == QDialog::Accepted && !m_search->ResultValue.isEmpty()) {
        FaGetDocNo->DocNo->setText(m_search->ResultValue);
        FaGetDocNo->DocNo->setFocus();
    }
}

void TFrInbound::FaGetFrVendor1VendorExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0)
        return;
    const QVariant currency = FaGetFrVendor1->Term(QStringLiteral("Currency"));
    if (FaGetFrVendor1->Found() && currency.isValid() && !currency.isNull())
        QHd->SetField(QStringLiteral("Currency"), currency);
}

void TFrInbound::FaGetDate1DocDateExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0)
        return;
    if (!DM->CheckPeriod(docDate())) {
        AcSave->setEnabled(false);
        AcDel->setEnabled(false);
    }
}

void TFrInbound::FaGetImportLotNo1CodeEnter()
{
    if (!ImportAutoRun && FaGetDocNo->DocNo->text().trimmed().isEmpty())
        MessageService::information(QStringLiteral("ท่านไม่ได้ป้อนเลขที่\nขณะนี้อยู่ในระบบที่ต้องกำหนดเลขเอง"));
}

// ---- validation, save, delete ------------------------------------------------------------

bool TFrInbound::CheckComplete()
{
    const bool lotFilled = QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() > 0;
    const InboundRules::CheckResult r = InboundRules::CheckComplete(*QDt, *QDuty, lotFilled, isThai());
    for (const QString& m : r.messages)
        MessageService::information(m);
    m_dutyLimit = qMax(1, QDuty->RecordCount());
    switch (r.focus) {
    case InboundRules::CheckResult::Focus::DutyAmount:
        if (QDuty->IsEmpty())
            QDuty->Append();
        DgDuty->setFocus();
        DgDuty->editCell(QDuty->RecNo(), QStringLiteral("Total"));
        break;
    case InboundRules::CheckResult::Focus::ImportLot:
        FaGetImportLotNo1->setFocus();
        break;
    case InboundRules::CheckResult::Focus::LineDutyNo:
        DgDt->setFocus();
        DgDt->editCell(r.row, QStringLiteral("DutyNo"));
        break;
    default:
        break;
    }
    return r.ok;
}

void TFrInbound::AcSaveExecute()
{
    if (!AcSave->isEnabled())
        return;
    try {
        CalculateAll();
        if (!CheckComplete())
            return;
        // More than an order has outstanding only after a question per order line.
        QSet<int> overAgreed;
        for (const InboundRules::OverReceipt& o : InboundRules::OverReceipts(*QDt, OrdersSeen, isThai())) {
            if (!DM->ConfirmDlg(o.question)) {
                DgDt->setFocus();
                DgDt->editCell(o.row, QStringLiteral("Quantity"));
                return;
            }
            overAgreed.insert(o.orderLine);
        }
        if (!DM->ConfirmDlg(DMConfig ? DMConfig->SaveConfirmText : QStringLiteral("จัดเก็บข้อมูล ?")))
            return;
        if (!docDate().isValid() || Db::isEmptyDate(docDate()))
            QHd->SetField(QStringLiteral("ImDate"), Db::dateToText(QDate::currentDate()));
        InboundRules::SaveInput in;
        in.header = QHd;
        in.lines = QDt;
        in.duty = QDuty;
        in.autoRun = ImportAutoRun;
        in.typedNumber = ImportAutoRun ? QString() : QHd->AsString(QStringLiteral("ImNo"));
        in.runGL = DM->ConfigText(QStringLiteral("AutoGenGL")) == QLatin1String("Y");
        in.orders = OrdersSeen;
        in.overAgreed = overAgreed;
        in.thai = isThai();
        const InboundRules::SaveResult res = InboundRules::Save(in);
        printAfterSave(res.number, res.year);
    } catch (const NkAbort&) {
        return;
    } catch (const InboundRules::OrderRefused& e) {
        // Nothing written, everything typed kept; the order may be taken over again.
        MessageService::warning(e.userText());
        TEMPIM.removeAll(e.refusal.poNo);
        DgDt->setFocus();
        DgDt->editCell(qMax(0, e.refusal.row), QStringLiteral("Quantity"));
        return;
    } catch (const NkError& e) {
        // Rolled back: the document stays on screen with its changes for another try.
        if (!refuseTakenNumber(e))
            ReportError(e);
        return;
    }
    m_renumber = false;
    AcNewExecute();
}

bool TFrInbound::refuseTakenNumber(const NkError& e)
{
    if (e.kind() != NkError::Kind::Duplicate || e.userText().isEmpty())
        return false;
    MessageService::warning(e.userText());
    if (!ImportAutoRun) {
        m_renumber = true;
        FaGetDocNo->setEnabled(true);
        FaGetDocNo->DocNo->setEnabled(true);
        FaGetDocNo->DocNo->setFocus();
    }
    return true;
}

void TFrInbound::printAfterSave(const QString& number, int year)
{
    // The print dialog of the saved document; the GL voucher dialog follows it when the
    // company posts automatically.
    PrintDocument(this, number, year, QStringLiteral("IMPORT"));
}

void TFrInbound::AcDelExecute()
{
    if (!AcDel->isEnabled() || QHd->IsEmpty())
        return;
    if (!DM->ConfirmDlg(DMConfig ? DMConfig->DeleteConfirmText : QStringLiteral("ลบข้อมูล ?")))
        return;
    try {
        InboundRules::Delete(*QHd);
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    AcNewExecute();
}

// ---- lines -------------------------------------------------------------------------------

void TFrInbound::SetDgDtColumn()
{
    if (!QDt->Active())
        return;
    const bool thai = isThai();
    const bool whLocked = QHd->Active() && QHd->RecNo() >= 0 && QHd->FieldByName(QStringLiteral("Warehouse")).toInt() > 0;
    const bool lotLocked = QDt->RecNo() >= 0 && QDt->AsString(QStringLiteral("LotControl")) == QLatin1String("N");
    auto col = [&](const char* field, int width, bool ro, bool button, const char* th, const char* en) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.widthChars = width;
        c.readOnly = ro;
        c.hasButton = button;
        c.upperCase = button;
        c.title = thai ? QString::fromUtf8(th) : QLatin1String(en);
        return c;
    };
    QVector<GridColumn> cols;
    cols << col("ProductCode", 15, false, true, "รหัสสินค้า", "Item Code")
         << col("ProductName", 35, true, false, "ชื่อสินค้า", "Description")
         << col("WhCode", 8, whLocked, true, "คลัง", "WH")
         << col("LotCode", 8, lotLocked, true, "LotNo", "LotNo")
         << col("UnitName", 8, false, true, "หน่วยนับ", "Units")
         << col("DutyNo", 5, false, false, "อากร", "Duty");
    GridColumn q = col("Quantity", 8, false, false, "จำนวน", "Qnty");
    q.alignment = Qt::AlignRight | Qt::AlignVCenter;
    q.displayFormat = QStringLiteral("#,##0.####");
    GridColumn t = col("Total", 10, false, false, "รวมเงิน", "Total");
    t.alignment = Qt::AlignRight | Qt::AlignVCenter;
    t.displayFormat = QStringLiteral("#,##0.00");
    t.editFormat = QStringLiteral("###0.00");
    cols << q << t;
    if (DgDt->gridModel() && DgDt->dataSet() == QDt) {
        DgDt->gridModel()->setColumns(cols);
        DgDt->applyWidths();
    } else {
        DgDt->setDataSet(QDt, cols);
    }
}

void TFrInbound::SetDutyColumns()
{
    const bool thai = isThai();
    GridColumn no;
    no.field = QStringLiteral("DutyNo");
    no.widthChars = 10;
    no.title = thai ? QStringLiteral("ลำดับ") : QStringLiteral("TypeNo");
    no.readOnly = true;
    GridColumn total;
    total.field = QStringLiteral("Total");
    total.widthChars = 20;
    total.title = thai ? QStringLiteral("จำนวนเงิน") : QStringLiteral("Total");
    total.displayFormat = QStringLiteral("#,##0.00");
    total.editFormat = QStringLiteral("###0.00");
    total.alignment = Qt::AlignRight | Qt::AlignVCenter;
    DgDuty->setDataSet(QDuty, {no, total});
}

void TFrInbound::ClearLineProduct()
{
    // The typed code stays on screen for correction; the line has no product.
    m_inAssign = true;
    QDt->SetField(QStringLiteral("Product"), QVariant());
    QDt->SetField(QStringLiteral("ProductName"), QVariant());
    m_inAssign = false;
    SetDgDtColumn();
}

void TFrInbound::AssignProduct(const QString& code, int unit)
{
    if (!QDt->Active() || QDt->RecNo() < 0 || !DmProduct)
        return;
    const QString typed = code.trimmed();
    if (!DmProduct->ExistsProduct(typed)) {
        ClearLineProduct();
        // An unknown code is said, and stays in its cell for correction.
        if (!typed.isEmpty())
            DgDt->refuseCell(QDt->RecNo(), QStringLiteral("ProductCode"),
                             T(QStringLiteral("ไม่พบรหัสสินค้า : "), QStringLiteral("Item code not found : ")) + typed);
        return;
    }
    const QSqlRecord& p = DmProduct->QChkProduct;
    m_inAssign = true;
    QDt->SetField(QStringLiteral("Product"), p.value(QStringLiteral("Id")));
    QDt->SetField(QStringLiteral("ProductCode"), p.value(QStringLiteral("Code")));
    const bool special = DM->Config(QStringLiteral("SearchProductNo")).toInt() == 2;
    QDt->SetField(QStringLiteral("ProductName"), special ? DmProduct->SpecialName : p.value(QStringLiteral("ThaiName")).toString());
    const int productId = p.value(QStringLiteral("Id")).toInt();
    if (unit < 1) {
        const QString unitName = DmProduct->GetFirstUnit(productId, UnitKind::Purchase);
        QDt->SetField(QStringLiteral("UnitName"), unitName);
        if (!unitName.isEmpty() && DmProduct->ExistsProductUnit(productId, unitName, UnitKind::Purchase)) {
            QDt->SetField(QStringLiteral("ProductUnits"), DmProduct->QChkUnit.value(QStringLiteral("Id")));
            QDt->SetField(QStringLiteral("Fraction"), DmProduct->QChkUnit.value(QStringLiteral("Fraction")));
        } else {
            QDt->SetField(QStringLiteral("ProductUnits"), QVariant());
            QDt->SetField(QStringLiteral("Fraction"), QVariant());
        }
    } else {
        QDt->SetField(QStringLiteral("ProductUnits"), unit);
        QDt->SetField(QStringLiteral("UnitName"), DmProduct->QChkBarCode.value(QStringLiteral("UnitName")));
        QDt->SetField(QStringLiteral("Fraction"), DmProduct->QChkBarCode.value(QStringLiteral("Fraction")));
    }
    QDt->SetField(QStringLiteral("LotControl"), p.value(QStringLiteral("LotControl")));
    QDt->SetField(QStringLiteral("UseSerial"), p.value(QStringLiteral("UseSerial")));
    // The product's own warehouse, even when the document names one.
    const QVariant wh = p.value(QStringLiteral("DefaultWh"));
    QDt->SetField(QStringLiteral("Warehouse"), wh);
    QDt->SetField(QStringLiteral("WhCode"),
                  Db::scalar(DM->DMdata(), QStringLiteral("Select Code From Warehouse Where Id = :Id"),
                             {{QStringLiteral("Id"), wh}}));
    if (p.value(QStringLiteral("UseSerial")).toString() == QLatin1String("Y"))
        QDt->SetField(QStringLiteral("Quantity"), 1);
    m_inAssign = false;
    SetDgDtColumn();
}

void TFrInbound::WhCodeExit()
{
    if (!QDt->Active() || QDt->RecNo() < 0 || !DmProduct)
        return;
    m_inAssign = true;
    if (DmProduct->ExistsWarehouse(QDt->AsString(QStringLiteral("WhCode")).trimmed())) {
        QDt->SetField(QStringLiteral("WhCode"), DmProduct->QChkWarehouse.value(QStringLiteral("Code")));
        QDt->SetField(QStringLiteral("Warehouse"), DmProduct->QChkWarehouse.value(QStringLiteral("Id")));
    } else {
        QDt->SetField(QStringLiteral("WhCode"), QVariant());
        QDt->SetField(QStringLiteral("Warehouse"), QVariant());
    }
    m_inAssign = false;
}

void TFrInbound::UnitNameExit()
{
    if (!QDt->Active() || QDt->RecNo() < 0 || !DmProduct)
        return;
    m_inAssign = true;
    const int productId = QDt->AsInteger(QStringLiteral("Product"));
    if (DmProduct->ExistsProductUnit(productId, QDt->AsString(QStringLiteral("UnitName")).trimmed(), UnitKind::Purchase)) {
        QDt->SetField(QStringLiteral("UnitName"), DmProduct->QChkUnit.value(QStringLiteral("UnitName")));
        QDt->SetField(QStringLiteral("ProductUnits"), DmProduct->QChkUnit.value(QStringLiteral("Id")));
        QDt->SetField(QStringLiteral("Fraction"), DmProduct->QChkUnit.value(QStringLiteral("Fraction")));
    } else {
        QDt->SetField(QStringLiteral("UnitName"), QVariant());
        QDt->SetField(QStringLiteral("ProductUnits"), QVariant());
        QDt->SetField(QStringLiteral("Fraction"), QVariant());
    }
    m_inAssign = false;
}

void TFrInbound::LotCodeExit()
{
    if (!QDt->Active() || QDt->RecNo() < 0 || !DmProduct)
        return;
    m_inAssign = true;
    const QString code = QDt->AsString(QStringLiteral("LotCode")).trimmed();
    if (!code.isEmpty() && DmProduct->ExistsLotNo(code, docDate())) {
        QDt->SetField(QStringLiteral("LotCode"), DmProduct->QChkLotNo.value(QStringLiteral("Code")));
        QDt->SetField(QStringLiteral("LotNo"), DmProduct->QChkLotNo.value(QStringLiteral("Id")));
    } else {
        QDt->SetField(QStringLiteral("LotCode"), QVariant());
        QDt->SetField(QStringLiteral("LotNo"), QVariant());
    }
    m_inAssign = false;
}

void TFrInbound::ProductCodeCustomDlg()
{
    const QString code = InboundPickers::pickProduct(this);
    if (code.isEmpty())
        return;
    QDt->SetField(QStringLiteral("ProductCode"), code); // runs AssignProduct
    DgDt->setFocus();
}

void TFrInbound::WhCodeCustomDlg()
{
    const QString code = InboundPickers::pickWarehouse(this);
    if (!code.isEmpty())
        QDt->SetField(QStringLiteral("WhCode"), code);
}

void TFrInbound::UnitNameCustomDlg()
{
    const QString unit = InboundPickers::pickUnit(this, QDt->AsInteger(QStringLiteral("Product")));
    if (!unit.isEmpty())
        QDt->SetField(QStringLiteral("UnitName"), unit);
}

void TFrInbound::LotCodeCustomDlg()
{
    const QString lot = InboundPickers::pickLot(this);
    if (!lot.isEmpty())
        QDt->SetField(QStringLiteral("LotCode"), lot);
}

void TFrInbound::BtDeleteLineClick()
{
    if (!QDt->Active() || QDt->RecNo() < 0)
        return;
    QDt->Delete();
    DgDt->setFocus();
    DgDt->editCell(qMax(0, QDt->RecNo()), QStringLiteral("ProductCode"));
}

void TFrInbound::CalculateAll()
{
    if (!QHd->Active() || QHd->RecNo() < 0 || !QDt->Active())
        return;
    QHd->SetField(QStringLiteral("Total"), InboundRules::CalculateAll(*QDt));
}

void TFrInbound::QDutyAfterPost()
{
    m_dutyLimit = qMax(1, InboundRules::RenumberDuty(*QDuty));
}

// ---- foreign purchase orders ---------------------------------------------------------------

void TFrInbound::BtLoadFrPoClick()
{
    const QVariant v = QHd->FieldByName(QStringLiteral("FrVendor"));
    const int vendor = (v.isNull() || v.toInt() == 0) ? -1 : v.toInt();
    // Orders received in full are not offered.
    const QString chosen = InboundPickers::pickFrPo(this, vendor, PoType, QStringLiteral("N"));
    if (chosen.isEmpty())
        return;
    for (const QString& n : TEMPIM)
        if (n == chosen) {
            MessageService::information(QStringLiteral("เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !"));
            return;
        }
    LoadFrPo(chosen);
}

void TFrInbound::LoadFrPo(const QString& numberIn)
{
    if (numberIn.trimmed().isEmpty())
        return;
    const QString number = PadLeft(numberIn, FrPoNoLength, QLatin1Char(' '));
    QFrPo->Close();
    QFrPo->setParam(QStringLiteral("GNO"), number);
    QFrPo->Open();
    if (QFrPo->IsEmpty())
        return;
    // Only what the order still has outstanding is taken over, in the order line's unit.
    QList<int> ids;
    for (int r = 0; r < QFrPo->RecordCount(); ++r)
        ids << QFrPo->value(r, QStringLiteral("DtiD")).toInt();
    const InboundRules::OrdersSeen seen = OrderReceipts::Read(DM->DMdata(), ids, 0);
    auto outstanding = [&](int r) {
        const auto it = seen.constFind(QFrPo->value(r, QStringLiteral("DtiD")).toInt());
        return it == seen.cend() ? 0.0 : it->free();
    };
    bool any = false, whole = true;
    for (const OrderReceipts::Line& l : seen) {
        any = any || l.free() > OrderReceipts::Epsilon;
        whole = whole && l.free() >= l.ordered - OrderReceipts::Epsilon;
    }
    if (!any) {
        MessageService::information(InboundRules::ReceivedInFullText(isThai()));
        return;
    }
    OrdersSeen = seen;
    TEMPIM << QFrPo->AsString(QStringLiteral("PoNo"));
    QHd->SetField(QStringLiteral("FrVendor"), QFrPo->FieldByName(QStringLiteral("FrVenDor")));
    QHd->SetField(QStringLiteral("Currency"), QFrPo->FieldByName(QStringLiteral("Currency")));
    // A remark the user typed already stays; an empty one takes the order's.
    if (QHd->AsString(QStringLiteral("Remark")).trimmed().isEmpty())
        QHd->SetField(QStringLiteral("Remark"), QFrPo->FieldByName(QStringLiteral("Remark")));
    QHd->SetField(QStringLiteral("Total"), QFrPo->FieldByName(QStringLiteral("HdTotal")));
    QHd->Post();

    QDt->Close();
    QDt->Open();
    QDt->EmptyDataSet();
    m_inAssign = true;
    for (QFrPo->First(); !QFrPo->Eof(); QFrPo->Next()) {
        const double free = outstanding(QFrPo->RecNo());
        if (free <= OrderReceipts::Epsilon)
            continue; // received in full
        const OrderReceipts::Line& line = seen[QFrPo->AsInteger(QStringLiteral("DtiD"))];
        QDt->Append();
        QDt->SetField(QStringLiteral("PoDt"), QFrPo->FieldByName(QStringLiteral("DtiD")));
        QDt->SetField(QStringLiteral("Product"), QFrPo->FieldByName(QStringLiteral("Product")));
        QDt->SetField(QStringLiteral("ProductCode"), QFrPo->FieldByName(QStringLiteral("ProductCode")));
        QDt->SetField(QStringLiteral("ProductName"), QFrPo->FieldByName(QStringLiteral("Thainame")));
        QDt->SetField(QStringLiteral("Warehouse"), QFrPo->FieldByName(QStringLiteral("Warehouse")));
        QDt->SetField(QStringLiteral("WhCode"), QFrPo->FieldByName(QStringLiteral("WhCode")));
        QDt->SetField(QStringLiteral("ProductUnits"), QFrPo->FieldByName(QStringLiteral("productUnits")));
        QDt->SetField(QStringLiteral("UnitName"), QFrPo->FieldByName(QStringLiteral("UnitName")));
        const QVariant lot = QFrPo->FieldByName(QStringLiteral("LotNo"));
        QDt->SetField(QStringLiteral("LotNo"), lot.isNull() ? QVariant(0) : lot);
        QDt->SetField(QStringLiteral("Fraction"), QFrPo->FieldByName(QStringLiteral("Fraction")));
        // Not rounded: the quantity times the fraction gives back what was outstanding.
        QDt->SetField(QStringLiteral("Quantity"), free / line.fraction);
        // The amount of what is taken: the order line's share of it.
        const double total = QFrPo->AsFloat(QStringLiteral("Total"));
        QDt->SetField(QStringLiteral("Total"),
                      free >= line.ordered - OrderReceipts::Epsilon || line.ordered <= 0
                          ? total
                          : RoundDecimal(total * free / line.ordered, 2, 15));
        QDt->Post();
    }
    m_inAssign = false;
    QDt->First();
    SetDgDtColumn();
    // A part of the order is worth the sum of its lines.
    if (!whole)
        CalculateAll();
}
