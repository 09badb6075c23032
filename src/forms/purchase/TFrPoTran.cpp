#include "forms/purchase/TFrPoTran.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/Numbering.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/purchase/PoRules.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPurchaseLines.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "print/TFrDocPrintForm.h"
#include "search/TFaGetDate.h"
#include "search/TFaGetDepartment.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetTaxCode.h"
#include "search/TFaPicker.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

TFrPoTran::TFrPoTran(QWidget* parent)
    : TFrPurchaseDocument(parent, PurchaseLineEntry::Policy::Order, PurchaseTotals::Kind::Order, false)
{
    setObjectName(QStringLiteral("FrPoTran"));
    setWindowTitle(defaultCaption());
    QCopyHd = new CachedDataSet(this, QStringLiteral("QCopyHd"));
    QCopyDt = new CachedDataSet(this, QStringLiteral("QCopyDt"));
    Entry->documentType = [this] { return PoType; };
    Entry->headerShipDate = [this] {
        return headerRow() ? Db::dateFromValue(QHd->FieldByName(QStringLiteral("ShipDate"))) : QDateTime();
    };

    // ---- toolbar: Approve (F9) before Exit --------------------------------------------------
    AcApprove = makeAction(QStringLiteral("AcApprove"), QStringLiteral("Approve"), QStringLiteral("Approve PO"), Qt::Key_F9,
                           QStringLiteral("emblem-default"), QStyle::SP_DialogApplyButton);
    connect(AcApprove, &QAction::triggered, this, [this] { AcApproveExecute(); });
    BApprove = makeButton(QStringLiteral("BApprove"), AcApprove);
    toolbar()->removeWidget(BApprove);
    toolbar()->insertWidget(toolbar()->indexOf(BExit), BApprove);

    // ---- header ---------------------------------------------------------------------------
    HeaderGrid = new QGridLayout(PnHeader);
    HeaderGrid->setContentsMargins(0, 0, 0, 0);
    HeaderGrid->setHorizontalSpacing(8);
    HeaderGrid->setVerticalSpacing(3);
    auto label = [this] { return new QLabel(PnHeader); };
    EntryType->setMinimumWidth(150);
    LbPurcReqNo = label();
    PurcReqNo = new TDbEdit(PnHeader);
    PurcReqNo->setObjectName(QStringLiteral("PurcReqNo"));
    PurcReqNo->setUpperCase(true);
    BtPurcReqNo = new QToolButton(PnHeader);
    BtPurcReqNo->setObjectName(QStringLiteral("BtPurcReqNo"));
    BtPurcReqNo->setText(QStringLiteral("..."));
    BtPurcReqNo->setFocusPolicy(Qt::NoFocus);
    LbPurcReqDate = label();
    PurcReqDate = new TDbDateEdit(PnHeader);
    PurcReqDate->setObjectName(QStringLiteral("PurcReqDate"));
    PurcReqDate->setFixedWidth(110);
    Price_IE->setMinimumWidth(150);
    LbPaidType = label();
    PaidType = new QComboBox(PnHeader);
    PaidType->setObjectName(QStringLiteral("PaidType"));
    PaidType->setMinimumWidth(150);
    for (const char* v : {"C", "Q", "T"})
        PaidType->addItem(QString(), QLatin1String(v));
    LbShipDate = label();
    ShipDate = new TDbDateEdit(PnHeader);
    ShipDate->setObjectName(QStringLiteral("ShipDate"));
    ShipDate->setFixedWidth(110);
    LbCreditDays = label();
    CreditDays = new TDbNumberEdit(PnHeader);
    CreditDays->setObjectName(QStringLiteral("CreditDays"));
    CreditDays->setDecimals(0);
    CreditDays->setDisplayFormat(QStringLiteral("0"));
    CreditDays->setMaximumWidth(60);
    LbDays = label();
    FaGetDepartment->Edit->setAllowEmpty(true);

    // Rows 0 and 2 to 5 here; row 1 belongs to the vendor of the configuration.
    // A caption and its field; a field of fixed width (dates, lists) keeps its caption beside it.
    auto pair = [](QLabel* l, QWidget* w, QWidget* extra = nullptr) {
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        box->addWidget(l);
        const bool fixed = qobject_cast<TDbDateEdit*>(w) || qobject_cast<QComboBox*>(w);
        box->addWidget(w, fixed ? 0 : 1);
        if (extra)
            box->addWidget(extra);
        if (fixed)
            box->addStretch(1);
        return box;
    };
    HeaderGrid->addWidget(FaGetDocNo, 0, 0);
    HeaderGrid->addLayout(pair(LbEntryType, EntryType), 0, 1);
    HeaderGrid->addWidget(FaGetDate, 0, 2, Qt::AlignLeft);
    HeaderGrid->addLayout(pair(LbPurcReqNo, PurcReqNo, BtPurcReqNo), 2, 0);
    HeaderGrid->addLayout(pair(LbPurcReqDate, PurcReqDate), 2, 1);
    HeaderGrid->addLayout(pair(LbPaidType, PaidType), 2, 2);
    auto* taxBox = new QHBoxLayout;
    taxBox->addWidget(FaGetTaxCode, 1);
    taxBox->addWidget(CanUseTax);
    HeaderGrid->addLayout(taxBox, 3, 0);
    HeaderGrid->addLayout(pair(LbPriceIE, Price_IE), 3, 1);
    auto* ship = pair(LbShipDate, ShipDate);
    ship->addSpacing(8);
    ship->addWidget(LbCreditDays);
    ship->addWidget(CreditDays);
    ship->addWidget(LbDays);
    HeaderGrid->addLayout(ship, 3, 2);
    HeaderGrid->addLayout(pair(LbReference, Reference), 4, 0);
    HeaderGrid->addWidget(FaGetRemark, 5, 0);
    HeaderGrid->addWidget(FaGetProject, 5, 1);
    HeaderGrid->addWidget(FaGetDepartment, 5, 2);
    for (int c = 0; c < 3; ++c)
        HeaderGrid->setColumnStretch(c, 1);

    // ---- lines and wiring -----------------------------------------------------------------
    PopLastPrice->addAction(tr("ราคาซื้อล่าสุด"), this, [this] { LastPriceClick(); });
    PopLastPrice->addAction(tr("ราคาล่าสุดไม่ระบุผู้ขาย"), this, [this] { LastPriceAllClick(); });
    connect(BtPurcReqNo, &QToolButton::clicked, this, [this] { BtPurcReqNoClick(); });
    connect(Price_IE, &QComboBox::activated, this, [this] { Price_IEExit(); });
    connect(PaidType, &QComboBox::activated, this, [this] {
        if (headerRow())
            QHd->SetField(QStringLiteral("PaidType"), PaidType->currentData());
    });
    addCellDialog(QStringLiteral("WhCode"), [this] { WhCodeCustomDlg(); });
    // Keys and focus of the fields reach eventFilter through the frame's filter of the
    // application.

    resize(960, 660);
    setFixedSize(size());
}

TFrPoTran::~TFrPoTran() = default;

// ---- configuration, show, texts ---------------------------------------------------------------

void TFrPoTran::configure()
{
    Cfg = ForeignOrder ? PoSql::foreign() : PoSql::domestic(PoType);
    PoType = Cfg.poType;
    // Product names in the user's language, the same typed and read back.
    Cfg.englishNames = !thaiLanguage();
    if (Entry)
        Entry->englishNames = Cfg.englishNames;
    QHd->setSQL(PoSql::header(Cfg));
    QHd->setUpdateSQL(PoSql::headerInsert(Cfg), PoSql::headerModify(Cfg), PoSql::headerDelete(Cfg));
    QDt->setSQL(PoSql::lines(Cfg));
    QDt->setUpdateSQL(PoSql::lineInsert(Cfg), PoSql::lineModify(Cfg), PoSql::lineDelete(Cfg));
    QCopyHd->setSQL(PoSql::header(Cfg));
    QCopyDt->setSQL(PoSql::lines(Cfg));
    VendorField = Cfg.vendorField;
    bindNumberAndDate(QStringLiteral("PoNo"), QStringLiteral("PoDate"));
    PurcReqNo->bind(QHd, QStringLiteral("PurcRequestNo"));
    PurcReqDate->bind(QHd, QStringLiteral("PurcRequestDate"));
    FaGetTaxCode->bind(QHd, QStringLiteral("TaxCode"));
    FaGetTaxCode->RateField = QStringLiteral("TaxRate");
    Reference->bind(QHd, QStringLiteral("Reference"));
    ShipDate->bind(QHd, QStringLiteral("ShipDate"));
    CreditDays->bind(QHd, QStringLiteral("CreditDays"));
    FaGetRemark->bind(QHd, QStringLiteral("Remark"));
    FaGetProject->bind(QHd, QStringLiteral("Project"));
    FaGetDepartment->bind(QHd, QStringLiteral("Department"));
    // The purchase history on F7 belongs to the domestic order (its vendor's bills).
    Lines->PriceHistory = Cfg.foreign ? std::function<void()>() : [this] {
        const int product = QDt->AsInteger(QStringLiteral("Product"));
        if (product < 1 || vendorId() < 1 || !vendorPicker())
            return;
        const QString caption = tr("ประวัติการซื้อ : ") + QDt->AsString(QStringLiteral("ProductName"))
                                + tr(" ของลูกค้า : ") + vendorPicker()->DescLabel->text();
        if (const auto price = PurchasePickers::purchaseHistory(this, caption, product, vendorId()))
            setLineField(QStringLiteral("Price"), *price);
    };
    m_configured = true;
}

void TFrPoTran::FormShow()
{
    DM->DMdata();
    CreateProductModules();
    setFormCaption(windowTitle());
    StatusCompany->setText(companyName());
    if (!m_configured)
        configure();
    RefreshScreen();
    TFrForm::FormShow(); // hides history, copy, print and change-code; runs New
    // A saved order can be printed again (Ctrl+P), approved or not.
    BPrint->show();
}

void TFrPoTran::RefreshScreen()
{
    applyLanguage(thaiLanguage());
    SetDgDtColumn();
}

void TFrPoTran::applyLanguage(bool thai)
{
    QFont normal = font();
    QFont small = font();
    QFont ten = font();
    if (!thai) {
        small.setPointSize(8);
        ten.setPointSize(10);
    }
    FaGetDocNo->Caption->setText(tr("เลขที่"));
    FaGetDocNo->Caption->setFont(thai ? normal : small);
    LbEntryType->setText(tr("บันทึกด้วย"));
    FaGetDate->Caption->setText(tr("วันที่"));
    FaGetDate->Caption->setFont(thai ? normal : small);
    LbPurcReqNo->setText(tr("เลขใบขอซื้อ"));
    LbPurcReqDate->setText(tr("วันที่ขอซื้อ"));
    FaGetTaxCode->Caption->setText(tr("ภาษี"));
    LbPriceIE->setText(tr("การคำนวณภาษี"));
    LbPaidType->setText(tr("จะชำระโดย"));
    LbReference->setText(tr("อ้างถึง"));
    LbShipDate->setText(tr("กำหนดส่งสินค้า"));
    LbCreditDays->setText(tr("เครดิต"));
    LbDays->setText(tr("วัน"));
    FaGetRemark->Caption->setText(tr("หมายเหตุ"));
    FaGetProject->Caption->setText(tr("โครงการ"));
    FaGetDepartment->Caption->setText(tr("แผนก"));
    FaGetDepartment->Caption->setFont(thai ? normal : small);
    for (QLabel* l : {LbEntryType, LbPurcReqNo, LbPurcReqDate, LbPriceIE, LbPaidType, LbReference, LbShipDate,
                      LbCreditDays, LbDays, FaGetTaxCode->Caption, FaGetRemark->Caption, FaGetProject->Caption})
        l->setFont(ten);
    EntryType->setItemText(0, tr("รหัสของกิจการ"));
    EntryType->setItemText(1, tr("BAR CODE"));
    EntryType->setItemText(2, tr("รหัสผู้จำหน่าย"));
    Price_IE->setItemText(0, tr("ราคารวมภาษี"));
    Price_IE->setItemText(1, tr("ราคายังไม่รวมภาษี"));
    PaidType->setItemText(0, tr("เงินสด"));
    PaidType->setItemText(1, tr("เช็ค"));
    PaidType->setItemText(2, tr("เงินโอน"));
    BtDeleteLine->setText(tr("ลบรายการสินค้า"));
    BtDisc->setText(tr("แสดงส่วนลด (F11)"));
    Totals->applyLanguage();
    // The order's own words for the footer.
    Totals->LbDiscName->setText(tr("รายละเอียด"));
    Totals->LbDiscRate->setText(tr("ส่วนลด(%)"));
    Totals->LbDiscAmt->setText(tr("ส่วนลด(บาท)"));
    Totals->LbSumDiscount->setText(tr("รวมส่วนลด"));
    Totals->LbTaxAmt->setText(tr("รวมสินค้ามีภาษี"));
    Totals->LbNoTaxAmt->setText(tr("รวมสินค้าไม่มีภาษี"));
    PageControl->setTabText(0, tr("รายละเอียดเอกสาร"));
}

void TFrPoTran::refreshHeaderControls()
{
    TFrPurchaseDocument::refreshHeaderControls();
    const QString paid = headerRow() ? QHd->AsString(QStringLiteral("PaidType")).trimmed() : QString();
    PaidType->setCurrentIndex(PaidType->findData(paid));
}

// ---- new and open -----------------------------------------------------------------------------

void TFrPoTran::enableHeader(bool on)
{
    FaGetDocNo->DocNo->setEnabled(on);
    FaGetDocNo->BtSearch->setEnabled(on);
}

void TFrPoTran::AcNewExecute()
{
    if (!m_configured)
        configure();
    TFrForm::AcNewExecute();
    StatusInfo->clear();
    FaGetTaxCode->reload();
    DM->RefreshConfig();
    BCopy->hide();
    AcCopy->setEnabled(false);
    DocNoLength = MessageService::tell(DM->GetDocLength(Cfg.docCode));
    AutoRun = DM->AutoRun;
    OpenQuery(QString());
    BApprove->hide();
    AcApprove->setEnabled(false);
    AcPrint->setEnabled(false);
    QHd->Append();
    enableHeader(true);
    FaGetTaxCode->setEnabled(true);
    FaGetTaxCode->refresh();
    Totals->Reset();
    EntryType->setCurrentIndex(0);
    PurcReqNo->setEnabled(true);
    BtPurcReqNo->setEnabled(true);
    FaGetDocNo->DocNo->setFocus();
}

void TFrPoTran::OpenQuery(const QString& number)
{
    QDt->Close();
    QHd->Close();
    QHd->setParam(QStringLiteral("GetNo"), number);
    QHd->setParam(QStringLiteral("GetType"), PoType);
    QHd->Open();
    NewDocument = QHd->IsEmpty();
    QDt->setParam(QStringLiteral("GetHdId"), NewDocument ? 0 : QHd->AsInteger(QStringLiteral("ID")));
    QDt->setParam(QStringLiteral("GetVId"), NewDocument ? 0 : QHd->AsInteger(Cfg.vendorField));
    QDt->Open();
    SetDgDtColumn();
}

void TFrPoTran::PoNoExit()
{
    if (!QHd->Active() || !FaGetDocNo->DocNo->isEnabled())
        return;
    const QString typed = FaGetDocNo->DocNo->text().trimmed();
    if (!AutoRun && typed.isEmpty()) {
        MessageService::information(tr("จะต้องป้อนเลขที่เอกสาร"));
        FaGetDocNo->DocNo->setFocus();
        return;
    }
    const QString number = PadLeft(typed, DocNoLength, QLatin1Char(' '));
    OpenQuery(number);
    const bool found = !NewDocument;
    const bool cleared = found && QHd->AsString(QStringLiteral("Clear")) == QLatin1String("Y");
    const bool approvalOffered = DM->ConfigText(QStringLiteral("PO_Approved")) == QLatin1String("N");
    enableByRights(found);
    if (cleared)
        AcDel->setEnabled(false);
    AcPrint->setEnabled(found);
    if (!found) {
        BApprove->hide();
        AcApprove->setEnabled(false);
        PurcReqNo->setEnabled(true);
        BtPurcReqNo->setEnabled(true);
    } else {
        if (cleared) {
            MessageService::information(
                tr("รายการสั่งซื้อรับหมดแล้ว ไม่สามารถแก้ไขได้"));
            AcSave->setEnabled(false);
        }
        const bool mayApprove = DMConfig && DMConfig->ApprovePo && approvalOffered;
        BApprove->setVisible(mayApprove);
        AcApprove->setEnabled(mayApprove);
    }
    BCopy->setVisible(!found);
    AcCopy->setEnabled(!found && !cleared);
    if (found && approvalOffered && QHd->AsString(QStringLiteral("Approved")) == QLatin1String("Y")) {
        MessageService::information(QStringLiteral("PO was Approved\rCan not Modify"));
        for (QAction* a : {AcSave, AcApprove, AcDel, AcCopy})
            a->setEnabled(false);
    }
    if (found)
        QHd->Edit();
    else
        QHd->Append();
    EntryType->setCurrentIndex(0);
    if (headerFieldEmpty(QStringLiteral("PoDate")))
        QHd->SetField(QStringLiteral("PoDate"), Db::dateToText(QDateTime(DM->GetServerTime().date(), QTime(0, 0))));
    defaultHeaderFields({{"Price_IE", DM->ConfigText(QStringLiteral("Purc_IE"))},
                         {"Clear", QStringLiteral("N")},
                         {"DelFlag", QStringLiteral("N")},
                         {"CanUseTax", QStringLiteral("Y")}});
    if (!found) {
        TotalAtLoad = 0;
        if (!AutoRun)
            QHd->SetField(QStringLiteral("PoNo"), number);
    } else {
        TotalAtLoad = QHd->AsFloat(QStringLiteral("Total"));
        normaliseLineTypes();
        if (!QDt->IsEmpty())
            QDt->First();
        // A stored tax typed by hand stays; the amounts are computed again.
        Totals->RefreshAdjusted();
        CalculateAll();
        FaGetTaxCode->setEnabled(false); // the tax code of a saved order stays
    }
    refreshHeaderControls();
    enableHeader(false);
    SetDgDtColumn();
}

QString TFrPoTran::pickOrderNo()
{
    return PurchasePickers::pickPoNo(this, PoType, 0, QString());
}

void TFrPoTran::BtSearchNoClick()
{
    const QString chosen = pickOrderNo();
    if (chosen.isEmpty())
        return;
    FaGetDocNo->DocNo->setText(chosen.trimmed());
    FaGetDocNo->DocNo->setFocus();
}

void TFrPoTran::BtPurcReqNoClick()
{
    // The request is a reference of the order: its number goes into the field.
    const QString chosen = PurchasePickers::pickPoRQNo(this);
    if (chosen.isEmpty())
        return;
    PurcReqNo->setText(chosen.trimmed());
    PurcReqNo->setFocus();
}

// ---- header rules -----------------------------------------------------------------------------

QString TFrPoTran::productSearchType() const
{
    return PoType == QLatin1String("P") ? QStringLiteral("A") : QDt->AsString(QStringLiteral("ProductType")).trimmed();
}

void TFrPoTran::VendorEnter()
{
    if (TFaPicker* p = vendorPicker())
        VendorCodeOnEnter = p->Edit->text();
}

void TFrPoTran::Price_IEExit()
{
    if (!headerRow() || Price_IE->currentIndex() < 0)
        return;
    QHd->SetField(QStringLiteral("Price_IE"), Price_IE->currentData());
    if (QHd->AsFloat(QStringLiteral("Total")) > 0) {
        CalculateAll();
        PaidType->setFocus();
    }
}

void TFrPoTran::TaxCodeExit()
{
    FaGetTaxCode->TaxCodeExit();
    if (headerRow() && QHd->AsFloat(QStringLiteral("Total")) > 0) {
        CalculateAll();
        Price_IE->setFocus();
    }
}

// ---- save, delete, copy, approve --------------------------------------------------------------

bool TFrPoTran::CheckComplete()
{
    DM->Config(QStringLiteral("LockInputProject"));
    TFaPicker* vendor = vendorPicker();
    if (vendorId() < 1 || (vendor && vendor->Edit->text().trimmed().isEmpty())) {
        MessageService::information(tr("ยังไม่ได้ป้อนรหัสผู้ขาย"));
        if (vendor)
            vendor->Edit->setFocus();
        return false;
    }
    if (Cfg.projectRequired && DM->ConfigText(QStringLiteral("LockInputProject")) == QLatin1String("Y")
        && QHd->FieldByName(QStringLiteral("Project")).toInt() < 1) {
        MessageService::information(tr("ยังไม่ได้ป้อนรหัสโครงการ"));
        FaGetProject->Edit->setFocus();
        return false;
    }
    // The import document takes a foreign order's lines by their warehouse: a goods line of
    // a foreign order must name one.
    const PoRules::CheckResult r = PoRules::CheckLines(*QDt, Cfg.foreign);
    if (!r.ok) {
        MessageService::information(tr("บันทึกข้อมูลไม่ครบถ้วน !"));
        if (r.row >= 0)
            focusLine(r.row, r.field);
    }
    return r.ok;
}

void TFrPoTran::AcSaveExecute()
{
    if (!AcSave->isEnabled() || !headerRow())
        return;
    // The field being typed in is left first, so its own rule runs.
    Reference->setFocus();
    // The amounts are computed before the question: a line that cannot be computed stops the
    // save with the cursor in its cell, and nothing disagreeing with the lines is stored.
    if (!CheckComplete() || !CalculateAll()
        || !confirmSave())
        return;
    PoRules::SaveInput in;
    in.config = Cfg;
    in.header = QHd;
    in.lines = QDt;
    in.autoRun = AutoRun;
    in.newDocument = NewDocument;
    in.approvedSetting = DM->ConfigText(QStringLiteral("PO_Approved"));
    in.afterLines = SaveExtras;
    PoRules::SaveResult res;
    try {
        res = PoRules::Save(in);
    } catch (const NkError& e) {
        // Rolled back: the order stays on screen with every change for another try.
        SetDgDtColumn();
        saveFailed(e);
        return;
    }
    PrintDocument(this, res.number, YearOfDate(res.date), Cfg.docCode);
    AcNewExecute();
}

void TFrPoTran::AcPrintExecute()
{
    if (!AcPrint->isEnabled() || !headerRow() || QHd->AsInteger(QStringLiteral("ID")) < 1)
        return;
    // The order as stored is printed, whatever was typed since it was opened.
    PrintDocument(this, QHd->oldValue(QHd->RecNo(), QStringLiteral("PoNo")).toString(), YearOfDate(docDate()), Cfg.docCode);
}

void TFrPoTran::AcDelExecute()
{
    if (!AcDel->isEnabled() || !headerRow() || QHd->AsInteger(QStringLiteral("ID")) < 1)
        return;
    Reference->setFocus();
    if (!confirmDelete())
        return;
    // The order as stored, without what was typed since it was opened.
    OpenQuery(QHd->AsString(QStringLiteral("PoNo")));
    if (NewDocument) {
        AcNewExecute();
        return;
    }
    QHd->Edit();
    try {
        PoRules::Delete(Cfg, *QHd, *QDt);
    } catch (const NkError& e) {
        SetDgDtColumn();
        ReportError(e);
        return;
    }
    AcNewExecute();
}

void TFrPoTran::AcCopyExecute()
{
    if (!AcCopy->isEnabled() || !headerRow())
        return;
    const QString chosen = pickOrderNo();
    if (chosen.isEmpty())
        return;
    QCopyHd->Close();
    QCopyHd->setParam(QStringLiteral("GetNo"), PadLeft(chosen, DocNoLength, QLatin1Char(' ')));
    QCopyHd->setParam(QStringLiteral("GetType"), PoType);
    QCopyHd->Open();
    if (QCopyHd->IsEmpty())
        return;
    QCopyDt->Close();
    QCopyDt->setParam(QStringLiteral("GetHdId"), QCopyHd->AsInteger(QStringLiteral("ID")));
    QCopyDt->setParam(QStringLiteral("GetVId"), QCopyHd->AsInteger(Cfg.vendorField));
    QCopyDt->Open();
    m_inLines = true;
    PoRules::CopyHeader(*QCopyHd, *QHd, DM->ConfigText(QStringLiteral("PO_Approved")));
    PoRules::CopyLines(*QCopyDt, *QDt);
    normaliseLineTypes();
    for (int r = 0; r < QDt->RecordCount(); ++r) {
        // A copy has received nothing yet.
        QDt->assign(r, QStringLiteral("Received"), 0);
        showReceived(r);
    }
    m_inLines = false;
    if (Copied)
        Copied(*QCopyHd, *QCopyDt);
    QCopyDt->Close();
    QCopyHd->Close();
    if (TFaPicker* p = vendorPicker()) {
        p->Edit->refresh();
        VendorCodeOnEnter = p->Edit->text();
    }
    FaGetProject->Edit->refresh();
    FaGetDepartment->Edit->refresh();
    refreshHeaderControls();
    if (!QDt->IsEmpty())
        QDt->First();
    SetDgDtColumn();
    CalculateAll();
}

void TFrPoTran::AcApproveExecute()
{
    if (!AcApprove->isEnabled() || !headerRow() || QHd->AsInteger(QStringLiteral("ID")) < 1)
        return;
    if (!MessageService::ConfirmDlg(QStringLiteral("Confirm Approve ?")))
        return;
    try {
        PoRules::Approve(Cfg, QHd->AsInteger(QStringLiteral("ID")));
    } catch (const NkError& e) {
        // Not approved: said, and the order stays on screen.
        ReportError(e);
        return;
    }
    AcNewExecute();
}

// ---- keys, exit, window -----------------------------------------------------------------------

bool TFrPoTran::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F5 && obj == PurcReqNo
        && PurcReqNo->isEnabled()) {
        BtPurcReqNoClick();
        return true;
    }
    if (e->type() == QEvent::FocusIn) {
        if (TFaPicker* p = vendorPicker(); p && obj == p->Edit)
            VendorEnter();
    }
    return TFrDocument::eventFilter(obj, e);
}

bool TFrPoTran::numberTaken(const QString& number) const
{
    return DM->DocNoTaken(Cfg.hd, number);
}
