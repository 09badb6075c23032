#include "forms/purchase/TFrPurchaseDocument.h"

#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/Numbering.h"
#include "data/TDM.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPurchaseLines.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "search/TFaGetDepartment.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetTaxCode.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TFrPurchaseDocument::TFrPurchaseDocument(QWidget* parent, PurchaseLineEntry::Policy policy, PurchaseTotals::Kind kind,
                                         bool withPrepaid)
    : TFrDocument(parent)
{
    Entry = std::make_unique<PurchaseLineEntry>(QDt, policy);
    Entry->vendorId = [this] { return vendorId(); };
    Entry->headerTaxRate = [this] { return headerRow() ? QHd->FieldByName(QStringLiteral("TaxRate")).toDouble() : 0.0; };
    Entry->balanceYear = [this] { return YearOfDate(docDate()); };

    // ---- header controls ----------------------------------------------------------------------
    LbEntryType = new QLabel(PnHeader);
    EntryType = new QComboBox(PnHeader);
    EntryType->setObjectName(QStringLiteral("EntryType"));
    EntryType->addItems({QString(), QString(), QString()});
    FaGetTaxCode = new TFaGetTaxCode(PnHeader);
    FaGetTaxCode->setObjectName(QStringLiteral("FaGetTaxCode"));
    CanUseTax = new QCheckBox(tr("ภาษีขอคืนได้"), PnHeader);
    CanUseTax->setObjectName(QStringLiteral("CanUseTax"));
    LbPriceIE = new QLabel(PnHeader);
    Price_IE = new QComboBox(PnHeader);
    Price_IE->setObjectName(QStringLiteral("Price_IE"));
    Price_IE->addItem(QString(), QStringLiteral("I"));
    Price_IE->addItem(QString(), QStringLiteral("E"));
    LbReference = new QLabel(PnHeader);
    Reference = new TDbEdit(PnHeader);
    Reference->setObjectName(QStringLiteral("Reference"));
    FaGetRemark = new TFaGetRemark(PnHeader);
    FaGetRemark->setObjectName(QStringLiteral("FaGetRemark"));
    FaGetRemark->RemarkGroup = QStringLiteral("REM_PURC");
    FaGetProject = new TFaGetProject(PnHeader);
    FaGetProject->setObjectName(QStringLiteral("FaGetProject"));
    FaGetProject->Edit->setAllowEmpty(true);
    FaGetDepartment = new TFaGetDepartment(PnHeader);
    FaGetDepartment->setObjectName(QStringLiteral("FaGetDepartment"));

    // ---- lines and footer -----------------------------------------------------------------------
    Totals = new TFaPurchaseTotals(this, kind, withPrepaid);
    Totals->bind(QHd, QDt);
    Lines = new TFaPurchaseLines(this, Totals);
    PageControl = Lines->PageControl;
    DgDt = Lines->DgDt;
    GbDetail = Lines->GbDetail;
    BtDeleteLine = Lines->BtDeleteLine;
    BtDisc = Lines->BtDisc;
    PopLastPrice = Lines->PopLastPrice;
    PopDetail = Lines->PopDetail;
    Lines->placeFooter(body(), Totals);
    PopDetail->addAction(tr("ป้อนคำอธิบายเพิ่มเติม"), this, [this] { LineMemoClick(); });
    TFaPurchaseLines::widenLastPanel(StatusBar, StatusInfo);

    // ---- wiring ---------------------------------------------------------------------------------
    connect(EntryType, &QComboBox::currentIndexChanged, this, [this] { SetDgDtColumn(); });
    connect(FaGetTaxCode->TaxCode, &QComboBox::activated, this, [this] { TaxCodeExit(); });
    connect(CanUseTax, &QCheckBox::clicked, this, [this](bool on) {
        if (headerRow())
            QHd->SetField(QStringLiteral("CanUseTax"), on ? QStringLiteral("Y") : QStringLiteral("N"));
    });
    connect(BtDeleteLine, &QPushButton::clicked, this, [this] { BtDeleteLineClick(); });
    connect(DgDt, &TDataGrid::gridEntered, this, [this] { DgDtEnter(); });
    connect(DgDt, &TDataGrid::gridLeft, this, [this] { DgDtExit(); });
    addCellDialog(QStringLiteral("ProductCode"), [this] { ProductCodeCustomDlg(); });
    addCellDialog(QStringLiteral("UnitName"), [this] { UnitNameCustomDlg(); });
    QDt->OnFieldChange = [this](CachedDataSet&, const QString& field) { lineChanged(field); };
    QDt->AfterDelete = [this](CachedDataSet&) { CalculateAll(); };
    QDt->AfterScroll = [this](CachedDataSet&) { SetDgDtColumn(); };
    connect(QHd, &CachedDataSet::currentChanged, this, [this] { refreshHeaderControls(); });
    connect(QHd, &CachedDataSet::rowChanged, this, [this] { refreshHeaderControls(); });
}

TFrPurchaseDocument::~TFrPurchaseDocument() = default;

int TFrPurchaseDocument::vendorId() const
{
    return headerRow() && QHd->hasField(VendorField) ? QHd->FieldByName(VendorField).toInt() : 0;
}

void TFrPurchaseDocument::refreshHeaderControls()
{
    const bool row = headerRow();
    CanUseTax->setChecked(row && QHd->AsString(QStringLiteral("CanUseTax")) == QLatin1String("Y"));
    const QString ie = row ? QHd->AsString(QStringLiteral("Price_IE")).trimmed() : QString();
    Price_IE->setCurrentIndex(Price_IE->findData(ie));
}

bool TFrPurchaseDocument::CalculateAll()
{
    if (m_inLines)
        return false;
    m_inLines = true;
    const bool done = Totals->CalculateAll();
    m_inLines = false;
    return done;
}

void TFrPurchaseDocument::normaliseLineTypes()
{
    for (int r = 0; r < QDt->RecordCount(); ++r) {
        const QString t = QDt->value(r, QStringLiteral("ProductType")).toString();
        if (t != QLatin1String("S") && t != QLatin1String("M"))
            QDt->assign(r, QStringLiteral("ProductType"), QStringLiteral("P"));
    }
}

void TFrPurchaseDocument::setLineField(const QString& field, const QVariant& v)
{
    if (QDt->hasField(field))
        QDt->SetField(field, v);
}

void TFrPurchaseDocument::focusLine(int row, const QString& field)
{
    const int col = DgDt->gridModel()->columnOf(field);
    DgDt->setFocus();
    DgDt->setCurrentIndex(DgDt->gridModel()->index(row, qMax(0, col)));
}

void TFrPurchaseDocument::DgDtExit()
{
    KeyPreview = true;
}

void TFrPurchaseDocument::ProductCodeCustomDlg()
{
    const QString code = PurchasePickers::pickProduct(this, productSearchType());
    if (code.isEmpty())
        return;
    DgDt->setFocus();
    setLineField(QStringLiteral("ProductCode"), code); // the code's lookup runs
    focusLine(QDt->RecNo(), QStringLiteral("ProductCode"));
}

void TFrPurchaseDocument::UnitNameCustomDlg()
{
    const QString unit = PurchasePickers::pickUnit(this, QDt->AsInteger(QStringLiteral("Product")));
    if (unit.isEmpty())
        return;
    DgDt->setFocus();
    setLineField(QStringLiteral("UnitName"), unit);
}

void TFrPurchaseDocument::LineMemoClick()
{
    PurchasePickers::editMemo(this, QDt, QStringLiteral("MemoLine"));
}

bool TFrPurchaseDocument::askExit()
{
    if (!TFrDocument::askExit())
        return false;
    if (DM)
        DM->CloseConnection();
    return true;
}

void TFrPurchaseDocument::resizeEvent(QResizeEvent* e)
{
    TFrDocument::resizeEvent(e);
    Lines->fitWidths(Totals);
}
