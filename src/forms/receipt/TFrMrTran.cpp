#include "forms/receipt/TFrMrTran.h"

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
bool isThai()
{
    return DMConfig ? DMConfig->ThaiLanguage : true;
}
QString T(const char* thai, const char* english)
{
    return isThai() ? QString::fromUtf8(thai) : QString::fromUtf8(english);
}
QLabel* label(QWidget* parent)
{
    return new QLabel(parent);
}
} // namespace

TFrMrTran::TFrMrTran(QWidget* parent)
    : TFrForm(parent)
{
    setObjectName(QStringLiteral("FrMrTran"));
    setWindowTitle(defaultCaption());
    QHd = new CachedDataSet(this, QStringLiteral("QHd"));
    QDt = new CachedDataSet(this, QStringLiteral("QDt"));
    QPoHd = new CachedDataSet(this, QStringLiteral("QPoHd"));
    QPoHd->setSQL(ReceiptSql::purchaseOrder());
    Entry = std::make_unique<PurchaseLineEntry>(QDt, PurchaseLineEntry::Policy::Bill);
    Entry->vendorId = [this] { return vendorId(); };
    Entry->headerTaxRate = [this] {
        return QHd->Active() && QHd->RecNo() >= 0 ? QHd->FieldByName(QStringLiteral("TaxRate")).toDouble() : 0.0;
    };
    Entry->balanceYear = [this] { return YearOfDate(docDate()); };

    // ---- header ---------------------------------------------------------------------------
    PnHeader = new QWidget(this);
    PnHeader->setObjectName(QStringLiteral("PnHeader"));
    auto* g = new QGridLayout(PnHeader);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(3);
    FaGetDocNo1 = new TFaGetDocNo(PnHeader);
    FaGetDocNo1->setObjectName(QStringLiteral("FaGetDocNo1"));
    LbEntryType = label(PnHeader);
    EntryType = new QComboBox(PnHeader);
    EntryType->setObjectName(QStringLiteral("EntryType"));
    EntryType->addItems({QString(), QString(), QString()});
    EntryType->setMaximumWidth(170);
    FaGetDate1 = new TFaGetDate(PnHeader);
    FaGetImportLotNo1 = new TFaGetImportLotNo(PnHeader);
    FaGetImportLotNo1->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetImportLotNo1->CreateAllowed = true; // a new company records its first shipment
    FaGetImportLotNo1->hide(); // shown by the import-expense forms
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
    BtLoadPo = new QPushButton(QStringLiteral("ใบสั่งซื้อหลายใบ"), PnHeader);
    BtLoadPo->setObjectName(QStringLiteral("BtLoadPo"));
    BtLoadPo->setFocusPolicy(Qt::NoFocus);
    FaGetVendor1 = new TFaGetVendor(PnHeader);
    FaGetTaxCode1 = new TFaGetTaxCode(PnHeader);
    FaGetTaxCode1->setObjectName(QStringLiteral("FaGetTaxCode1"));
    CanUseTax = new QCheckBox(QStringLiteral("ภาษีขอคืนได้"), PnHeader);
    CanUseTax->setObjectName(QStringLiteral("CanUseTax"));
    LbMrTaxNo = label(PnHeader);
    MrTaxNo = new TDbEdit(PnHeader);
    MrTaxNo->setObjectName(QStringLiteral("MrTaxNo"));
    LbMrTaxDate = label(PnHeader);
    MrTaxDate = new TDbDateEdit(PnHeader);
    MrTaxDate->setObjectName(QStringLiteral("MrTaxDate"));
    LbMrPrintTaxDate = label(PnHeader);
    MrPrintTaxDate = new TDbDateEdit(PnHeader);
    MrPrintTaxDate->setObjectName(QStringLiteral("MrPrintTaxDate"));
    LbPriceIE = label(PnHeader);
    Price_IE = new QComboBox(PnHeader);
    Price_IE->setObjectName(QStringLiteral("Price_IE"));
    Price_IE->addItem(QString(), QStringLiteral("I"));
    Price_IE->addItem(QString(), QStringLiteral("E"));
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
    LbReference = label(PnHeader);
    Reference = new TDbEdit(PnHeader);
    Reference->setObjectName(QStringLiteral("Reference"));
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
    FaGetRemark1 = new TFaGetRemark(PnHeader);
    FaGetRemark1->setObjectName(QStringLiteral("FaGetRemark1"));
    FaGetRemark1->RemarkGroup = QStringLiteral("REM_PURC");
    FaGetProject1 = new TFaGetProject(PnHeader);
    FaGetProject1->setObjectName(QStringLiteral("FaGetProject1"));
    FaGetProject1->Edit->setAllowEmpty(true);
    FaGetDepartment1 = new TFaGetDepartment(PnHeader);
    FaGetDepartment1->setObjectName(QStringLiteral("FaGetDepartment1"));

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
    taxBox->addWidget(FaGetTaxCode1, 1);
    taxBox->addWidget(CanUseTax);
    auto* prepaidBox = pair(LbPrepaid, PrepaidNo, BtSearchPrepaid);
    g->addWidget(FaGetDocNo1, 0, 0);
    g->addLayout(pair(LbEntryType, EntryType), 0, 1);
    g->addWidget(FaGetDate1, 0, 2, Qt::AlignLeft);
    g->addWidget(FaGetImportLotNo1, 1, 0, 1, 2);
    g->addLayout(poBox, 1, 2);
    g->addWidget(FaGetVendor1, 2, 0, 1, 2);
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
    g->addWidget(FaGetRemark1, 6, 0);
    g->addWidget(FaGetProject1, 6, 1);
    g->addWidget(FaGetDepartment1, 6, 2);
    for (int c = 0; c < 3; ++c)
        g->setColumnStretch(c, 1);
    body()->addWidget(PnHeader);

    // ---- lines and footer -----------------------------------------------------------------
    Totals = new TFaPurchaseTotals(this, PurchaseTotals::Kind::Bill, true);
    Totals->bind(QHd, QDt);
    Lines = new TFaPurchaseLines(this, Totals);
    PageControl1 = Lines->PageControl1;
    DgDt = Lines->DgDt;
    GbDetail = Lines->GbDetail;
    BtDeleteLine = Lines->BtDeleteLine;
    BtDisc = Lines->BtDisc;
    PopLastPrice = Lines->PopLastPrice;
    PopDetail = Lines->PopDetail;
    Lines->placeFooter(body(), Totals);
    Lines->PriceHistory = [this] { ShowPurchaseHistory(); };
    PopLastPrice->addAction(QStringLiteral("ราคาซื้อล่าสุด  ไม่ระบุผู้ขาย"), this, [this] { LastPriceClick(); });
    PopLastPrice->addAction(QStringLiteral("ราคาซื้อล่าสุด เฉพาะผู้ขายนี้"), this, [this] { LastPriceVendorClick(); });
    PopDetail->addAction(QStringLiteral("ป้อนคำอธิบายเพิ่มเติม"), this, [this] { MenuItem1Click(); });
    TFaPurchaseLines::widenLastPanel(StatusBar1, StatusPanel2);

    // ---- wiring ---------------------------------------------------------------------------
    FaGetDocNo1->DocNoExit = [this] { MrNoExit(); };
    FaGetDocNo1->BtSearchClick = [this] { BtSearchMrNoClick(); };
    FaGetVendor1->VendorExit = [this] { FaGetVendor1Exit(); };
    connect(FaGetDate1->DateEdit, &TDbEdit::committed, this, [this] { FaGetDate1DocDateExit(); });
    connect(MrTaxNo, &TDbEdit::committed, this, [this] { MrTaxNoExit(); });
    connect(DueDays, &TDbEdit::committed, this, [this] { DueDaysExit(); });
    connect(Price_IE, &QComboBox::activated, this, [this] {
        Price_IEExit();
        if (credit() && QHd->Active() && QHd->RecNo() >= 0 && QHd->FieldByName(QStringLiteral("Total")).toDouble() > 0)
            DueDays->setFocus();
    });
    connect(FaGetTaxCode1->TaxCode, &QComboBox::activated, this, [this] { TaxCodeExit(); });
    connect(CanUseTax, &QCheckBox::clicked, this, [this](bool on) {
        if (QHd->Active() && QHd->RecNo() >= 0)
            QHd->SetField(QStringLiteral("CanUseTax"), on ? QStringLiteral("Y") : QStringLiteral("N"));
    });
    connect(PoHd, &TLookupEdit::exited, this, [this] { PoHdExit(); });
    connect(BtSearchPoNo, &QToolButton::clicked, this, [this] { BtSearchPoNoClick(); });
    connect(BtLoadPo, &QPushButton::clicked, this, [this] { BtLoadPoClick(); });
    connect(BtSearchPrepaid, &QToolButton::clicked, this, [this] { FaGetPrepaidBtSearchClick(); });
    connect(PrepaidNo, &TDbEdit::committed, this, [this] { FaGetPrepaidDocNoExit(); });
    connect(EntryType, &QComboBox::currentIndexChanged, this, [this] { SetDgDtColumn(); });
    connect(BtDeleteLine, &QPushButton::clicked, this, [this] { BtDeleteLineClick(); });
    connect(DgDt, &TDataGrid::gridEntered, this, [this] { DgDtEnter(); });
    connect(DgDt, &TDataGrid::gridLeft, this, [this] { DgDtExit(); });
    DgDt->onEditButton = [this](int row, const QString& field) {
        QDt->setRecNo(row);
        const QString f = field.toUpper();
        if (f == QLatin1String("PRODUCTCODE"))
            ProductCodeCustomDlg();
        else if (f == QLatin1String("UNITNAME"))
            UnitNameCustomDlg();
        else if (f == QLatin1String("PONO"))
            PoNoCustomDlg();
    };
    QDt->OnFieldChange = [this](CachedDataSet&, const QString& field) { lineChanged(field); };
    QDt->AfterDelete = [this](CachedDataSet&) { CalculateAll(); };
    QDt->AfterScroll = [this](CachedDataSet&) { SetDgDtColumn(); };
    for (QObject* o : {static_cast<QObject*>(EntryType), static_cast<QObject*>(PoHd),
                       static_cast<QObject*>(PrepaidNo), static_cast<QObject*>(DueDays)})
        o->installEventFilter(this);
    if (QWidget* bar = findChild<QWidget*>(QStringLiteral("PnToolbar")))
        bar->installEventFilter(this);

    // The header from top to bottom, then the lines and the footer.
    const QList<QWidget*> order{FaGetDocNo1->DocNo, EntryType, FaGetDate1->DateEdit, FaGetImportLotNo1->Edit, PoHd,
                                FaGetVendor1->Edit, FaGetTaxCode1->TaxCode, CanUseTax, MrTaxNo, MrTaxDate,
                                MrPrintTaxDate, Price_IE, DueDays, DueDate, Reference, PrepaidNo, FaGetRemark1->Remark,
                                FaGetProject1->Edit, FaGetDepartment1->Edit, DgDt, Totals->DiscName[0],
                                Totals->DiscRate[0], Totals->DiscAmt[0], Totals->DiscName[1], Totals->DiscRate[1],
                                Totals->DiscAmt[1], Totals->DiscName[2], Totals->DiscRate[2], Totals->DiscAmt[2]};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
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
    FaGetDocNo1->bind(QHd, Names.no);
    FaGetDate1->bind(QHd, Names.date);
    FaGetImportLotNo1->bind(QHd, QStringLiteral("ImportLotNo"));
    PoHd->bind(QHd, QStringLiteral("PoHd"));
    FaGetVendor1->bind(QHd, QStringLiteral("Vendor"));
    FaGetTaxCode1->bind(QHd, QStringLiteral("TaxCode"));
    FaGetTaxCode1->RateField = QStringLiteral("TaxRate");
    MrTaxNo->bind(QHd, Names.taxNo);
    MrTaxDate->bind(QHd, Names.taxDate);
    MrPrintTaxDate->bind(QHd, Names.printTaxDate);
    Reference->bind(QHd, QStringLiteral("Reference"));
    PrepaidNo->bind(QHd, QStringLiteral("PrNo"));
    PrePaidBalance->bind(QHd, QStringLiteral("PrePaidBalance"));
    FaGetRemark1->bind(QHd, QStringLiteral("Remark"));
    FaGetProject1->bind(QHd, QStringLiteral("Project"));
    FaGetDepartment1->bind(QHd, QStringLiteral("Department"));
    FaGetImportLotNo1->setVisible(ImportExpense);
    if (credit()) {
        DueDays->bind(QHd, QStringLiteral("DueDays"));
        DueDate->bind(QHd, QStringLiteral("DueDate"));
    } else {
        // Cash bills have no credit: the fields are hidden and bound to nothing.
        for (QWidget* w : {static_cast<QWidget*>(LbDueDays), static_cast<QWidget*>(DueDays),
                           static_cast<QWidget*>(LbDueDate), static_cast<QWidget*>(DueDate)})
            w->hide();
        FaGetProject1->setEnabled(false);
        FaGetDepartment1->setEnabled(false);
    }
    connect(QHd, &CachedDataSet::currentChanged, this, [this] { refreshHeaderControls(); });
    connect(QHd, &CachedDataSet::rowChanged, this, [this] { refreshHeaderControls(); });
    m_configured = true;
}

void TFrMrTran::refreshHeaderControls()
{
    const bool row = QHd->Active() && QHd->RecNo() >= 0;
    CanUseTax->setChecked(row && QHd->AsString(QStringLiteral("CanUseTax")) == QLatin1String("Y"));
    const QString ie = row ? QHd->AsString(QStringLiteral("Price_IE")).trimmed() : QString();
    Price_IE->setCurrentIndex(ie == QLatin1String("E") ? 1 : ie == QLatin1String("I") ? 0 : -1);
}

void TFrMrTran::FormShow()
{
    RefreshScreen();
    DM->DMdata();
    CreateProductModules();
    const QString menu = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
    setWindowTitle((menu.isEmpty() ? windowTitle() : menu) + versionText());
    StatusPanel1->setText(DMConfig ? DMConfig->CompanyNameThai : QString());
    StatusPanel2->clear();
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
    const bool thai = isThai();
    QFont small = font();
    small.setPointSize(8);
    FaGetDocNo1->Caption->setText(T("เลขที่", "DocNo"));
    LbEntryType->setText(T("บันทึกด้วย", "Enter By"));
    FaGetDate1->Caption->setText(T("วันที่", "Date"));
    LbPoHd->setText(T("เลขที่ใบสั่งซื้อ", "PO No"));
    FaGetVendor1->Caption->setText(T("รหัสผู้ขาย", "Vendor"));
    FaGetTaxCode1->Caption->setText(T("อัตราภาษี", "Tax"));
    LbMrTaxNo->setText(T("เลขที่ใบกำกับภาษี", "Tax No"));
    LbMrTaxDate->setText(T("วันที่ใบกำกับภาษี", "Tax Date"));
    LbMrPrintTaxDate->setText(T("วันที่รายงานภาษีซื้อ", "Tax Print Date"));
    LbPriceIE->setText(T("การคำนวณภาษี", "Price(I/E)"));
    LbDueDays->setText(T("เครดิต (วัน)", "Credit(Day)"));
    LbDueDate->setText(T("ครบชำระ", "Due"));
    LbReference->setText(T("อ้างถึง", "Ref"));
    LbPrepaid->setText(T("ใบมัดจำ", "PrePaid No"));
    LbPrepaid->setFont(thai ? font() : small);
    FaGetRemark1->Caption->setText(T("หมายเหตุ", "Remark"));
    FaGetProject1->Caption->setText(T("รหัสโครงการ", "Project"));
    FaGetDepartment1->Caption->setText(T("แผนก", "Department"));
    LbPrePaidBalance->setText(T("มัดจำค้างตัด", "Balance"));
    BtDeleteLine->setText(T("ลบรายการสินค้า", "Del Line"));
    BtDisc->setText(T("แสดงส่วนลด(F11)", "Show Disc(F11)"));
    Totals->applyLanguage(thai);
    Price_IE->setItemText(0, T("ราคารวมภาษี", "Include VAT"));
    Price_IE->setItemText(1, T("ราคายังไม่รวมภาษี", "Exclude VAT"));
    EntryType->setItemText(0, T("รหัสของกิจการ", "Self Code"));
    EntryType->setItemText(1, QStringLiteral("BAR CODE"));
    EntryType->setItemText(2, T("รหัสผู้จำหน่าย", "Vendor Code"));
    PageControl1->setTabText(0, T("รายละเอียดเอกสาร", "Description"));
    SetDgDtColumn();
}

// ---- new and open ---------------------------------------------------------------------------

void TFrMrTran::enableHeader(bool on)
{
    FaGetDocNo1->setEnabled(true);
    FaGetDocNo1->DocNo->setEnabled(on);
    FaGetDocNo1->BtSearch->setEnabled(on);
    PoHd->setEnabled(on);
    BtSearchPoNo->setEnabled(on);
    FaGetVendor1->setEnabled(on);
    Price_IE->setEnabled(on);
    FaGetTaxCode1->setEnabled(on);
    FaGetImportLotNo1->setEnabled(on);
}

void TFrMrTran::AcNewExecute()
{
    if (!m_configured)
        configure();
    TFrForm::AcNewExecute();
    StatusPanel2->clear();
    OpenQuery(QString());
    QHd->Append();
    EntryType->setCurrentIndex(0);
    QDt->Append();
    enableHeader(true);
    BtLoadPo->setEnabled(false);
    PoHd->setFilter(QStringLiteral("(Clear <> 'Y') And (DelFlag = 'N') And (PoType = '%1')").arg(MrType));
    DM->RefreshConfig();
    PoNoLength = DM->GetDocLength(QStringLiteral("PO-") + MrType);
    DocNoLength = DM->GetDocLength(MrDocCode);
    AutoRun = DM->AutoRun; // the bill's code governs, read last
    Totals->Reset();
    FaGetImportLotNo1->setFilter(TFaGetImportLotNo::activeFilter());
    FaGetTaxCode1->reload();
    FaGetTaxCode1->refresh();
    DocumentIsNew = true;
    FaGetDocNo1->DocNo->setFocus();
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
    TMPPo.clear();
    SetDgDtColumn();
}

void TFrMrTran::MrNoExit()
{
    if (!QHd->Active() || !FaGetDocNo1->DocNo->isEnabled())
        return;
    if (!AutoRun && FaGetDocNo1->DocNo->text().trimmed().isEmpty()) {
        // Numbers are typed by hand: the reminder once, and the cursor back in the number
        // (nothing is opened, so the number can still be typed).
        MessageService::information(QStringLiteral("ท่านไม่ได้ป้อนเลขที่\rขณะนี้อยู่ในระบบเลขที่เอกสารไม่ Run อัตโนมัติ"));
        FaGetDocNo1->DocNo->setFocus();
        return;
    }
    const QString typed = FaGetDocNo1->DocNo->text().trimmed().left(qMax(1, DocNoLength));
    const QString n = PadLeft(typed, DocNoLength, QLatin1Char(' '));
    OpenQuery(n);
    const bool found = !DocumentIsNew;
    AcDel->setEnabled(found && DMConfig && DMConfig->DeleteRight);
    AcSave->setEnabled(DMConfig && (found ? DMConfig->ModifyRight : DMConfig->AddRight));
    if (found) {
        if (!DM->CheckPeriod(docDate())) {
            AcSave->setEnabled(false);
            AcDel->setEnabled(false);
        }
        Totals->RefreshAdjusted();
        if (credit()) {
            const QString clear = QHd->AsString(QStringLiteral("Clear")).trimmed();
            if (clear == QLatin1String("Y") || clear == QLatin1String("P")) {
                MessageService::information(clear == QLatin1String("Y")
                                                ? QStringLiteral("เอกสารใบนี้จ่ายเงินแล้ว ไม่สามารถแก้ไขได้")
                                                : QStringLiteral("เอกสารใบนี้จ่ายเงินบางส่วนแล้ว ไม่สามารถแก้ไขได้"));
                QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::paymentVoucher(),
                                       {{QStringLiteral("id"), QHd->AsInteger(QStringLiteral("ID"))}});
                if (q.next())
                    MessageService::information(QStringLiteral("อ้างถึงใบจ่ายเงินเลขที่ ") + q.value(0).toString().trimmed()
                                                + QStringLiteral(" ") + QStringLiteral("วันที่ ")
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
    FaGetImportLotNo1->setFilter(lot > 0 ? QStringLiteral("(%1) Or (Id = %2)").arg(TFaGetImportLotNo::activeFilter()).arg(lot)
                                         : TFaGetImportLotNo::activeFilter());
    EntryType->setCurrentIndex(0);
    auto emptyField = [this](const char* f) {
        const QVariant v = QHd->FieldByName(QLatin1String(f));
        return v.isNull() || v.toString().trimmed().isEmpty();
    };
    if (QHd->FieldByName(Names.date).isNull())
        QHd->SetField(Names.date, Db::dateToText(DM->GetServerTime()));
    if (emptyField("Price_IE"))
        QHd->SetField(QStringLiteral("Price_IE"), DM->ConfigText(QStringLiteral("Purc_IE")));
    if (emptyField("Transfer"))
        QHd->SetField(QStringLiteral("Transfer"), QStringLiteral("N"));
    if (emptyField("CanUseTax"))
        QHd->SetField(QStringLiteral("CanUseTax"), QStringLiteral("Y"));
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
        for (int r = 0; r < QDt->RecordCount(); ++r) {
            const QString t = QDt->value(r, QStringLiteral("ProductType")).toString();
            if (t != QLatin1String("S") && t != QLatin1String("M"))
                QDt->assign(r, QStringLiteral("ProductType"), QStringLiteral("P"));
        }
        if (!QDt->IsEmpty())
            QDt->First();
        PoHd->setEnabled(false);
        BtSearchPoNo->setEnabled(false);
        FaGetTaxCode1->setEnabled(false);
        CalculateAll();
    }
    FaGetDocNo1->DocNo->setEnabled(false);
    FaGetDocNo1->BtSearch->setEnabled(false);
    if (ImportExpense && found && QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() < 1) {
        // A bill of the same type entered without import lot elsewhere is not one of these.
        MessageService::information(QStringLiteral("ไม่ใช่เอกสาร") + caption());
        AcNewExecute();
    }
}

bool TFrMrTran::beforeSave()
{
    if (!ImportExpense || QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt() >= 1)
        return true;
    MessageService::information(QStringLiteral("ยังไม่ได้ระบุ") + FaGetImportLotNo1->Caption->text());
    return false;
}

void TFrMrTran::BtSearchMrNoClick()
{
    const QString chosen = ReceiptPickers::pickBillNo(this, PayType, MrType);
    if (chosen.isEmpty())
        return;
    FaGetDocNo1->DocNo->setText(chosen.trimmed());
    FaGetDocNo1->DocNo->setFocus();
}

// ---- header rules ---------------------------------------------------------------------------

QDateTime TFrMrTran::docDate() const
{
    if (!QHd->Active() || QHd->RecNo() < 0 || !QHd->hasField(Names.date))
        return QDateTime(QDate::currentDate(), QTime(0, 0));
    const QDateTime d = Db::dateFromValue(QHd->FieldByName(Names.date));
    return d.isValid() ? d : QDateTime(QDate::currentDate(), QTime(0, 0));
}

int TFrMrTran::vendorId() const
{
    return QHd->Active() && QHd->RecNo() >= 0 ? QHd->FieldByName(QStringLiteral("Vendor")).toInt() : 0;
}

void TFrMrTran::FaGetVendor1Exit()
{
    if (!QHd->Active() || QHd->RecNo() < 0 || vendorId() < 1 || QHd->AsInteger(QStringLiteral("ID")) != 0)
        return;
    if (!FaGetVendor1->VendorFound())
        return;
    QHd->SetField(QStringLiteral("TaxCode"), FaGetVendor1->QVendor.value(QStringLiteral("TaxCode")));
    QHd->SetField(QStringLiteral("TaxRate"), FaGetVendor1->QVendor.value(QStringLiteral("TaxRate")));
    FaGetTaxCode1->refresh();
    if (!QDt->IsEmpty()) {
        Entry->RetaxLines();
        CalculateAll();
    }
    if (credit()) {
        const int days = FaGetVendor1->QVendor.value(QStringLiteral("DueDays")).toInt();
        QHd->SetField(QStringLiteral("DueDays"), days);
        QHd->SetField(QStringLiteral("DueDate"), Db::dateToText(docDate().addDays(days)));
    }
}

void TFrMrTran::DueDaysExit()
{
    if (!credit() || !QHd->Active() || QHd->RecNo() < 0 || DueDays->text() == m_dueDaysAtEnter)
        return;
    QHd->SetField(QStringLiteral("DueDate"),
                  Db::dateToText(docDate().addDays(QHd->FieldByName(QStringLiteral("DueDays")).toInt())));
    m_dueDaysAtEnter = DueDays->text();
}

void TFrMrTran::FaGetDate1DocDateExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0)
        return;
    if (!DM->CheckPeriod(docDate())) {
        AcSave->setEnabled(false);
        AcDel->setEnabled(false);
    }
    if (!DocumentIsNew)
        MessageService::information(QStringLiteral("วันที่ใบกำกับ และ วันที่ยื่นภาษีจะถูกกำหนดตามวันที่รับสินค้า\r"
                                                   "กรุณาตรวจสอบวันที่รายงานภาษีให้ถูกต้อง"));
    const QString date = Db::dateToText(docDate());
    QHd->SetField(Names.taxDate, date);
    QHd->SetField(Names.printTaxDate, date);
}

void TFrMrTran::MrTaxNoExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0)
        return;
    // An empty tax number names no invoice, so it cannot be a duplicate of another bill's.
    const QString taxNo = QHd->AsString(Names.taxNo);
    if (taxNo.trimmed().isEmpty())
        return;
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::duplicateTaxNo(),
                           {{QStringLiteral("mrtaxno"), taxNo}, {QStringLiteral("credit"), credit() ? 1 : 0},
                            {QStringLiteral("id"), QHd->AsInteger(QStringLiteral("ID"))}});
    if (q.next() && !DM->ConfirmDlg(QStringLiteral("พบเลขที่ใบกำกับซ้ำกับใบอื่นยืนยันใช้เลขที่นี้ ?"))) {
        QHd->SetField(Names.taxNo, QString());
        MrTaxNo->setFocus();
    }
}

void TFrMrTran::Price_IEExit()
{
    if (!QHd->Active() || QHd->RecNo() < 0 || Price_IE->currentIndex() < 0)
        return;
    const QString v = Price_IE->currentData().toString();
    if (QHd->AsString(QStringLiteral("Price_IE")) != v)
        QHd->SetField(QStringLiteral("Price_IE"), v);
    if (QHd->AsFloat(QStringLiteral("Total")) > 0)
        CalculateAll();
}

void TFrMrTran::TaxCodeExit()
{
    FaGetTaxCode1->TaxCodeExit();
    if (!QHd->Active() || QHd->RecNo() < 0)
        return;
    // The lines follow the document's new rate, so the stored header and lines agree.
    Entry->RetaxLines();
    CalculateAll();
    if (QHd->AsFloat(QStringLiteral("Total")) > 0)
        MrTaxNo->setFocus();
}

bool TFrMrTran::CalculateAll()
{
    if (m_inLines)
        return false;
    m_inLines = true;
    const bool done = Totals->CalculateAll();
    m_inLines = false;
    return done;
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
            DMConfig->ThaiLanguage = !DMConfig->ThaiLanguage;
        RefreshScreen();
    }
    return TFrForm::eventFilter(obj, e);
}

bool TFrMrTran::askExit()
{
    if (!TFrForm::askExit())
        return false;
    if (DM)
        DM->CloseConnection();
    return true;
}

void TFrMrTran::resizeEvent(QResizeEvent* e)
{
    TFrForm::resizeEvent(e);
    Lines->fitWidths(Totals);
}
