#include "forms/receipt/TFrMrTran.h"
#include "data/Translation.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/Numbering.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmVendor.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/PurchaseTotals.h"
#include "forms/purchase/TFaPurchaseLines.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "forms/receipt/ReceiptPickers.h"
#include "forms/receipt/ReceiptRules.h"
#include "forms/receipt/TFaGetVendor.h"
#include "print/TFrDocPrintForm.h"
#include "search/TFaGetDate.h"
#include "search/TFaGetDepartment.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetTaxCode.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QLabel* label(QWidget* parent)
{
    return new QLabel(parent);
}
} // namespace

TFrMrTran::TFrMrTran(QWidget* parent)
    : TFrPurchaseDocument(parent, PurchaseLineEntry::Policy::Bill, PurchaseTotals::Kind::Bill, true)
{
    setObjectName(QStringLiteral("FrMrTran"));
    setWindowTitle(defaultCaption());
    QPoHd = new CachedDataSet(this, QStringLiteral("QPoHd"));
    QPoHd->setSQL(ReceiptSql::purchaseOrder());

    // ---- header ---------------------------------------------------------------------------
    auto* g = new QGridLayout(PnHeader);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(3);
    EntryType->setMaximumWidth(170);
    FaGetImportLotNo = new TFaGetImportLotNo(PnHeader);
    FaGetImportLotNo->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetImportLotNo->CreateAllowed = true; // a new company records its first shipment
    FaGetImportLotNo->hide(); // shown by the import-expense forms
    LbPoHd = label(PnHeader);
    PoHd = new TLookupEdit(PnHeader);
    PoHd->setObjectName(QStringLiteral("PoHd"));
    // The number is compared trimmed: the stored number is blank-filled.
    PoHd->setLookup(QStringLiteral("PoHd"), QStringLiteral("Id"), QStringLiteral("Ltrim(Rtrim(PoNo))"),
                    QStringLiteral("Reference"));
    PoHd->setAllowEmpty(true);
    PoHd->setMaximumWidth(120);
    BtSearchPoNo = new QToolButton(PnHeader);
    BtSearchPoNo->setObjectName(QStringLiteral("BtSearchPoNo"));
    BtSearchPoNo->setText(QStringLiteral("..."));
    BtSearchPoNo->setFocusPolicy(Qt::NoFocus);
    BtLoadPo = new QPushButton(tr("ใบสั่งซื้อหลายใบ"), PnHeader);
    BtLoadPo->setObjectName(QStringLiteral("BtLoadPo"));
    BtLoadPo->setFocusPolicy(Qt::NoFocus);
    FaGetVendor = new TFaGetVendor(PnHeader);
    LbMrTaxNo = label(PnHeader);
    MrTaxNo = new TDbEdit(PnHeader);
    MrTaxNo->setObjectName(QStringLiteral("MrTaxNo"));
    LbMrTaxDate = label(PnHeader);
    MrTaxDate = new TDbDateEdit(PnHeader);
    MrTaxDate->setObjectName(QStringLiteral("MrTaxDate"));
    LbMrPrintTaxDate = label(PnHeader);
    MrPrintTaxDate = new TDbDateEdit(PnHeader);
    MrPrintTaxDate->setObjectName(QStringLiteral("MrPrintTaxDate"));
    Price_IE->setMaximumWidth(170);
    LbDueDays = label(PnHeader);
    DueDays = new TDbNumberEdit(PnHeader);
    DueDays->setObjectName(QStringLiteral("DueDays"));
    DueDays->setDecimals(0);
    DueDays->setDisplayFormat(QStringLiteral("0"));
    DueDays->setMaximumWidth(60);
    LbDueDate = label(PnHeader);
    DueDate = new TDbDateEdit(PnHeader);
    DueDate->setObjectName(QStringLiteral("DueDate"));
    MrTaxNo->setMaximumWidth(170);
    LbPrepaid = label(PnHeader);
    PrepaidNo = new TDbEdit(PnHeader);
    PrepaidNo->setObjectName(QStringLiteral("PrepaidNo"));
    PrepaidNo->setUpperCase(true);
    PrepaidNo->setMaximumWidth(120);
    BtSearchPrepaid = new QToolButton(PnHeader);
    BtSearchPrepaid->setText(QStringLiteral("..."));
    BtSearchPrepaid->setFocusPolicy(Qt::NoFocus);
    LbPrePaidBalance = label(PnHeader);
    PrePaidBalance = new TDbNumberEdit(PnHeader);
    PrePaidBalance->setObjectName(QStringLiteral("PrePaidBalance"));
    PrePaidBalance->setReadOnly(true);
    PrePaidBalance->setFocusPolicy(Qt::NoFocus);
    PrePaidBalance->setMaximumWidth(120);

    auto pair = [](QLabel* l, QWidget* w, QWidget* extra = nullptr) {
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        box->addWidget(l);
        box->addWidget(w, 1);
        if (extra)
            box->addWidget(extra);
        return box;
    };
    auto* poBox = new QHBoxLayout;
    poBox->setSpacing(4);
    poBox->addWidget(LbPoHd);
    poBox->addWidget(PoHd);
    poBox->addWidget(BtSearchPoNo);
    poBox->addWidget(BtLoadPo);
    poBox->addStretch(1);
    auto* taxBox = new QHBoxLayout;
    taxBox->addWidget(FaGetTaxCode, 1);
    taxBox->addWidget(CanUseTax);
    auto* prepaidBox = pair(LbPrepaid, PrepaidNo, BtSearchPrepaid);
    g->addWidget(FaGetDocNo, 0, 0);
    g->addLayout(pair(LbEntryType, EntryType), 0, 1);
    g->addWidget(FaGetDate, 0, 2, Qt::AlignLeft);
    g->addWidget(FaGetImportLotNo, 1, 0, 1, 2);
    g->addLayout(poBox, 1, 2);
    g->addWidget(FaGetVendor, 2, 0, 1, 2);
    g->addLayout(taxBox, 2, 2);
    g->addLayout(pair(LbMrTaxNo, MrTaxNo), 3, 0);
    g->addLayout(pair(LbMrTaxDate, MrTaxDate), 3, 1);
    g->addLayout(pair(LbMrPrintTaxDate, MrPrintTaxDate), 3, 2);
    g->addLayout(pair(LbPriceIE, Price_IE), 4, 0);
    g->addLayout(pair(LbDueDays, DueDays), 4, 1);
    g->addLayout(pair(LbDueDate, DueDate), 4, 2);
    g->addLayout(pair(LbReference, Reference), 5, 0);
    g->addLayout(prepaidBox, 5, 1);
    g->addLayout(pair(LbPrePaidBalance, PrePaidBalance), 5, 2);
    g->addWidget(FaGetRemark, 6, 0);
    g->addWidget(FaGetProject, 6, 1);
    g->addWidget(FaGetDepartment, 6, 2);
    for (int c = 0; c < 3; ++c)
        g->setColumnStretch(c, 1);

    // ---- lines and wiring -----------------------------------------------------------------
    Lines->PriceHistory = [this] { ShowPurchaseHistory(); };
    PopLastPrice->addAction(tr("ราคาซื้อล่าสุด  ไม่ระบุผู้ขาย"), this, [this] { LastPriceClick(); });
    PopLastPrice->addAction(tr("ราคาซื้อล่าสุด เฉพาะผู้ขายนี้"), this, [this] { LastPriceVendorClick(); });
    FaGetVendor->VendorExit = [this] { FaGetVendorExit(); };
    connect(FaGetDate->DateEdit, &TDbEdit::committed, this, [this] { FaGetDateDocDateExit(); });
    connect(MrTaxNo, &TDbEdit::committed, this, [this] { MrTaxNoExit(); });
    connect(DueDays, &TDbEdit::committed, this, [this] { DueDaysExit(); });
    connect(Price_IE, &QComboBox::activated, this, [this] {
        Price_IEExit();
        if (credit() && headerRow() && QHd->FieldByName(QStringLiteral("Total")).toDouble() > 0)
            DueDays->setFocus();
    });
    connect(PoHd, &TLookupEdit::exited, this, [this] { PoHdExit(); });
    connect(BtSearchPoNo, &QToolButton::clicked, this, [this] { BtSearchPoNoClick(); });
    connect(BtLoadPo, &QPushButton::clicked, this, [this] { BtLoadPoClick(); });
    connect(BtSearchPrepaid, &QToolButton::clicked, this, [this] { FaGetPrepaidBtSearchClick(); });
    connect(PrepaidNo, &TDbEdit::committed, this, [this] { FaGetPrepaidDocNoExit(); });
    addCellDialog(QStringLiteral("PoNo"), [this] { PoNoCustomDlg(); });
    for (QObject* o : {static_cast<QObject*>(EntryType), static_cast<QObject*>(PoHd),
                       static_cast<QObject*>(PrepaidNo), static_cast<QObject*>(DueDays)})
        o->installEventFilter(this);
    if (QWidget* bar = findChild<QWidget*>(QStringLiteral("PnToolbar")))
        bar->installEventFilter(this);

    // The header from top to bottom, then the lines and the footer. The lot and the vendor come
    // first, down the left (a vendor code typed after the lot lands in the vendor), then the
    // order number, the tax code and the tax reclaim on their right.
    setEnterOrder({FaGetDocNo->DocNo, EntryType, FaGetDate->DateEdit, FaGetImportLotNo->Edit, FaGetVendor->Edit, PoHd,
                   FaGetTaxCode->TaxCode, CanUseTax, MrTaxNo, MrTaxDate, MrPrintTaxDate, Price_IE, DueDays, DueDate,
                   Reference, PrepaidNo, FaGetRemark->Remark, FaGetProject->Edit, FaGetDepartment->Edit, DgDt,
                   Totals->DiscName[0], Totals->DiscRate[0], Totals->DiscAmt[0], Totals->DiscName[1],
                   Totals->DiscRate[1], Totals->DiscAmt[1], Totals->DiscName[2], Totals->DiscRate[2],
                   Totals->DiscAmt[2]});
    if (Totals->PrepaidAmount)
        setTabOrder(Totals->DiscAmt[2], Totals->PrepaidAmount);
    setTabOrder(Totals->PrepaidAmount ? static_cast<QWidget*>(Totals->PrepaidAmount) : Totals->DiscAmt[2], Totals->TaxTotal);

    resize(960, 680);
    setFixedSize(size());
}

TFrMrTran::~TFrMrTran() = default;

// ---- configuration, show, captions ----------------------------------------------------------

void TFrMrTran::configure()
{
    Names = ReceiptSql::names(PayType);
    QHd->setSQL(ReceiptSql::header(Names));
    QHd->setUpdateSQL(ReceiptSql::headerInsert(Names), ReceiptSql::headerModify(Names), ReceiptSql::headerDelete(Names));
    QDt->setSQL(ReceiptSql::lines(Names));
    QDt->setUpdateSQL(ReceiptSql::lineInsert(Names), ReceiptSql::lineModify(Names), ReceiptSql::lineDelete(Names));
    bindNumberAndDate(Names.no, Names.date);
    FaGetImportLotNo->bind(QHd, QStringLiteral("ImportLotNo"));
    PoHd->bind(QHd, QStringLiteral("PoHd"));
    FaGetVendor->bind(QHd, QStringLiteral("Vendor"));
    FaGetTaxCode->bind(QHd, QStringLiteral("TaxCode"));
    FaGetTaxCode->RateField = QStringLiteral("TaxRate");
    MrTaxNo->bind(QHd, Names.taxNo);
    MrTaxDate->bind(QHd, Names.taxDate);
    MrPrintTaxDate->bind(QHd, Names.printTaxDate);
    Reference->bind(QHd, QStringLiteral("Reference"));
    PrepaidNo->bind(QHd, QStringLiteral("PrNo"));
    PrePaidBalance->bind(QHd, QStringLiteral("PrePaidBalance"));
    FaGetRemark->bind(QHd, QStringLiteral("Remark"));
    FaGetProject->bind(QHd, QStringLiteral("Project"));
    FaGetDepartment->bind(QHd, QStringLiteral("Department"));
    FaGetImportLotNo->setVisible(ImportExpense);
    if (credit()) {
        DueDays->bind(QHd, QStringLiteral("DueDays"));
        DueDate->bind(QHd, QStringLiteral("DueDate"));
    } else {
        // Cash bills have no credit: the fields are hidden and bound to nothing.
        for (QWidget* w : {static_cast<QWidget*>(LbDueDays), static_cast<QWidget*>(DueDays),
                           static_cast<QWidget*>(LbDueDate), static_cast<QWidget*>(DueDate)})
            w->hide();
        FaGetProject->setEnabled(false);
        FaGetDepartment->setEnabled(false);
    }
    m_configured = true;
}

void TFrMrTran::FormShow()
{
    RefreshScreen();
    DM->DMdata();
    CreateProductModules();
    const QString menu = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
    setWindowTitle((menu.isEmpty() ? windowTitle() : menu) + versionText());
    StatusCompany->setText(companyName());
    StatusInfo->clear();
    if (!m_configured)
        configure();
    TFrForm::FormShow(); // hides history, copy, print and change-code; runs New
}

QString TFrMrTran::caption() const
{
    return windowTitle();
}

void TFrMrTran::RefreshScreen()
{
    const bool thai = thaiLanguage();
    QFont small = font();
    small.setPointSize(8);
    FaGetDocNo->Caption->setText(tr("เลขที่"));
    LbEntryType->setText(tr("บันทึกด้วย"));
    FaGetDate->Caption->setText(tr("วันที่"));
    LbPoHd->setText(tr("เลขที่ใบสั่งซื้อ"));
    FaGetVendor->Caption->setText(tr("รหัสผู้ขาย"));
    FaGetTaxCode->Caption->setText(tr("อัตราภาษี"));
    LbMrTaxNo->setText(tr("เลขที่ใบกำกับภาษี"));
    LbMrTaxDate->setText(tr("วันที่ใบกำกับภาษี"));
    LbMrPrintTaxDate->setText(tr("วันที่รายงานภาษีซื้อ"));
    LbPriceIE->setText(tr("การคำนวณภาษี"));
    LbDueDays->setText(tr("เครดิต (วัน)"));
    LbDueDate->setText(tr("ครบชำระ"));
    LbReference->setText(tr("อ้างถึง"));
    LbPrepaid->setText(tr("ใบมัดจำ"));
    LbPrepaid->setFont(thai ? font() : small);
    FaGetRemark->Caption->setText(tr("หมายเหตุ"));
    FaGetProject->Caption->setText(tr("รหัสโครงการ"));
    FaGetDepartment->Caption->setText(tr("แผนก"));
    LbPrePaidBalance->setText(tr("มัดจำค้างตัด"));
    BtDeleteLine->setText(tr("ลบรายการสินค้า"));
    BtDisc->setText(tr("แสดงส่วนลด(F11)"));
    Totals->applyLanguage();
    Price_IE->setItemText(0, tr("ราคารวมภาษี"));
    Price_IE->setItemText(1, tr("ราคายังไม่รวมภาษี"));
    EntryType->setItemText(0, tr("รหัสของกิจการ"));
    EntryType->setItemText(1, QStringLiteral("BAR CODE"));
    EntryType->setItemText(2, tr("รหัสผู้จำหน่าย"));
    PageControl->setTabText(0, tr("รายละเอียดเอกสาร"));
    SetDgDtColumn();
}

// ---- new and open ---------------------------------------------------------------------------

void TFrMrTran::enableHeader(bool on)
{
    FaGetDocNo->setEnabled(true);
    FaGetDocNo->DocNo->setEnabled(on);
    FaGetDocNo->BtSearch->setEnabled(on);
    PoHd->setEnabled(on);
    BtSearchPoNo->setEnabled(on);
    FaGetVendor->setEnabled(on);
    Price_IE->setEnabled(on);
    FaGetTaxCode->setEnabled(on);
    FaGetImportLotNo->setEnabled(on);
}

void TFrMrTran::AcNewExecute()
{
    if (!m_configured)
        configure();
    TFrForm::AcNewExecute();
    StatusInfo->clear();
    OpenQuery(QString());
    QHd->Append();
    EntryType->setCurrentIndex(0);
    QDt->Append();
    enableHeader(true);
    BtLoadPo->setEnabled(false);
    PoHd->setFilter(QStringLiteral("(Clear <> 'Y') And (DelFlag = 'N') And (PoType = '%1')").arg(MrType));
    DM->RefreshConfig();
    PoNoLength = MessageService::tell(DM->GetDocLength(QStringLiteral("PO-") + MrType));
    DocNoLength = MessageService::tell(DM->GetDocLength(MrDocCode));
    AutoRun = DM->AutoRun; // the bill's code governs, read last
    Totals->Reset();
    FaGetImportLotNo->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetTaxCode->reload();
    FaGetTaxCode->refresh();
    DocumentIsNew = true;
    FaGetDocNo->DocNo->setFocus();
}

void TFrMrTran::OpenQuery(const QString& number)
{
    QDt->Close();
    QHd->Close();
    QHd->setParam(QStringLiteral("GetNo"), number.trimmed());
    QHd->setParam(QStringLiteral("GetType"), MrType);
    QHd->Open();
    DocumentIsNew = QHd->IsEmpty();
    QDt->setParam(QStringLiteral("GetHdId"), QHd->IsEmpty() ? 0 : QHd->AsInteger(QStringLiteral("ID")));
    QDt->setParam(QStringLiteral("GetVId"), QHd->IsEmpty() ? 0 : QHd->AsInteger(QStringLiteral("Vendor")));
    QDt->Open();
    LoadedOrders.clear();
    SetDgDtColumn();
}

void TFrMrTran::MrNoExit()
{
    if (!QHd->Active() || !FaGetDocNo->DocNo->isEnabled())
        return;
    if (!AutoRun && FaGetDocNo->DocNo->text().trimmed().isEmpty()) {
        // Numbers are typed by hand: the reminder once, and the cursor back in the number
        // (nothing is opened, so the number can still be typed).
        MessageService::information(tr("ท่านไม่ได้ป้อนเลขที่\rขณะนี้อยู่ในระบบเลขที่เอกสารไม่ Run อัตโนมัติ"));
        FaGetDocNo->DocNo->setFocus();
        return;
    }
    const QString typed = FaGetDocNo->DocNo->text().trimmed().left(qMax(1, DocNoLength));
    const QString n = PadLeft(typed, DocNoLength, QLatin1Char(' '));
    OpenQuery(n);
    const bool found = !DocumentIsNew;
    enableByRights(found);
    if (found) {
        refuseClosedPeriod(docDate());
        Totals->RefreshAdjusted();
        if (credit()) {
            const QString clear = QHd->AsString(QStringLiteral("Clear")).trimmed();
            if (clear == QLatin1String("Y") || clear == QLatin1String("P")) {
                MessageService::information(clear == QLatin1String("Y")
                                                ? tr("เอกสารใบนี้จ่ายเงินแล้ว ไม่สามารถแก้ไขได้")
                                                : tr("เอกสารใบนี้จ่ายเงินบางส่วนแล้ว ไม่สามารถแก้ไขได้"));
                QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::paymentVoucher(),
                                       {{QStringLiteral("id"), QHd->AsInteger(QStringLiteral("ID"))}});
                if (q.next())
                    MessageService::information(tr("อ้างถึงใบจ่ายเงินเลขที่ ") + q.value(0).toString().trimmed()
                                                + QStringLiteral(" ") + tr("วันที่ ")
                                                + Db::dateFromValue(q.value(1)).toString(QStringLiteral("dd/MM/yyyy")));
                AcSave->setEnabled(false);
                AcDel->setEnabled(false);
            }
        }
    }
    if (found)
        QHd->Edit();
    else
        QHd->Append();
    // A saved bill keeps its lot when the lot has been closed since: it can still be corrected.
    const int lot = found ? QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() : 0;
    FaGetImportLotNo->setFilter(lot > 0 ? QStringLiteral("(%1) Or (Id = %2)").arg(TFaGetImportLotNo::activeFilter()).arg(lot)
                                         : TFaGetImportLotNo::activeFilter());
    EntryType->setCurrentIndex(0);
    if (QHd->FieldByName(Names.date).isNull())
        QHd->SetField(Names.date, Db::dateToText(DM->GetServerTime()));
    defaultHeaderFields({{"Price_IE", DM->ConfigText(QStringLiteral("Purc_IE"))},
                         {"Transfer", QStringLiteral("N")},
                         {"CanUseTax", QStringLiteral("Y")}});
    refreshHeaderControls();
    if (!found) {
        TotalAtLoad = 0;
        PrepaidNoAtLoad.clear();
        PrepaidIdAtLoad = 0;
        if (!AutoRun)
            QHd->SetField(Names.no, n);
        if (QDt->IsEmpty())
            QDt->Append();
    } else {
        TotalAtLoad = QHd->AsFloat(QStringLiteral("Total"));
        PrepaidNoAtLoad = QHd->AsString(QStringLiteral("PrNo"));
        PrepaidIdAtLoad = QHd->AsInteger(QStringLiteral("Prepaid"));
        normaliseLineTypes();
        if (!QDt->IsEmpty())
            QDt->First();
        PoHd->setEnabled(false);
        BtSearchPoNo->setEnabled(false);
        FaGetTaxCode->setEnabled(false);
        CalculateAll();
    }
    FaGetDocNo->DocNo->setEnabled(false);
    FaGetDocNo->BtSearch->setEnabled(false);
    if (ImportExpense && found && QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() < 1) {
        // A bill of the same type entered without import lot elsewhere is not one of these.
        MessageService::information(tr("ไม่ใช่เอกสาร") + caption());
        AcNewExecute();
    }
}

bool TFrMrTran::beforeSave()
{
    if (!ImportExpense || QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() >= 1)
        return true;
    MessageService::information(tr("ยังไม่ได้ระบุ") + FaGetImportLotNo->Caption->text());
    return false;
}

void TFrMrTran::BtSearchMrNoClick()
{
    const QString chosen = ReceiptPickers::pickBillNo(this, PayType, MrType);
    if (chosen.isEmpty())
        return;
    FaGetDocNo->DocNo->setText(chosen.trimmed());
    FaGetDocNo->DocNo->setFocus();
}

// ---- header rules ---------------------------------------------------------------------------

QString TFrMrTran::productSearchType() const
{
    const QString type = QDt->AsString(QStringLiteral("ProductType")).trimmed();
    return type.isEmpty() ? QStringLiteral("S") : type;
}

void TFrMrTran::FaGetVendorExit()
{
    if (!headerRow() || vendorId() < 1 || QHd->AsInteger(QStringLiteral("ID")) != 0)
        return;
    if (!FaGetVendor->VendorFound())
        return;
    QHd->SetField(QStringLiteral("TaxCode"), FaGetVendor->QVendor.value(QStringLiteral("TaxCode")));
    QHd->SetField(QStringLiteral("TaxRate"), FaGetVendor->QVendor.value(QStringLiteral("TaxRate")));
    FaGetTaxCode->refresh();
    if (!QDt->IsEmpty()) {
        Entry->RetaxLines();
        CalculateAll();
    }
    if (credit()) {
        const int days = FaGetVendor->QVendor.value(QStringLiteral("DueDays")).toInt();
        QHd->SetField(QStringLiteral("DueDays"), days);
        QHd->SetField(QStringLiteral("DueDate"), Db::dateToText(docDate().addDays(days)));
    }
}

void TFrMrTran::DueDaysExit()
{
    if (!credit() || !headerRow() || DueDays->text() == m_dueDaysAtEnter)
        return;
    QHd->SetField(QStringLiteral("DueDate"),
                  Db::dateToText(docDate().addDays(QHd->FieldByName(QStringLiteral("DueDays")).toInt())));
    m_dueDaysAtEnter = DueDays->text();
}

void TFrMrTran::FaGetDateDocDateExit()
{
    if (!headerRow())
        return;
    refuseClosedPeriod(docDate());
    if (!DocumentIsNew)
        MessageService::information(tr("วันที่ใบกำกับ และ วันที่ยื่นภาษีจะถูกกำหนดตามวันที่รับสินค้า\r"
                                                   "กรุณาตรวจสอบวันที่รายงานภาษีให้ถูกต้อง"));
    const QString date = Db::dateToText(docDate());
    QHd->SetField(Names.taxDate, date);
    QHd->SetField(Names.printTaxDate, date);
}

void TFrMrTran::MrTaxNoExit()
{
    if (!headerRow())
        return;
    // An empty tax number names no invoice, so it cannot be a duplicate of another bill's.
    const QString taxNo = QHd->AsString(Names.taxNo);
    if (taxNo.trimmed().isEmpty())
        return;
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::duplicateTaxNo(),
                           {{QStringLiteral("mrtaxno"), taxNo}, {QStringLiteral("credit"), credit() ? 1 : 0},
                            {QStringLiteral("id"), QHd->AsInteger(QStringLiteral("ID"))}});
    if (q.next() && !MessageService::ConfirmDlg(tr("พบเลขที่ใบกำกับซ้ำกับใบอื่นยืนยันใช้เลขที่นี้ ?"))) {
        QHd->SetField(Names.taxNo, QString());
        MrTaxNo->setFocus();
    }
}

void TFrMrTran::Price_IEExit()
{
    if (!headerRow() || Price_IE->currentIndex() < 0)
        return;
    const QString v = Price_IE->currentData().toString();
    if (QHd->AsString(QStringLiteral("Price_IE")) != v)
        QHd->SetField(QStringLiteral("Price_IE"), v);
    if (QHd->AsFloat(QStringLiteral("Total")) > 0)
        CalculateAll();
}

void TFrMrTran::TaxCodeExit()
{
    FaGetTaxCode->TaxCodeExit();
    if (!headerRow())
        return;
    // The lines follow the document's new rate, so the stored header and lines agree.
    Entry->RetaxLines();
    CalculateAll();
    if (QHd->AsFloat(QStringLiteral("Total")) > 0)
        MrTaxNo->setFocus();
}

// ---- keys, exit, window ---------------------------------------------------------------------

bool TFrMrTran::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::FocusIn) {
        if (obj == PoHd) {
            m_poTextAtEnter = PoHd->text();
            BtSearchPoNo->setEnabled(PoHd->isEnabled());
        } else if (obj == DueDays)
            m_dueDaysAtEnter = DueDays->text();
        else if (obj == PrepaidNo)
            BtSearchPrepaid->setEnabled(true);
    } else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F5) {
        if (obj == PoHd && PoHd->isEnabled()) {
            BtSearchPoNoClick();
            return true;
        }
        if (obj == PrepaidNo) {
            FaGetPrepaidBtSearchClick();
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonPress && obj->objectName() == QLatin1String("PnToolbar")) {
        // A click on the toolbar outside its buttons switches the language.
        if (DMConfig)
            Translation::useLanguage(!DMConfig->ThaiLanguage);
        RefreshScreen();
    }
    return TFrDocument::eventFilter(obj, e);
}
