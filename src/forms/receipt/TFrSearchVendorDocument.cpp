#include "forms/receipt/TFrSearchVendorDocument.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "forms/receipt/TFaGetVendor.h"
#include "search/SearchQuery.h"
#include "widgets/TLookupEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <utility>

namespace {
const Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
const QString Money = QStringLiteral("#,##0.00");
QString like()
{
    return QLatin1String(Db::LikeEscape);
}
} // namespace

TFrSearchVendorDocument::TFrSearchVendorDocument(QWidget* parent)
    : TFrSearch(parent)
{
    LbCode->setText(tr("เลขที่"));
    QNullTable = new CachedDataSet(this, QStringLiteral("QNullTable"));
    QNullTable->setSQL(QStringLiteral("Select 0 Id From NullTable"));
    FaGetVendor = new TFaGetVendor(this);
    // An empty vendor here means every vendor.
    FaGetVendor->Vendor->setAllowEmpty(true);
    auto* row = new QWidget(this);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(6, 0, 6, 6);
    rowLayout->addWidget(FaGetVendor, 1);
    if (auto* lay = qobject_cast<QVBoxLayout*>(layout()))
        lay->insertWidget(1, row);
    resize(640, 360);
}

QString TFrSearchVendorDocument::vendorCode() const
{
    return FaGetVendor->Vendor->text().trimmed();
}

void TFrSearchVendorDocument::applyEnglish()
{
    LbCode->setText(tr("เลขที่"));
    FaGetVendor->Caption->setText(tr("รหัสผู้ขาย"));
    if (thaiLanguage())
        return;
    QFont small = font();
    small.setPointSize(8);
    FaGetVendor->Caption->setFont(small);
}

void TFrSearchVendorDocument::showVendor(bool focusNumberAlways)
{
    TFrSearch::FormShow();
    QNullTable->OpenEditRow();
    QNullTable->SetField(QStringLiteral("Id"), VendorId > 0 ? QVariant(VendorId) : QVariant());
    FaGetVendor->bind(QNullTable, QStringLiteral("Id"));
    if (VendorId > 0 || focusNumberAlways)
        Code->setFocus();
    else
        FaGetVendor->setFocus();
}

// ---- credit bills --------------------------------------------------------------------------

TFrSearchMrNo::TFrSearchMrNo(QWidget* parent)
    : TFrSearchVendorDocument(parent)
{
    setObjectName(QStringLiteral("FrSearchMrNo"));
    setWindowTitle(tr("ค้นหาใบรับสินค้า"));
    EdTaxNo = new QLineEdit(PnHeader);
    EdTaxNo->setObjectName(QStringLiteral("EdTaxNo"));
    EdTaxNo->setFixedWidth(110);
    HeaderLayout->insertWidget(2, new QLabel(tr("เลขที่ใบกำกับ"), PnHeader));
    HeaderLayout->insertWidget(3, EdTaxNo);
    QSearch->addColumn(QStringLiteral("MrNo"), tr("เลขที่"), 90, Right);
    QSearch->addColumn(QStringLiteral("MrDate"), tr("วันที่"), 75);
    QSearch->addColumn(QStringLiteral("MrTaxNo"), tr("เลขที่ใบกำกับ"), 90);
    QSearch->addColumn(QStringLiteral("MrTaxDate"), tr("วันที่ใบกำกับ"), 75);
    QSearch->addColumn(QStringLiteral("Code"), tr("รหัส"), 60);
    QSearch->addColumn(QStringLiteral("Name"), tr("ชื่อ"), 150);
    QSearch->addColumn(QStringLiteral("Total"), tr("รวมเงิน"), 85, Right, Money);
    QSearch->addColumn(QStringLiteral("Clear"), tr("จ่าย?"), 40);
}

QStringList TFrSearchMrNo::BuildStatement() const
{
    QString where = QStringLiteral("Where  (H.MrNo Like :GetNo%1) AND (V.Code Like :GetCode%1) And (H.MrType Like :GetType%1) "
                                   "And (Coalesce(H.MrTaxNo, '') Like :TaxNo%1)")
                        .arg(like());
    if (OnlyUnpaid)
        where += QStringLiteral(" And Clear <> 'Y'");
    where += BeginBalance ? QStringLiteral(" And BeginBalance = 'Y'") : QStringLiteral(" And BeginBalance = 'N'");
    return {QStringLiteral("Select H.MrNo, H.MrDate, H.MrTaxNo, H.MrTaxDate, H.PoHd, H.Total, H.Clear, V.Name, V.Code, "
                           "H.DelFlag,H.Id From MrHd H Inner Join Vendor V On (H.Vendor = V.Id)"),
            where, QStringLiteral("ORDER BY H.MRNO DESC")};
}

void TFrSearchMrNo::FormShow()
{
    applyEnglish();
    setWindowTitle(tr("ค้นหาใบรับสินค้า"));
    for (const auto& [f, t] : {std::pair{"MrNo", QT_TR_NOOP("เลขที่")}, {"MrDate", QT_TR_NOOP("วันที่")},
                               {"MrTaxNo", QT_TR_NOOP("เลขที่ใบกำกับ")}, {"MrTaxDate", QT_TR_NOOP("วันที่ใบกำกับ")},
                               {"Code", QT_TR_NOOP("รหัส")}, {"Name", QT_TR_NOOP("ชื่อ")}, {"Total", QT_TR_NOOP("รวมเงิน")},
                               {"Clear", QT_TR_NOOP("จ่าย?")}})
        QSearch->setColumnTitle(QLatin1String(f), tr(t));
    EdTaxNo->clear();
    showVendor(false);
    ResultField = QStringLiteral("MrNo");
}

void TFrSearchMrNo::BtSearchClick()
{
    // The typed number matches the end of the stored (blank-filled) number.
    QSearch->Close();
    QSearch->SQL = BuildStatement();
    QSearch->setParam(QStringLiteral("GetNo"), QStringLiteral("%") + Db::likeText(Code->text().trimmed()));
    QSearch->setParam(QStringLiteral("GetCode"), Db::likeText(vendorCode()) + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("GetType"), Db::likeText(MrType) + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("TaxNo"), QStringLiteral("%") + Db::likeText(EdTaxNo->text().trimmed()) + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}

// ---- cash bills ----------------------------------------------------------------------------

TFrSearchPcNo::TFrSearchPcNo(QWidget* parent)
    : TFrSearchVendorDocument(parent)
{
    setObjectName(QStringLiteral("FrSearchPcNo"));
    setWindowTitle(tr("ค้นหาใบซื้อสด"));
    QSearch->addColumn(QStringLiteral("PcNo"), tr("เลขที่"), 100, Right);
    QSearch->addColumn(QStringLiteral("PcDate"), tr("วันที่"), 75);
    QSearch->addColumn(QStringLiteral("PcTaxNo"), tr("เลขที่ใบกำกับ"), 90);
    QSearch->addColumn(QStringLiteral("PcTaxDate"), tr("วันที่ใบกำกับ"), 75);
    QSearch->addColumn(QStringLiteral("Code"), tr("รหัส"), 60);
    QSearch->addColumn(QStringLiteral("Name"), tr("ชื่อ"), 150);
    QSearch->addColumn(QStringLiteral("Total"), tr("จำนวนเงิน"), 85, Right, Money);
}

QStringList TFrSearchPcNo::Statement()
{
    return {QStringLiteral("Select H.Id, H.PcNo, H.PcDate, H.PcTaxNo, H.PcTaxDate, H.PoHd, H.Total, V.Name, V.Code, "
                           "H.DelFlag From PcHd H Inner Join Vendor V On (H.Vendor = V.Id)"),
            QStringLiteral("Where  (H.PcNo Like :GetNo%1) AND (V.Code Like :GetCode%1) And (H.PcType Like :GetType%1)")
                .arg(like()),
            QStringLiteral("ORDER BY H.PcNo Desc")};
}

void TFrSearchPcNo::FormShow()
{
    applyEnglish();
    setWindowTitle(tr("ค้นหาใบซื้อสด"));
    for (const auto& [f, t] : {std::pair{"PcNo", QT_TR_NOOP("เลขที่")}, {"PcDate", QT_TR_NOOP("วันที่")},
                               {"PcTaxNo", QT_TR_NOOP("เลขที่ใบกำกับ")}, {"PcTaxDate", QT_TR_NOOP("วันที่ใบกำกับ")},
                               {"Code", QT_TR_NOOP("รหัส")}, {"Name", QT_TR_NOOP("ชื่อ")}, {"Total", QT_TR_NOOP("จำนวนเงิน")}})
        QSearch->setColumnTitle(QLatin1String(f), tr(t));
    showVendor(false);
    ResultField = QStringLiteral("PcNo");
}

void TFrSearchPcNo::BtSearchClick()
{
    QSearch->Close();
    QSearch->SQL = Statement();
    QSearch->setParam(QStringLiteral("GetNo"), QStringLiteral("%") + Db::likeText(Code->text().trimmed()));
    QSearch->setParam(QStringLiteral("GetCode"), Db::likeText(vendorCode()) + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("GetType"), Db::likeText(PcType) + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}

// ---- deposits ------------------------------------------------------------------------------

TFrSearchPrePaid::TFrSearchPrePaid(QWidget* parent)
    : TFrSearchVendorDocument(parent)
{
    setObjectName(QStringLiteral("FrSearchPrePaid"));
    setWindowTitle(tr("ค้นหาใบจ่ายเงินมัดจำ"));
    QSearch->addColumn(QStringLiteral("PrNo"), tr("เลขที่"), 100, Right);
    QSearch->addColumn(QStringLiteral("PrDate"), tr("วันที่"), 75);
    QSearch->addColumn(QStringLiteral("Code"), tr("รหัสเจ้าหนี้"), 70);
    QSearch->addColumn(QStringLiteral("Name"), tr("ชื่อเจ้าหนี้"), 150);
    QSearch->addColumn(QStringLiteral("Total"), tr("จำนวนเงิน"), 85, Right, Money);
    QSearch->addColumn(QStringLiteral("Balance"), tr("ยอดค้างตัด"), 85, Right, Money);
    QSearch->addColumn(QStringLiteral("Reference"), tr("อ้างถึง"), 100);
    QSearch->addColumn(QStringLiteral("Remark"), tr("หมายเหตุ"), 100);
}

QStringList TFrSearchPrePaid::BuildStatement()
{
    QString where = QStringLiteral("Where (P.PrNo Like :GetNo%1)").arg(like());
    QSearch->setParam(QStringLiteral("GetNo"), QStringLiteral("%") + Db::likeText(Code->text().trimmed()));
    const QVariant vendor = QNullTable->Active() && QNullTable->RecNo() >= 0 ? QNullTable->FieldByName(QStringLiteral("Id"))
                                                                            : QVariant();
    if (vendor.toInt() > 0) {
        where += QStringLiteral(" And (P.Vendor = :GetVendor)");
        QSearch->setParam(QStringLiteral("GetVendor"), vendor.toInt());
    }
    if (OnlyUnpaid)
        where += QStringLiteral(" And Clear <> 'Y' ");
    return {QStringLiteral("SELECT P.Id,P.DelFlag, P.PrNo, P.PrDate, P.Reference, P.Remark, P.Total, V.Code, V.Name,"
                           "P.Total-P.PaidAmount Balance FROM PrePaid P Inner Join Vendor V On (P.Vendor = V.Id)"),
            where, QStringLiteral("Order By P.PrNo Desc")};
}

void TFrSearchPrePaid::FormShow()
{
    // The deposit search has no English texts.
    showVendor(true);
    ResultField = QStringLiteral("PrNo");
}

void TFrSearchPrePaid::BtSearchClick()
{
    // The vendor field's own leaving rule first: a blocked vendor is refused.
    FaGetVendor->Vendor->lookup();
    FaGetVendor->EditExit();
    QSearch->Close();
    QSearch->SQL = BuildStatement();
    TFrSearch::BtSearchClick();
}
