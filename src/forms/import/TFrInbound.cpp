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

TFrInbound::TFrInbound(QWidget* parent)
    : TFrHdDtTransaction(parent)
{
    setObjectName(QStringLiteral("FrInbound"));
    setWindowTitle(tr("นำเข้าสินค้าจากต่างประเทศ"));

    QDuty = new CachedDataSet(this, QStringLiteral("QDuty"));
    QFrPo = new CachedDataSet(this, QStringLiteral("QFrPo"));

    QHd->setSQL(InboundSql::header(false));
    QHd->setUpdateSQL(InboundSql::headerInsert(), InboundSql::headerModify(), InboundSql::HeaderDelete);
    QDt->setSQL(InboundSql::Lines);
    QDt->setUpdateSQL(InboundSql::lineInsert(), InboundSql::lineModify(), InboundSql::LineDelete);
    QDuty->setSQL(InboundSql::Duty);
    QDuty->setUpdateSQL(InboundSql::DutyInsert, InboundSql::DutyModify, InboundSql::DutyDelete);
    QFrPo->setSQL(InboundSql::FrPo);
    Entry = std::make_unique<PurchaseLineEntry>(QDt, PurchaseLineEntry::Policy::Import);

    // ---- header --------------------------------------------------------------------------
    bindNumberAndDate(QStringLiteral("ImNo"), QStringLiteral("ImDate"));
    connect(FaGetDate->DateEdit, &TDbEdit::committed, this, [this] { FaGetDateDocDateExit(); });

    // Below the number and the date: the pickers on the left, each with room for its
    // description, and the plain fields on the right, in the order Enter walks them.
    auto* header = qobject_cast<QVBoxLayout*>(PnHeader->layout());
    HeaderGrid = new QGridLayout;
    HeaderGrid->setHorizontalSpacing(10);
    HeaderGrid->setVerticalSpacing(4);
    HeaderGrid->setColumnStretch(0, 1);
    header->addLayout(HeaderGrid);

    FaGetImportLotNo = new TFaGetImportLotNo(PnHeader);
    FaGetImportLotNo->bind(QHd, QStringLiteral("ImportLotNo"));
    FaGetImportLotNo->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetImportLotNo->CreateAllowed = true; // a new company records its first shipment
    FaGetImportLotNo->CodeEnter = [this] { FaGetImportLotNoCodeEnter(); };
    LbTransportNo = new QLabel(tr("เลขที่ใบขน"), PnHeader);
    TransportNo = new TDbEdit(PnHeader);
    TransportNo->setObjectName(QStringLiteral("TransportNo"));
    TransportNo->bind(QHd, QStringLiteral("TransportNo"));
    TransportNo->setFixedWidth(180);
    HeaderGrid->addWidget(FaGetImportLotNo, 0, 0);
    HeaderGrid->addWidget(LbTransportNo, 0, 1, Qt::AlignRight);
    HeaderGrid->addWidget(TransportNo, 0, 2);

    FaGetFrVendor = new TFaGetFrVendor(PnHeader);
    FaGetFrVendor->bind(QHd, QStringLiteral("FrVendor"));
    FaGetFrVendor->VendorExit = [this] { FaGetFrVendorVendorExit(); };
    HeaderGrid->addWidget(FaGetFrVendor, 1, 0, 1, 3);

    FaGetMisc = new TFaGetMisc(PnHeader);
    FaGetMisc->setObjectName(QStringLiteral("FaGetMisc"));
    FaGetMisc->EditLabel->setText(tr("สกุลเงิน"));
    FaGetMisc->setMiscGroup(QStringLiteral("CURRENCY"));
    FaGetMisc->bind(QHd, QStringLiteral("Currency"));
    LbExchangeRate = new QLabel(tr("อัตราแลกเปลี่ยน"), PnHeader);
    ExchangeRate = new TDbNumberEdit(PnHeader);
    ExchangeRate->setObjectName(QStringLiteral("ExchangeRate"));
    ExchangeRate->setDecimals(7);
    ExchangeRate->setDisplayFormat(QStringLiteral(",0.0000000"));
    ExchangeRate->bind(QHd, QStringLiteral("ExchangeRate"));
    ExchangeRate->setFixedWidth(180);
    HeaderGrid->addWidget(FaGetMisc, 2, 0);
    HeaderGrid->addWidget(LbExchangeRate, 2, 1, Qt::AlignRight);
    HeaderGrid->addWidget(ExchangeRate, 2, 2);

    FaGetWarehouse = new TFaGetWarehouse(PnHeader);
    FaGetWarehouse->setObjectName(QStringLiteral("FaGetWarehouse"));
    FaGetWarehouse->bind(QHd, QStringLiteral("Warehouse"));
    // The document warehouse is optional (each line has its own): left empty, it is no error.
    FaGetWarehouse->Warehouse->setAllowEmpty(true);
    HeaderGrid->addWidget(FaGetWarehouse, 3, 0, 1, 3);

    FaGetRemark = new TFaGetRemark(PnHeader);
    FaGetRemark->setObjectName(QStringLiteral("FaGetRemark"));
    FaGetRemark->RemarkGroup = QStringLiteral("REM_PURC");
    FaGetRemark->bind(QHd, QStringLiteral("Remark"));
    BtLoadFrPo = new QPushButton(tr("อ้างบิลสั่งชื้ออื่นๆ"), PnHeader);
    BtLoadFrPo->setObjectName(QStringLiteral("BtLoadFrPo"));
    connect(BtLoadFrPo, &QPushButton::clicked, this, [this] { BtLoadFrPoClick(); });
    // Enter passes the button on the way from the header to the lines; Space presses it.
    BtLoadFrPo->setProperty("EnterMovesOn", true);
    HeaderGrid->addWidget(FaGetRemark, 4, 0, 1, 2);
    HeaderGrid->addWidget(BtLoadFrPo, 4, 2);
    alignCaptions();
    // The header total follows a change of the document warehouse: the line column locks.
    connect(QHd, &CachedDataSet::rowChanged, this, [this] {
        if (QDt->Active())
            DgDt->setColumnReadOnly(QStringLiteral("WhCode"), QHd->RecNo() >= 0
                                        && QHd->FieldByName(QStringLiteral("Warehouse")).toInt() > 0);
    });

    // ---- lines ---------------------------------------------------------------------------
    addCellDialog(QStringLiteral("ProductCode"), [this] { ProductCodeCustomDlg(); });
    addCellDialog(QStringLiteral("WhCode"), [this] { WhCodeCustomDlg(); });
    addCellDialog(QStringLiteral("UnitName"), [this] { UnitNameCustomDlg(); });
    addCellDialog(QStringLiteral("LotCode"), [this] { LotCodeCustomDlg(); });
    DgDt->editorFactory = [this](const QString& field, QWidget* parent) -> QWidget* {
        if (field.compare(QLatin1String("DutyNo"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* spin = new QSpinBox(parent);
        spin->setRange(1, qMax(1, m_dutyLimit));
        spin->setFrame(false);
        return spin;
    };
    QDt->OnFieldChange = [this](CachedDataSet&, const QString& field) {
        if (m_inAssign || Entry->assigning())
            return;
        const QString f = field.toUpper();
        if (f == QLatin1String("PRODUCTCODE"))
            ProductCodeExit();
        else if (f == QLatin1String("WHCODE"))
            Entry->WhCodeExit(QDt->AsString(QStringLiteral("WhCode")));
        else if (f == QLatin1String("UNITNAME"))
            Entry->UnitNameExit(QDt->AsString(QStringLiteral("UnitName")), {});
        else if (f == QLatin1String("LOTCODE"))
            LotCodeExit();
        else if (f == QLatin1String("QUANTITY") || f == QLatin1String("TOTAL"))
            CalculateAll();
    };
    // A line deleted by the button or by Ctrl+Delete in the grid: the total follows at once.
    QDt->AfterDelete = [this](CachedDataSet&) { CalculateAll(); };
    connect(BtDeleteLine, &QPushButton::clicked, this, [this] { BtDeleteLineClick(); });
    disconnect(BtDeleteLine, &QPushButton::clicked, DgDt, &TDataGrid::deleteCurrentRow);

    // ---- duty groups and total -----------------------------------------------------------
    GbDiscount->setTitle(tr("อากร"));
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
    LbTotal = new QLabel(tr("รวมเงิน"), GbTotal);
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
    PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    setEnterOrder({FaGetDocNo->DocNo, FaGetDate->DateEdit, FaGetImportLotNo->Edit, TransportNo, FaGetFrVendor->Edit,
                   FaGetMisc->Edit, ExchangeRate, FaGetWarehouse->Edit, FaGetRemark->Remark, BtLoadFrPo, DgDt, DgDuty});

    resize(860, 640);
    setFixedSize(size());
}

TFrInbound::~TFrInbound() = default;

QList<CachedDataSet*> TFrInbound::documentDataSets() const
{
    return {QHd, QDt, QDuty};
}

// ---- show and new ------------------------------------------------------------------------

void TFrInbound::FormShow()
{
    DM->DMdata();
    setFormCaption(windowTitle());
    StatusCompany->setText(companyName());
    applyLanguage();
    TFrHdDtTransaction::FormShow(); // hides the buttons this form does not offer; runs New once
}

void TFrInbound::applyLanguage()
{
    FaGetDocNo->Caption->setText(tr("เลขที่"));
    FaGetDate->Caption->setText(tr("วันที่"));
    LbTransportNo->setText(tr("เลขที่ใบขน"));
    FaGetFrVendor->Caption->setText(tr("เจ้าหนี้"));
    FaGetMisc->EditLabel->setText(tr("สกุลเงิน"));
    LbExchangeRate->setText(tr("อัตราแลกเปลี่ยน"));
    FaGetWarehouse->Caption->setText(tr("คลังสินค้า"));
    FaGetRemark->Caption->setText(tr("หมายเหตุ"));
    GbDiscount->setTitle(tr("อากร"));
    BtDeleteLine->setText(tr("ลบรายการ"));
    LbTotal->setText(tr("รวมเงิน"));
    BtLoadFrPo->setText(tr("อ้างบิลสั่งชื้ออื่นๆ"));
    if (thaiLanguage())
        return;
    QFont small = font();
    small.setPointSize(8);
    FaGetDocNo->Caption->setFont(small);
    FaGetDate->Caption->setFont(small);
    alignCaptions();
}

void TFrInbound::alignCaptions()
{
    // The pickers' codes start at one line below each other.
    const QList<QLabel*> captions{FaGetImportLotNo->Caption, FaGetFrVendor->Caption, FaGetMisc->Caption,
                                  FaGetWarehouse->Caption, FaGetRemark->Caption};
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
    TFrHdDtTransaction::AcNewExecute();
    FaGetDocNo->setEnabled(true);
    FaGetDocNo->DocNo->setEnabled(true);
    FaGetDocNo->BtSearch->setEnabled(false);
    FaGetFrVendor->setEnabled(true);
    FaGetWarehouse->setEnabled(true);

    DM->RefreshConfig();
    DocNoLength = MessageService::tell(DM->GetDocLength(QStringLiteral("IMPORT")));
    AutoRun = DM->AutoRun;
    FrPoNoLength = MessageService::tell(DM->GetDocLength(QStringLiteral("FRPO-") + PoType));
    DM->AutoRun = AutoRun; // the order code's lookup does not govern the import number

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
    LoadedOrders.clear();
    OrdersSeen = OrderReceipts::Read(DM->DMdata(), InboundRules::TakenByLines(*QDt).keys(), id);
}

void TFrInbound::FaGetDocNoDocNoExit()
{
    const QString number = PadLeft(FaGetDocNo->DocNo->text(), DocNoLength, QLatin1Char(' '));
    OpenQuery(number);
    const bool found = !QHd->IsEmpty();
    if (!found && !AutoRun && !number.trimmed().isEmpty() && DM->DocNoTaken(QStringLiteral("ImHd"), number)) {
        // The number belongs to a document of the other kind (an import document or a bill
        // brought forward): it cannot be used for a new one.
        MessageService::warning(TDM::DocNoTakenText(number));
        FaGetDocNo->DocNo->setText(QString());
        TFrInbound::FaGetDocNoDocNoExit();
        FaGetDocNo->DocNo->setEnabled(true);
        FaGetDocNo->DocNo->setFocus();
        return;
    }
    enableByRights(found);
    if (found)
        QHd->Edit();
    else
        QHd->Append();
    if (!AutoRun) {
        QHd->SetField(QStringLiteral("ImNo"), number);
        FaGetDocNo->DocNo->refresh();
    }
    if (!headerDate().isValid() || Db::isEmptyDate(headerDate()))
        QHd->SetField(QStringLiteral("ImDate"), Db::dateToText(QDate::currentDate()));
    if (found) {
        SetDgDtColumn();
        if (!QDt->IsEmpty())
            QDt->First();
        FaGetFrVendor->setEnabled(false);
        refuseClosedPeriod(headerDate());
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

void TFrInbound::FaGetFrVendorVendorExit()
{
    if (!headerRow())
        return;
    const QVariant currency = FaGetFrVendor->Term(QStringLiteral("Currency"));
    if (FaGetFrVendor->Found() && currency.isValid() && !currency.isNull())
        QHd->SetField(QStringLiteral("Currency"), currency);
}

void TFrInbound::FaGetDateDocDateExit()
{
    if (!headerRow())
        return;
    refuseClosedPeriod(headerDate());
}

void TFrInbound::FaGetImportLotNoCodeEnter()
{
    if (!AutoRun && FaGetDocNo->DocNo->text().trimmed().isEmpty())
        MessageService::information(tr("ท่านไม่ได้ป้อนเลขที่\nขณะนี้อยู่ในระบบที่ต้องกำหนดเลขเอง"));
}

// ---- validation, save, delete ------------------------------------------------------------

bool TFrInbound::CheckComplete()
{
    const bool lotFilled = QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() > 0;
    const InboundRules::CheckResult r = InboundRules::CheckComplete(*QDt, *QDuty, lotFilled, thaiLanguage());
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
        FaGetImportLotNo->setFocus();
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
        for (const InboundRules::OverReceipt& o : InboundRules::OverReceipts(*QDt, OrdersSeen, thaiLanguage())) {
            if (!MessageService::ConfirmDlg(o.question)) {
                DgDt->setFocus();
                DgDt->editCell(o.row, QStringLiteral("Quantity"));
                return;
            }
            overAgreed.insert(o.orderLine);
        }
        if (!confirmSave())
            return;
        if (!headerDate().isValid() || Db::isEmptyDate(headerDate()))
            QHd->SetField(QStringLiteral("ImDate"), Db::dateToText(QDate::currentDate()));
        InboundRules::SaveInput in;
        in.header = QHd;
        in.lines = QDt;
        in.duty = QDuty;
        in.autoRun = AutoRun;
        in.typedNumber = AutoRun ? QString() : QHd->AsString(QStringLiteral("ImNo"));
        in.runGL = DM->ConfigText(QStringLiteral("AutoGenGL")) == QLatin1String("Y");
        in.orders = OrdersSeen;
        in.overAgreed = overAgreed;
        in.thai = thaiLanguage();
        const InboundRules::SaveResult res = InboundRules::Save(in);
        printAfterSave(res.number, res.year);
    } catch (const NkAbort&) {
        return;
    } catch (const InboundRules::OrderRefused& e) {
        // Nothing written, everything typed kept; the order may be taken over again.
        MessageService::warning(e.userText());
        LoadedOrders.removeAll(e.refusal.poNo);
        DgDt->setFocus();
        DgDt->editCell(qMax(0, e.refusal.row), QStringLiteral("Quantity"));
        return;
    } catch (const NkError& e) {
        // Rolled back: the document stays on screen with its changes for another try.
        saveFailed(e);
        return;
    }
    AcNewExecute();
}

bool TFrInbound::numberTaken(const QString& number) const
{
    return DM->DocNoTaken(QStringLiteral("ImHd"), number);
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
    if (!confirmDelete())
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
    const bool whLocked = headerRow() && QHd->FieldByName(QStringLiteral("Warehouse")).toInt() > 0;
    const bool lotLocked = QDt->RecNo() >= 0 && QDt->AsString(QStringLiteral("LotControl")) == QLatin1String("N");
    auto col = [&](const char* field, int width, bool ro, bool button, const QString& title) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.widthChars = width;
        c.readOnly = ro;
        c.hasButton = button;
        c.upperCase = button;
        c.title = title;
        return c;
    };
    QVector<GridColumn> cols;
    cols << col("ProductCode", 15, false, true, tr("รหัสสินค้า"))
         << col("ProductName", 35, true, false, tr("ชื่อสินค้า"))
         << col("WhCode", 8, whLocked, true, tr("คลัง"))
         << col("LotCode", 8, lotLocked, true, QStringLiteral("LotNo"))
         << col("UnitName", 8, false, true, tr("หน่วยนับ"))
         << col("DutyNo", 5, false, false, tr("อากร"));
    GridColumn q = col("Quantity", 8, false, false, tr("จำนวน"));
    q.alignment = Qt::AlignRight | Qt::AlignVCenter;
    q.displayFormat = QStringLiteral("#,##0.####");
    GridColumn t = col("Total", 10, false, false, tr("รวมเงิน"));
    t.alignment = Qt::AlignRight | Qt::AlignVCenter;
    t.displayFormat = QStringLiteral("#,##0.00");
    t.editFormat = QStringLiteral("###0.00");
    cols << q << t;
    DgDt->setDataSet(QDt, cols);
}

void TFrInbound::SetDutyColumns()
{
    GridColumn no;
    no.field = QStringLiteral("DutyNo");
    no.widthChars = 10;
    no.title = tr("ลำดับ");
    no.readOnly = true;
    GridColumn total;
    total.field = QStringLiteral("Total");
    total.widthChars = 20;
    total.title = tr("จำนวนเงิน");
    total.displayFormat = QStringLiteral("#,##0.00");
    total.editFormat = QStringLiteral("###0.00");
    total.alignment = Qt::AlignRight | Qt::AlignVCenter;
    DgDuty->setDataSet(QDuty, {no, total});
}

void TFrInbound::ProductCodeExit()
{
    if (!QDt->Active() || QDt->RecNo() < 0)
        return;
    const QString typed = QDt->AsString(QStringLiteral("ProductCode")).trimmed();
    // An unknown code is said, and stays in its cell for correction.
    const bool found = Entry->AssignProduct(typed, 0);
    SetDgDtColumn();
    if (!found && !typed.isEmpty())
        DgDt->refuseCell(QDt->RecNo(), QStringLiteral("ProductCode"), tr("ไม่พบรหัสสินค้า : ") + typed);
}

void TFrInbound::LotCodeExit()
{
    if (!QDt->Active() || QDt->RecNo() < 0 || !DmProduct)
        return;
    m_inAssign = true;
    const QString code = QDt->AsString(QStringLiteral("LotCode")).trimmed();
    if (!code.isEmpty() && MessageService::tell(DmProduct->ExistsLotNo(code, headerDate()))) {
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
    QDt->SetField(QStringLiteral("ProductCode"), code); // runs ProductCodeExit
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
    if (!headerRow() || !QDt->Active())
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
    for (const QString& n : LoadedOrders)
        if (n == chosen) {
            MessageService::information(tr("เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !"));
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
        MessageService::information(InboundRules::ReceivedInFullText(thaiLanguage()));
        return;
    }
    OrdersSeen = seen;
    LoadedOrders << QFrPo->AsString(QStringLiteral("PoNo"));
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
